#include "platform/DbField.h"

#include "platform/DbDataSet.h"

QString DbField::name() const
{
    return m_dataSet ? m_dataSet->fieldName(m_column) : QString();
}

DbType DbField::type() const
{
    if (!m_dataSet)
        return DbType::Null;
    const DbType declared = m_dataSet->columnType(m_column);
    return declared != DbType::Null ? declared : value().type();
}

DbValue DbField::value() const
{
    return m_dataSet ? m_dataSet->currentValue(m_column) : DbValue();
}
