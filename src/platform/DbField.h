#pragma once

#include "platform/DbValue.h"

class DbDataSet;
struct DbCell;

// One column of a data set, reading the value of its current row (or of the
// row being edited or appended). Look a field up once and read it on every
// row:
//
//     const DbField code = staff.field(u"CD");
//     for (staff.first(); !staff.eof(); staff.next())
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

    // The typed getters convert as DbValue's do.
    [[nodiscard]] DbValue value() const;
    [[nodiscard]] bool isNull() const;
    [[nodiscard]] int asInteger() const { return int(asLargeInt()); }
    [[nodiscard]] qint64 asLargeInt() const;
    [[nodiscard]] double asDouble() const;
    [[nodiscard]] QString asString() const;
    [[nodiscard]] TDateTime asDateTime() const;
    [[nodiscard]] bool asBoolean() const { return value().asBoolean(); }
    [[nodiscard]] QByteArray asBytes() const { return value().asBytes(); }

private:
    friend class DbDataSet;
    // The stored value of the current row, read without making a DbValue;
    // null while a row is edited or there is none.
    [[nodiscard]] const DbCell *storedCell() const;

    DbField(const DbDataSet &dataSet, int column) : m_dataSet(&dataSet), m_column(column) {}

    const DbDataSet *m_dataSet = nullptr;
    int m_column = -1;
};
