#include "platform/DbDate.h"

namespace {

constexpr double MsecsPerDay = 86400000.0;

// The number of `count` digits at `pos` (which the caller knows to be in
// the text), or -1.
int digitsAt(std::string_view text, size_t pos, size_t count)
{
    int value = 0;
    for (size_t i = pos; i < pos + count; ++i) {
        const unsigned digit = unsigned(text[i] - '0');
        if (digit > 9)
            return -1;
        value = value * 10 + int(digit);
    }
    return value;
}

// Days since 1899-12-30 of a date of the proleptic Gregorian calendar, as
// QDate counts them; written out since reading dates is on the hot path of
// loading rows.
qint64 daysOf(int year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    constexpr qint64 UnixEpoch = 25569; // 1970-01-01
    return qint64(era) * 146097 + dayOfEra - 719468 + UnixEpoch;
}

bool isDate(int year, int month, int day)
{
    static constexpr int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || month < 1 || month > 12 || day < 1)
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= lengths[month - 1] + (month == 2 && leap ? 1 : 0);
}

// A TDateTime from its day and time of day, as DateTime::fromDateTime builds it.
DbDate combine(qint64 days, qint64 msecs)
{
    const double time = double(msecs) / MsecsPerDay;
    return DbDate{days < 0 ? double(days) - time : double(days) + time};
}

bool isOffset(std::string_view rest)
{
    if (rest == "Z")
        return true;
    if (rest.empty() || (rest[0] != '+' && rest[0] != '-'))
        return false;
    for (char c : rest.substr(1))
        if ((c < '0' || c > '9') && c != ':')
            return false;
    return rest.size() > 1;
}

} // namespace

bool DbDate::isValid() const
{
    const QDate date = DateTime::toDate(value);
    return date.isValid() && date.year() >= 1 && date.year() <= 9999;
}

QString DbDate::text() const
{
    if (!isValid())
        return {};
    const QDate date = DateTime::toDate(value);
    const QTime time = DateTime::toTime(value);
    // Written for every date bound to a statement: digits by hand, not
    // through snprintf; a valid year has four.
    const struct
    {
        int value;
        int digits;
        char16_t after;
    } parts[] = {{date.year(), 4, u'-'},   {date.month(), 2, u'-'},  {date.day(), 2, u' '}, {time.hour(), 2, u':'},
                 {time.minute(), 2, u':'}, {time.second(), 2, u'.'}, {time.msec(), 3, 0}};
    char16_t text[23];
    int at = 0;
    for (const auto &part : parts) {
        int value = part.value;
        for (int i = part.digits - 1; i >= 0; --i) {
            text[at + i] = char16_t(u'0' + value % 10);
            value /= 10;
        }
        at += part.digits;
        if (part.after)
            text[at++] = part.after;
    }
    return QString(reinterpret_cast<const QChar *>(text), 23);
}

std::optional<DbDate> DbDate::parse(std::string_view text)
{
    // The form stored in SQLite, read once per date of a large result.
    if (text.size() == 23 && text[4] == '-' && text[7] == '-' && text[10] == ' ' && text[13] == ':' &&
        text[16] == ':' && text[19] == '.') {
        const char *p = text.data();
        for (int at : {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18, 20, 21, 22}) {
            if (unsigned(p[at] - '0') > 9)
                return std::nullopt;
        }
        const int year = (p[0] - '0') * 1000 + (p[1] - '0') * 100 + (p[2] - '0') * 10 + (p[3] - '0');
        const int month = (p[5] - '0') * 10 + (p[6] - '0');
        const int day = (p[8] - '0') * 10 + (p[9] - '0');
        const int hour = (p[11] - '0') * 10 + (p[12] - '0');
        const int minute = (p[14] - '0') * 10 + (p[15] - '0');
        const int second = (p[17] - '0') * 10 + (p[18] - '0');
        const int millis = (p[20] - '0') * 100 + (p[21] - '0') * 10 + (p[22] - '0');
        if (hour > 23 || minute > 59 || second > 59 || !isDate(year, month, day))
            return std::nullopt;
        return combine(daysOf(year, month, day), ((hour * 60 + minute) * 60 + second) * qint64(1000) + millis);
    }
    if (text.size() < 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const int year = digitsAt(text, 0, 4);
    const int month = digitsAt(text, 5, 2);
    const int day = digitsAt(text, 8, 2);
    if (year < 0 || month < 0 || day < 0 || !isDate(year, month, day))
        return std::nullopt;

    qint64 msecs = 0;
    size_t pos = 10;
    if (pos < text.size() && (text[pos] == ' ' || text[pos] == 'T')) {
        if (text.size() < 19 || text[13] != ':' || text[16] != ':')
            return std::nullopt;
        const int hour = digitsAt(text, 11, 2);
        const int minute = digitsAt(text, 14, 2);
        const int second = digitsAt(text, 17, 2);
        if (hour < 0 || minute < 0 || second < 0 || hour > 23 || minute > 59 || second > 59)
            return std::nullopt;
        msecs = ((hour * 60 + minute) * 60 + second) * qint64(1000);
        pos = 19;
        if (pos < text.size() && text[pos] == '.') {
            // Rounded to the millisecond, the precision of stored dates.
            size_t end = pos + 1;
            int millis = 0;
            int shown = 0;
            for (; end < text.size() && text[end] >= '0' && text[end] <= '9'; ++end, ++shown) {
                if (shown < 3)
                    millis = millis * 10 + (text[end] - '0');
                else if (shown == 3 && text[end] >= '5')
                    ++millis;
            }
            if (shown == 0)
                return std::nullopt;
            for (; shown < 3; ++shown)
                millis *= 10;
            msecs += millis;
            pos = end;
        }
    }
    if (pos < text.size() && !isOffset(text.substr(pos)))
        return std::nullopt;

    return combine(daysOf(year, month, day), msecs);
}

std::optional<DbDate> DbDate::parse(QStringView text)
{
    const QByteArray latin = text.toLatin1();
    return parse(std::string_view(latin.constData(), size_t(latin.size())));
}
