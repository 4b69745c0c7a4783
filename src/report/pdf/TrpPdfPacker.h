#pragma once

#include "report/pdf/TrpPdfObjects.h"

#include <QByteArray>
#include <QList>

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>

// Packs the page contents of one document on one thread of its own, kept
// for the document's life, while the pages that follow are drawn. A few
// pages may wait to be packed; a page handed over beyond them waits until
// one is done, so that a slow packer holds no more than those in memory.
class TrpPdfPacker
{
public:
    TrpPdfPacker() = default;
    ~TrpPdfPacker();
    TrpPdfPacker(const TrpPdfPacker &) = delete;
    TrpPdfPacker &operator=(const TrpPdfPacker &) = delete;

    // Hands the stream object's data over for packing.
    void pack(int object, QByteArray data);
    // The streams packed since the last call, with their object numbers;
    // with all, every one handed over, waiting for those still packed.
    // What the packing threw (out of memory) is thrown here, on the
    // document's own thread.
    using Packed = std::pair<int, TrpPdfObjects::Stream>;
    [[nodiscard]] QList<Packed> take(bool all);

private:
    void work();

    static constexpr std::size_t MaxWaiting = 4;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::pair<int, QByteArray>> m_waiting;
    QList<Packed> m_packed;
    std::exception_ptr m_failure;
    bool m_packing = false;
    bool m_stopping = false;
    std::thread m_thread;
};
