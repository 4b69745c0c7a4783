#pragma once

#include "platform/DbRows.h"
#include "platform/DbValue.h"

class DbDataSet;

// One column of a data set, reading the value of its current row (or of the
// row being edited or appended). Look a field up once and read it on every
// row:
//
//     const DbField code = staff.field(u"CD");
//     for (staff.first(); !staff.eof(); (void)staff.next()) // held whole: cannot fail
//         codes.append(code.asInteger());
//
// Valid until the data set is closed or reopened. A field that the data set
// does not have is invalid and reads as NULL.
class DbField
{
public:
    DbField() = default;

    [[nodiscard]] bool isValid() const { return m_dataSet != nullptr; }
    [[nodiscard]] QString name() const;
    // The declared kind of the column, else the kind of the current value.
    [[nodiscard]] DbType type() const;

    // The typed getters convert as DbValue's do. A stored value of the
    // getter's own kind is read in place (inline: they run once per value
    // when many rows are walked).
    [[nodiscard]] DbValue value() const;
    [[nodiscard]] bool isNull() const
    {
        if (const DbCell *cell = storedCell())
            return cell->type == DbType::Null;
        return value().isNull();
    }
    [[nodiscard]] int asInteger() const { return int(asLargeInt()); }
    [[nodiscard]] qint64 asLargeInt() const
    {
        if (const DbCell *cell = storedCell(); cell && cell->type == DbType::Integer)
            return cell->integer;
        return value().asLargeInt();
    }
    [[nodiscard]] double asDouble() const
    {
        if (const DbCell *cell = storedCell(); cell && cell->type == DbType::Double)
            return cell->number;
        return value().asDouble();
    }
    [[nodiscard]] QString asString() const
    {
        if (const DbCell *cell = storedCell(); cell && cell->type == DbType::Text)
            return DbRows::text(*cell);
        return value().asString();
    }
    [[nodiscard]] TDateTime asDateTime() const
    {
        if (const DbCell *cell = storedCell(); cell && cell->type == DbType::DateTime)
            return cell->number;
        return value().asDateTime();
    }
    [[nodiscard]] bool asBoolean() const { return value().asBoolean(); }
    [[nodiscard]] QByteArray asBytes() const { return value().asBytes(); }

private:
    friend class DbDataSet;

    DbField(const DbDataSet &dataSet, const DbCell *const &currentCells, const int &columnCount, int column)
        : m_dataSet(&dataSet), m_currentCells(&currentCells), m_columnCount(&columnCount), m_column(column)
    {}

    // The stored value of the current row, read in the data set's own row;
    // null while a row is edited or there is none.
    [[nodiscard]] const DbCell *storedCell() const
    {
        if (!m_dataSet || !*m_currentCells || m_column >= *m_columnCount)
            return nullptr;
        return *m_currentCells + m_column;
    }

    const DbDataSet *m_dataSet = nullptr;
    // The data set's current row and column count, which it keeps up to date.
    const DbCell *const *m_currentCells = nullptr;
    const int *m_columnCount = nullptr;
    int m_column = -1;
};
