#pragma once

#include "platform/DbDate.h"

#include <QByteArray>
#include <QString>

// The kinds of column values. Integer columns are read as 64-bit integers.
enum class DbType { Null, Integer, Double, Boolean, Text, DateTime, Blob };

// One value read from a column, or bound to a parameter or written to a
// field. The typed getters convert the way the rest of the program expects
// (a NULL reads as 0, empty or false; a date as its TDateTime).
class DbValue
{
public:
    DbValue() = default;
    DbValue(int value) : m_type(DbType::Integer), m_integer(value) {}
    DbValue(qint64 value) : m_type(DbType::Integer), m_integer(value) {}
    DbValue(double value) : m_type(DbType::Double), m_number(value) {}
    DbValue(bool value) : m_type(DbType::Boolean), m_boolean(value) {}
    DbValue(QString value) : m_type(DbType::Text), m_text(std::move(value)) {}
    DbValue(QByteArray value) : m_type(DbType::Blob), m_bytes(std::move(value)) {}
    DbValue(DbDate value) : m_type(DbType::DateTime), m_number(value.value) {}
    // A pointer (a text literal above all) would silently become a bool.
    template <typename T> DbValue(T *) = delete;

    [[nodiscard]] DbType type() const { return m_type; }
    [[nodiscard]] bool isNull() const { return m_type == DbType::Null; }

    // Integers as they are (asInteger keeps the low 32 bits), a double
    // rounded, a date's day, a Boolean 0/1, a text by its decimal value (0
    // when it has none).
    [[nodiscard]] int asInteger() const;
    [[nodiscard]] qint64 asLargeInt() const;
    [[nodiscard]] double asDouble() const;
    // Numbers in C-locale decimal form, a date as "yyyy/mm/dd" (with
    // " hh:nn:ss" when it has a time of day), a Boolean "True"/"False",
    // bytes as UTF-8.
    [[nodiscard]] QString asString() const;
    // A date, or a number taken as a TDateTime, or a text in the database's
    // date form; otherwise 0.
    [[nodiscard]] TDateTime asDateTime() const;
    // A Boolean, a nonzero number, or the text "true" or "1" in any case.
    [[nodiscard]] bool asBoolean() const;
    [[nodiscard]] QByteArray asBytes() const;

    // Same kind and value; an Integer and a Double compare by number.
    friend bool operator==(const DbValue &a, const DbValue &b);

private:
    DbType m_type = DbType::Null;
    union {
        qint64 m_integer = 0;
        double m_number; // Double, and DateTime as a TDateTime
        bool m_boolean;
    };
    QString m_text;
    QByteArray m_bytes;
};
