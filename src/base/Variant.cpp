#include "base/Variant.h"

#include "base/NumberFormat.h"

#include <QStringList>

#include <cmath>
#include <limits>

namespace {

using Type = Variant::Type;
using Status = Variant::Status;

// Limit of the 64-bit integers as a double: values at or beyond it do not fit.
constexpr double IntegerLimit = 9223372036854775808.0;

bool isIntegral(const Variant &v)
{
    return v.type() == Type::Integer || v.type() == Type::Boolean || v.type() == Type::Empty;
}

bool isTextual(const Variant &v)
{
    return v.type() == Type::String || v.type() == Type::Empty;
}

qint64 integralOf(const Variant &v)
{
    switch (v.type()) {
    case Type::Integer:
        return v.integerValue();
    case Type::Boolean:
        return v.boolValue() ? -1 : 0;
    default:
        return 0;
    }
}

// Both values as doubles, or the status of the one that is not a number.
Status bothDoubles(const Variant &a, const Variant &b, double &x, double &y)
{
    const std::optional<double> first = a.toDouble();
    const std::optional<double> second = b.toDouble();
    if (!first || !second)
        return Status::NotANumber;
    x = *first;
    y = *second;
    return Status::Ok;
}

int orderOf(double x, double y)
{
    if (x < y)
        return -1;
    if (x == y)
        return 0;
    return 1;
}

int compareTexts(const QString &x, const QString &y)
{
    if (x == y)
        return 0;
    const int order = QString::localeAwareCompare(x, y);
    return order != 0 ? order : QString::compare(x, y);
}

// Rounds a value to a 64-bit integer as the modulus needs it.
Status integerOperand(const Variant &v, qint64 &out)
{
    if (isIntegral(v)) {
        out = integralOf(v);
        return Status::Ok;
    }
    const std::optional<double> value = v.toDouble();
    if (!value)
        return Status::NotANumber;
    const double rounded = NumberFormat::roundHalfEven(*value);
    if (!(rounded >= -IntegerLimit && rounded < IntegerLimit))
        return Status::Overflow;
    out = qint64(rounded);
    return Status::Ok;
}

} // namespace

Variant Variant::null()
{
    Variant v;
    v.m_type = Type::Null;
    return v;
}

Variant Variant::dateTime(TDateTime value)
{
    Variant v(value);
    v.m_type = Type::Date;
    return v;
}

QString Variant::toText() const
{
    switch (m_type) {
    case Type::Empty:
    case Type::Null:
        return {};
    case Type::Integer:
        return QString::number(m_integer);
    case Type::Double:
        return NumberFormat::floatToText(m_double);
    case Type::Boolean:
        return m_bool ? QStringLiteral("True") : QStringLiteral("False");
    case Type::String:
        return m_text;
    case Type::Date: {
        const double day = std::trunc(m_double);
        const bool hasTime = m_double != day;
        if (day == 0 && hasTime)
            return DateTime::format(u"h:nn:ss", m_double);
        if (!hasTime)
            return DateTime::shortDate(m_double);
        return DateTime::shortDate(m_double) + QLatin1Char(' ') + DateTime::format(u"h:nn:ss", m_double);
    }
    }
    return {};
}

std::optional<double> Variant::toDouble() const
{
    switch (m_type) {
    case Type::Empty:
        return 0.0;
    case Type::Null:
        return std::nullopt;
    case Type::Integer:
        return double(m_integer);
    case Type::Double:
    case Type::Date:
        return m_double;
    case Type::Boolean:
        return m_bool ? -1.0 : 0.0;
    case Type::String:
        return NumberFormat::textToFloat(m_text);
    }
    return std::nullopt;
}

std::optional<TDateTime> Variant::toDateTime() const
{
    if (m_type != Type::String)
        return toDouble();
    if (const auto date = dateFromText(m_text))
        return date;
    if (const auto time = timeFromText(m_text))
        return time;
    return NumberFormat::textToFloat(m_text);
}

std::optional<TDateTime> Variant::dateFromText(QStringView text)
{
    return DateTime::parse(text);
}

std::optional<TDateTime> Variant::timeFromText(QStringView text)
{
    const QStringList fields = text.trimmed().toString().split(QLatin1Char(':'));
    if (fields.size() < 2 || fields.size() > 3)
        return std::nullopt;
    int parts[3] = {0, 0, 0};
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const std::optional<qint64> value = NumberFormat::textToInteger(fields[i]);
        if (!value || *value < 0 || *value >= (i == 0 ? 24 : 60))
            return std::nullopt;
        parts[i] = int(*value);
    }
    return DateTime::encodeTime(parts[0], parts[1], parts[2]);
}

Variant::Status Variant::add(const Variant &a, const Variant &b, Variant &result)
{
    if (a.isNull() || b.isNull()) {
        result = null();
        return Status::Ok;
    }
    if ((a.m_type == Type::String || b.m_type == Type::String) && isTextual(a) && isTextual(b)) {
        result = Variant(a.m_text + b.m_text);
        return Status::Ok;
    }
    if (isIntegral(a) && isIntegral(b)) {
        qint64 sum = 0;
        if (!__builtin_add_overflow(integralOf(a), integralOf(b), &sum)) {
            result = Variant(sum);
            return Status::Ok;
        }
    }
    double x = 0, y = 0;
    if (bothDoubles(a, b, x, y) != Status::Ok)
        return Status::NotANumber;
    const bool date = (a.m_type == Type::Date) != (b.m_type == Type::Date);
    result = date ? dateTime(x + y) : Variant(x + y);
    return Status::Ok;
}

Variant::Status Variant::subtract(const Variant &a, const Variant &b, Variant &result)
{
    if (a.isNull() || b.isNull()) {
        result = null();
        return Status::Ok;
    }
    if (isIntegral(a) && isIntegral(b)) {
        qint64 difference = 0;
        if (!__builtin_sub_overflow(integralOf(a), integralOf(b), &difference)) {
            result = Variant(difference);
            return Status::Ok;
        }
    }
    double x = 0, y = 0;
    if (bothDoubles(a, b, x, y) != Status::Ok)
        return Status::NotANumber;
    const bool date = a.m_type == Type::Date && b.m_type != Type::Date;
    result = date ? dateTime(x - y) : Variant(x - y);
    return Status::Ok;
}

Variant::Status Variant::multiply(const Variant &a, const Variant &b, Variant &result)
{
    if (a.isNull() || b.isNull()) {
        result = null();
        return Status::Ok;
    }
    if (isIntegral(a) && isIntegral(b)) {
        qint64 product = 0;
        if (!__builtin_mul_overflow(integralOf(a), integralOf(b), &product)) {
            result = Variant(product);
            return Status::Ok;
        }
    }
    double x = 0, y = 0;
    if (bothDoubles(a, b, x, y) != Status::Ok)
        return Status::NotANumber;
    result = Variant(x * y);
    return Status::Ok;
}

Variant::Status Variant::divide(const Variant &a, const Variant &b, Variant &result)
{
    if (a.isNull() || b.isNull()) {
        result = null();
        return Status::Ok;
    }
    double x = 0, y = 0;
    if (bothDoubles(a, b, x, y) != Status::Ok)
        return Status::NotANumber;
    if (y == 0)
        return Status::DivisionByZero;
    result = Variant(x / y);
    return Status::Ok;
}

Variant::Status Variant::modulo(const Variant &a, const Variant &b, Variant &result)
{
    if (a.isNull() || b.isNull()) {
        result = null();
        return Status::Ok;
    }
    qint64 x = 0, y = 0;
    if (const Status s = integerOperand(a, x); s != Status::Ok)
        return s;
    if (const Status s = integerOperand(b, y); s != Status::Ok)
        return s;
    if (y == 0)
        return Status::DivisionByZero;
    // The smallest integer modulo -1 overflows in the processor.
    result = Variant(y == -1 ? qint64(0) : x % y);
    return Status::Ok;
}

Variant::Status Variant::negate(const Variant &a, Variant &result)
{
    switch (a.m_type) {
    case Type::Null:
        result = null();
        return Status::Ok;
    case Type::Empty:
    case Type::Boolean:
    case Type::Integer: {
        const qint64 value = integralOf(a);
        result = value == std::numeric_limits<qint64>::min() ? Variant(-double(value)) : Variant(-value);
        return Status::Ok;
    }
    case Type::Date:
        result = dateTime(-a.m_double);
        return Status::Ok;
    case Type::Double:
    case Type::String: {
        const std::optional<double> value = a.toDouble();
        if (!value)
            return Status::NotANumber;
        result = Variant(-*value);
        return Status::Ok;
    }
    }
    return Status::NotANumber;
}

Variant::Status Variant::compare(const Variant &a, const Variant &b, int &order)
{
    if (a.isNull() || b.isNull()) {
        order = a.isNull() == b.isNull() ? 0 : (a.isNull() ? -1 : 1);
        return Status::Ok;
    }
    if (isTextual(a) && isTextual(b)) {
        order = compareTexts(a.m_text, b.m_text);
        return Status::Ok;
    }
    if ((a.m_type == Type::Boolean && b.m_type == Type::String) ||
        (a.m_type == Type::String && b.m_type == Type::Boolean)) {
        order = compareTexts(a.toText(), b.toText());
        return Status::Ok;
    }
    if ((a.m_type == Type::Date && b.m_type == Type::String) || (a.m_type == Type::String && b.m_type == Type::Date)) {
        const std::optional<TDateTime> x = a.toDateTime();
        const std::optional<TDateTime> y = b.toDateTime();
        if (!x || !y)
            return Status::NotADate;
        order = orderOf(*x, *y);
        return Status::Ok;
    }
    if (isIntegral(a) && isIntegral(b)) {
        const qint64 x = integralOf(a);
        const qint64 y = integralOf(b);
        order = x < y ? -1 : (x > y ? 1 : 0);
        return Status::Ok;
    }
    double x = 0, y = 0;
    if (bothDoubles(a, b, x, y) != Status::Ok)
        return Status::NotANumber;
    order = orderOf(x, y);
    return Status::Ok;
}

bool Variant::operator==(const Variant &other) const
{
    if (m_type != other.m_type)
        return false;
    switch (m_type) {
    case Type::Empty:
    case Type::Null:
        return true;
    case Type::Integer:
        return m_integer == other.m_integer;
    case Type::Double:
    case Type::Date:
        return m_double == other.m_double;
    case Type::Boolean:
        return m_bool == other.m_bool;
    case Type::String:
        return m_text == other.m_text;
    }
    return false;
}
