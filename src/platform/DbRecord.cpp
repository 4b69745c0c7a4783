#include "platform/DbRecord.h"

#include "platform/DbLog.h"
#include "platform/DbRows.h"

DbValue DbRecord::value(QStringView name) const
{
    const int column = m_rows->columnIndex(name);
    if (column < 0)
        qCWarning(lcDb) << "no field" << name;
    return value(column);
}

DbValue DbRecord::value(int column) const
{
    if (m_row < 0 || column < 0 || column >= m_rows->columnCount())
        return {};
    return m_rows->value(m_row, column);
}
