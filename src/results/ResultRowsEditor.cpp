#include "results/ResultRowsEditor.h"

#include "base/Clock.h"
#include "platform/DbDate.h"
#include "platform/DbQuery.h"

#include <algorithm>
#include <numeric>

bool ResultRowsEditor::open(const DbQuery &query)
{
    m_cache.clear();
    m_rows.setUpdateTable(QStringLiteral("CureResults"), QStringLiteral("ResultNo"));
    if (!m_rows.open(query)) {
        m_errorText = m_rows.errorText();
        return false;
    }
    std::vector<CureResult> stored;
    for (m_rows.first(); !m_rows.eof(); m_rows.next())
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
}

bool ResultRowsEditor::write(int row, const std::vector<Change> &changes)
{
    if (row < 0 || row >= size() || !m_rows.setPosition(m_positions[size_t(row)]) || !m_rows.edit()) {
        m_errorText = m_rows.errorText();
        return false;
    }
    for (const auto &[column, value] : changes)
        m_rows.setValue(column, value);
    m_rows.setValue(u"UpdateDate", DbDate{Clock::now()});
    if (!m_rows.post()) {
        m_errorText = m_rows.errorText();
        m_rows.cancel();
        return false;
    }
    // The posted row stays current: no filter hides it.
    m_cache[size_t(row)] = CureResult::fromRow(m_rows);
    return true;
}

bool ResultRowsEditor::remove(int row)
{
    if (row < 0 || row >= size() || !m_rows.setPosition(m_positions[size_t(row)]) || !m_rows.remove()) {
        m_errorText = m_rows.errorText();
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

bool ResultRowsEditor::setStart(int row, TDateTime time)
{
    return write(row, {{u"RStartTime", DbDate{DateTime::timeOf(time)}}});
}

bool ResultRowsEditor::setMinutesOrZero(int row, int minutes, QString &message)
{
    if (minutes < 0) {
        message = QStringLiteral("負の値です。");
        minutes = 0;
    }
    return write(row, {{u"RMinute", minutes}});
}

bool ResultRowsEditor::setComment(int row, const QString &comment)
{
    return write(row, {{u"Comment", comment}});
}
