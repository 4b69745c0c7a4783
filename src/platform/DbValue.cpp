#include "platform/DbValue.h"

#include <cmath>

int DbValue::asInteger() const
{
    return int(asLargeInt());
}

qint64 DbValue::asLargeInt() const
{
    switch (m_type) {
    case DbType::Integer:
        return m_integer;
    case DbType::Double:
        return std::abs(m_number) < 9.0e18 ? qint64(std::llround(m_number)) : 0;
    case DbType::Boolean:
        return m_boolean ? 1 : 0;
    case DbType::Text:
        return m_text.trimmed().toLongLong();
    case DbType::DateTime:
        return std::abs(m_number) < 9.0e18 ? qint64(std::trunc(m_number)) : 0;
    case DbType::Null:
    case DbType::Blob:
        break;
    }
    return 0;
}

double DbValue::asDouble() const
{
    switch (m_type) {
    case DbType::Integer:
        return double(m_integer);
    case DbType::Double:
    case DbType::DateTime:
        return m_number;
    case DbType::Boolean:
        return m_boolean ? 1.0 : 0.0;
    case DbType::Text:
        return m_text.trimmed().toDouble();
    case DbType::Null:
    case DbType::Blob:
        break;
    }
    return 0.0;
}

QString DbValue::asString() const
{
    switch (m_type) {
    case DbType::Integer:
        return QString::number(m_integer);
    case DbType::Double:
        return QString::number(m_number, 'g', 15);
    case DbType::Boolean:
        return m_boolean ? QStringLiteral("True") : QStringLiteral("False");
    case DbType::Text:
        return m_text;
    case DbType::DateTime:
        if (DateTime::timeOf(m_number) == 0)
            return DateTime::shortDate(m_number);
        return DateTime::format(u"yyyy/mm/dd hh:nn:ss", m_number);
    case DbType::Blob:
        return QString::fromUtf8(m_bytes);
    case DbType::Null:
        break;
    }
    return {};
}

TDateTime DbValue::asDateTime() const
{
    switch (m_type) {
    case DbType::Integer:
        return TDateTime(m_integer);
    case DbType::Double:
    case DbType::DateTime:
        return m_number;
    case DbType::Text:
        return DbDate::parse(QStringView(m_text)).value_or(DbDate{}).value;
    case DbType::Null:
    case DbType::Boolean:
    case DbType::Blob:
        break;
    }
    return DateTime::None;
}

bool DbValue::asBoolean() const
{
    switch (m_type) {
    case DbType::Integer:
        return m_integer != 0;
    case DbType::Double:
        return m_number != 0;
    case DbType::Boolean:
        return m_boolean;
    case DbType::Text: {
        const QString text = m_text.trimmed();
        return text.compare(u"true", Qt::CaseInsensitive) == 0 || text == u"1";
    }
    case DbType::Null:
    case DbType::DateTime:
    case DbType::Blob:
        break;
    }
    return false;
}

QByteArray DbValue::asBytes() const
{
    return m_type == DbType::Blob ? m_bytes : asString().toUtf8();
}

bool operator==(const DbValue &a, const DbValue &b)
{
    const auto numeric = [](DbType t) {
        return t == DbType::Integer || t == DbType::Double;
    };
    if (a.m_type != b.m_type)
        return numeric(a.m_type) && numeric(b.m_type) && a.asDouble() == b.asDouble();
    switch (a.m_type) {
    case DbType::Null:
        return true;
    case DbType::Integer:
        return a.m_integer == b.m_integer;
    case DbType::Double:
    case DbType::DateTime:
        return a.m_number == b.m_number;
    case DbType::Boolean:
        return a.m_boolean == b.m_boolean;
    case DbType::Text:
        return a.m_text == b.m_text;
    case DbType::Blob:
        return a.m_bytes == b.m_bytes;
    }
    return false;
}
