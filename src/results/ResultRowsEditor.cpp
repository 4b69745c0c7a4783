#include "results/ResultRowsEditor.h"

#include "base/Clock.h"
#include "platform/DbDate.h"
#include "platform/DbQuery.h"

#include <algorithm>
#include <numeric>

bool ResultRowsEditor::open(const DbQuery &query)
{
    m_cache.clear();
    m_pendingRow = -1;
    m_pending.clear();
    m_rows.setUpdateTable(QStringLiteral("CureResults"), QStringLiteral("ResultNo"));
    if (!m_rows.open(query)) {
        m_errorText = m_rows.errorText();
        return false;
    }
    std::vector<CureResult> stored;
    // The rows are held whole, not paged: a move cannot fail.
    for (m_rows.first(); !m_rows.eof(); (void)m_rows.next())
        stored.push_back(CureResult::fromRow(m_rows));
    m_positions.resize(stored.size());
    std::iota(m_positions.begin(), m_positions.end(), 0);
    std::stable_sort(m_positions.begin(), m_positions.end(),
                     [&stored](int a, int b) { return CureResult::dayOrder(stored[size_t(a)], stored[size_t(b)]); });
    for (const int position : m_positions)
        m_cache.push_back(std::move(stored[size_t(position)]));
    return true;
}

void ResultRowsEditor::close()
{
    m_rows.close();
    m_cache.clear();
    m_positions.clear();
    m_pendingRow = -1;
    m_pending.clear();
}

bool ResultRowsEditor::write(int row, const std::vector<Change> &changes)
{
    m_rowGone = false;
    if (row < 0 || row >= size() || !m_rows.setPosition(m_positions[size_t(row)]) || !m_rows.edit()) {
        m_errorText = m_rows.errorText();
        return false;
    }
    for (const auto &[column, value] : changes)
        m_rows.setValue(column, value);
    m_rows.setValue(u"UpdateDate", DbDate{Clock::now()});
    if (!m_rows.post()) {
        m_errorText = m_rows.errorText();
        m_rowGone = m_rows.rowMissing();
        m_rows.cancel();
        return false;
    }
    // The posted row stays current: no filter hides it.
    m_cache[size_t(row)] = CureResult::fromRow(m_rows);
    return true;
}

bool ResultRowsEditor::remove(int row)
{
    m_rowGone = false;
    if (row < 0 || row >= size() || !m_rows.setPosition(m_positions[size_t(row)]) || !m_rows.remove()) {
        m_errorText = m_rows.errorText();
        m_rowGone = m_rows.rowMissing();
        return false;
    }
    const int removed = m_positions[size_t(row)];
    m_cache.erase(m_cache.begin() + row);
    m_positions.erase(m_positions.begin() + row);
    for (int &position : m_positions) {
        if (position > removed)
            --position;
    }
    return true;
}

bool ResultRowsEditor::change(int row, Change change, const std::function<void(CureResult &)> &show)
{
    if (!m_holding)
        return write(row, {std::move(change)});
    if (row < 0 || row >= size())
        return false;
    if (m_pendingRow >= 0 && m_pendingRow != row && !flush())
        return false;
    m_pendingRow = row;
    std::erase_if(m_pending, [&](const Change &held) { return held.first == change.first; });
    m_pending.push_back(std::move(change));
    show(m_cache[size_t(row)]);
    return true;
}

bool ResultRowsEditor::flush()
{
    if (m_pendingRow < 0)
        return true;
    if (!write(m_pendingRow, m_pending))
        return false;
    m_pendingRow = -1;
    m_pending.clear();
    return true;
}

void ResultRowsEditor::discard()
{
    if (m_pendingRow < 0)
        return;
    if (m_rows.setPosition(m_positions[size_t(m_pendingRow)]))
        m_cache[size_t(m_pendingRow)] = CureResult::fromRow(m_rows);
    m_pendingRow = -1;
    m_pending.clear();
}

bool ResultRowsEditor::setStart(int row, TDateTime time)
{
    const TDateTime start = DateTime::timeOf(time);
    return change(row, {u"RStartTime", DbDate{start}}, [start](CureResult &r) { r.RStartTime = start; });
}

bool ResultRowsEditor::setMinutesOrZero(int row, int minutes, QString &message)
{
    if (minutes < 0) {
        message = QStringLiteral("負の値です。");
        minutes = 0;
    }
    return change(row, {u"RMinute", minutes}, [minutes](CureResult &r) { r.RMinute = minutes; });
}

bool ResultRowsEditor::setComment(int row, const QString &comment)
{
    return change(row, {u"Comment", comment}, [comment](CureResult &r) { r.Comment = comment; });
}
