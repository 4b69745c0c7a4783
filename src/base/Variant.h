#pragma once

#include "base/DateTime.h"

#include <QString>

#include <optional>

// The value of a report expression: nothing yet (empty), a database null, a
// 64-bit integer, a double, a Boolean, a text or a date-time. Arithmetic
// follows the variant rules the report templates were written for: texts
// are read as numbers where a number is needed, an empty value counts as 0
// or as the empty text, a null makes the result null, a Boolean counts as
// -1 or 0, and an integer result that overflows becomes a double.
class Variant
{
public:
    enum class Type : quint8 { Empty, Null, Integer, Double, Boolean, String, Date };
    // What an operation met instead of a result.
    enum class Status { Ok, NotANumber, NotADate, DivisionByZero, Overflow };

    Variant() = default;
    Variant(int value) : m_type(Type::Integer), m_integer(value) {}
    Variant(qint64 value) : m_type(Type::Integer), m_integer(value) {}
    Variant(double value) : m_type(Type::Double), m_double(value) {}
    Variant(bool value) : m_type(Type::Boolean), m_bool(value) {}
    Variant(QString value) : m_type(Type::String), m_text(std::move(value)) {}
    // A narrow literal would silently become a Boolean.
    Variant(const char *) = delete;

    [[nodiscard]] static Variant null();
    [[nodiscard]] static Variant dateTime(TDateTime value);

    [[nodiscard]] Type type() const { return m_type; }
    [[nodiscard]] bool isEmpty() const { return m_type == Type::Empty; }
    [[nodiscard]] bool isNull() const { return m_type == Type::Null; }
    [[nodiscard]] qint64 integerValue() const { return m_integer; }
    [[nodiscard]] double doubleValue() const { return m_double; }
    [[nodiscard]] bool boolValue() const { return m_bool; }
    [[nodiscard]] const QString &stringValue() const { return m_text; }

    // The text form: empty and null give "", a double its general text, a
    // Boolean "True" or "False", a date-time "yyyy/mm/dd", "h:nn:ss" or both.
    [[nodiscard]] QString toText() const;
    // The value as a number; a text must read as one. Null has none.
    [[nodiscard]] std::optional<double> toDouble() const;
    // The value as a date-time; a text must read as a date, a date with a
    // time, a time or a number.
    [[nodiscard]] std::optional<TDateTime> toDateTime() const;

    // "yyyy/m/d" with an optional time; nullopt for anything else.
    [[nodiscard]] static std::optional<TDateTime> dateFromText(QStringView text);
    // "h:n" or "h:n:s"; nullopt for anything else.
    [[nodiscard]] static std::optional<TDateTime> timeFromText(QStringView text);

    // Two texts are joined; otherwise numbers are added (a date-time plus a
    // number stays a date-time).
    static Status add(const Variant &a, const Variant &b, Variant &result);
    static Status subtract(const Variant &a, const Variant &b, Variant &result);
    static Status multiply(const Variant &a, const Variant &b, Variant &result);
    // Always a double.
    static Status divide(const Variant &a, const Variant &b, Variant &result);
    // Integer remainder with the sign of a; doubles are rounded first.
    static Status modulo(const Variant &a, const Variant &b, Variant &result);
    static Status negate(const Variant &a, Variant &result);
    // order < 0, 0 or > 0. Texts compare as texts, everything else as
    // numbers (a text against a date-time as a date-time); a null is below
    // every other value and equal only to a null.
    static Status compare(const Variant &a, const Variant &b, int &order);

    // Same type and same value; for tests and caches, not the "=" operator.
    [[nodiscard]] bool operator==(const Variant &other) const;

private:
    Type m_type = Type::Empty;
    bool m_bool = false;
    qint64 m_integer = 0;
    double m_double = 0;
    QString m_text;
};
