#include "platform/DbField.h"

#include "platform/DbDataSet.h"
#include "platform/DbRows.h"

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

const DbCell *DbField::storedCell() const
{
    return m_dataSet ? m_dataSet->currentCell(m_column) : nullptr;
}

DbValue DbField::value() const
{
    return m_dataSet ? m_dataSet->currentValue(m_column) : DbValue();
}

bool DbField::isNull() const
{
    if (const DbCell *cell = storedCell())
        return cell->type == DbType::Null;
    return value().isNull();
}

qint64 DbField::asLargeInt() const
{
    if (const DbCell *cell = storedCell(); cell && cell->type == DbType::Integer)
        return cell->integer;
    return value().asLargeInt();
}

double DbField::asDouble() const
{
    if (const DbCell *cell = storedCell(); cell && cell->type == DbType::Double)
        return cell->number;
    return value().asDouble();
}

QString DbField::asString() const
{
    if (const DbCell *cell = storedCell(); cell && cell->type == DbType::Text)
        return m_dataSet->m_rows->text(*cell);
    return value().asString();
}

TDateTime DbField::asDateTime() const
{
    if (const DbCell *cell = storedCell(); cell && cell->type == DbType::DateTime)
        return cell->number;
    return value().asDateTime();
}
