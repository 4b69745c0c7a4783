#include "users/KanaRowList.h"

#include "platform/DbDataSet.h"

void KanaRowList::filterByKanaRow(UserSearch::KanaRow row)
{
    m_rows.setFilter(UserSearch::kanaRowFilter(row, QStringLiteral("Kana")));
    m_rows.setFiltered(true);
}

void KanaRowList::showAll()
{
    m_rows.setFiltered(false);
}

bool KanaRowList::hasRows() const
{
    return m_rows.isOpen() && !m_rows.isEmpty();
}
