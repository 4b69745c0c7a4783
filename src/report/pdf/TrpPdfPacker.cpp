#include "report/pdf/TrpPdfPacker.h"

TrpPdfPacker::~TrpPdfPacker()
{
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        // A document given up needs none of its pages packed.
        m_waiting.clear();
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void TrpPdfPacker::pack(int object, QByteArray data)
{
    std::unique_lock lock(m_mutex);
    if (!m_thread.joinable())
        m_thread = std::thread(&TrpPdfPacker::work, this);
    m_changed.wait(lock, [this] { return m_waiting.size() < MaxWaiting; });
    m_waiting.emplace_back(object, std::move(data));
    lock.unlock();
    m_changed.notify_all();
}

QList<TrpPdfPacker::Packed> TrpPdfPacker::take(bool all)
{
    std::unique_lock lock(m_mutex);
    if (all)
        m_changed.wait(lock, [this] { return (m_waiting.empty() && !m_packing) || m_failure; });
    if (m_failure)
        std::rethrow_exception(std::exchange(m_failure, nullptr));
    return std::exchange(m_packed, {});
}

void TrpPdfPacker::work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || !m_waiting.empty(); });
        if (m_waiting.empty())
            return;
        auto [object, data] = std::move(m_waiting.front());
        m_waiting.pop_front();
        m_packing = true;
        lock.unlock();
        m_changed.notify_all();
        std::exception_ptr failure;
        TrpPdfObjects::Stream stream;
        try {
            stream = TrpPdfObjects::packed(data);
        } catch (...) {
            // Leaving the thread would end the program.
            failure = std::current_exception();
        }
        data.clear();
        lock.lock();
        if (failure)
            m_failure = failure;
        else
            m_packed.append({object, std::move(stream)});
        m_packing = false;
        m_changed.notify_all();
    }
}
