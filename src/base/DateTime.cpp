#include "base/DateTime.h"

#include "base/Era.h"

#include <QLocale>

#include <cmath>

namespace {

constexpr qint64 MsecsPerDay = 86400000;

qint64 msecsOfDay(TDateTime value)
{
    double whole = 0;
    const double fraction = std::abs(std::modf(value, &whole));
    return std::llround(fraction * double(MsecsPerDay));
}

QString padded(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

// Counts how often the letter at pos repeats, ignoring case.
int runLength(QStringView pattern, qsizetype pos)
{
    const QChar c = pattern[pos].toLower();
    int n = 1;
    while (pos + n < pattern.size() && pattern[pos + n].toLower() == c)
        ++n;
    return n;
}

struct DateSettings
{
    QChar separator = QLatin1Char('/');
    QString shortFormat = QStringLiteral("yyyy/mm/dd");
};

DateSettings &dateSettings()
{
    static DateSettings settings;
    return settings;
}

} // namespace

namespace DateTime {

QChar dateSeparator()
{
    return dateSettings().separator;
}

void setDateSeparator(QChar separator)
{
    dateSettings().separator = separator;
}

QString shortDateFormat()
{
    return dateSettings().shortFormat;
}

void setShortDateFormat(const QString &pattern)
{
    dateSettings().shortFormat = pattern;
}

QDate epoch()
{
    return QDate(1899, 12, 30);
}

TDateTime fromDate(const QDate &date)
{
    return date.isValid() ? double(epoch().daysTo(date)) : None;
}

TDateTime fromTime(const QTime &time)
{
    return time.isValid() ? double(time.msecsSinceStartOfDay()) / double(MsecsPerDay) : 0.0;
}

TDateTime fromDateTime(const QDateTime &dateTime)
{
    if (!dateTime.isValid())
        return None;
    const double day = fromDate(dateTime.date());
    const double time = fromTime(dateTime.time());
    return day < 0 ? day - time : day + time;
}

TDateTime encodeDate(int year, int month, int day)
{
    return fromDate(QDate(year, month, day));
}

TDateTime encodeTime(int hour, int minute, int second, int msec)
{
    return fromTime(QTime(hour, minute, second, msec));
}

QDate toDate(TDateTime value)
{
    if (!std::isfinite(value) || std::abs(value) > 3.0e6)
        return {};
    qint64 days = qint64(std::trunc(value));
    if (msecsOfDay(value) >= MsecsPerDay)
        days += value < 0 ? -1 : 1;
    return epoch().addDays(days);
}

QTime toTime(TDateTime value)
{
    if (!std::isfinite(value))
        return {};
    const qint64 ms = msecsOfDay(value);
    return QTime::fromMSecsSinceStartOfDay(int(ms >= MsecsPerDay ? 0 : ms));
}

QDateTime toDateTime(TDateTime value)
{
    return QDateTime(toDate(value), toTime(value));
}

TDateTime dateOf(TDateTime value)
{
    return std::trunc(value);
}

TDateTime timeOf(TDateTime value)
{
    double whole = 0;
    return std::abs(std::modf(value, &whole));
}

QString format(QStringView pattern, TDateTime value)
{
    const QDate date = toDate(value);
    const QTime time = toTime(value);
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    const Era *era = Eras::of(date);
    QString out;
    bool afterHour = false;
    qsizetype pos = 0;
    while (pos < pattern.size()) {
        const QChar c = pattern[pos];
        const QChar lower = c.toLower();
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const qsizetype end = pattern.indexOf(c, pos + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            out += pattern.mid(pos + 1, stop - pos - 1);
            pos = stop + 1;
            continue;
        }
        if (pattern.mid(pos).startsWith(QLatin1String("am/pm"), Qt::CaseInsensitive)) {
            out += time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            pos += 5;
            continue;
        }
        if (pattern.mid(pos).startsWith(QLatin1String("ampm"), Qt::CaseInsensitive)) {
            out += time.hour() < 12 ? QStringLiteral("午前") : QStringLiteral("午後");
            pos += 4;
            continue;
        }
        const int n = runLength(pattern, pos);
        int used = n;
        if (lower == QLatin1Char('y')) {
            out += n <= 2 ? padded(date.year() % 100, 2) : padded(date.year(), 4);
        } else if (lower == QLatin1Char('m')) {
            if (afterHour && n <= 2) {
                out += n == 2 ? padded(time.minute(), 2) : QString::number(time.minute());
            } else if (n >= 4) {
                used = 4;
                out += japanese.monthName(date.month(), QLocale::LongFormat);
            } else if (n == 3) {
                out += japanese.monthName(date.month(), QLocale::ShortFormat);
            } else {
                out += n == 2 ? padded(date.month(), 2) : QString::number(date.month());
            }
            afterHour = false;
        } else if (lower == QLatin1Char('d')) {
            if (n >= 4) {
                used = 4;
                out += japanese.dayName(date.dayOfWeek(), QLocale::LongFormat);
            } else if (n == 3) {
                out += japanese.dayName(date.dayOfWeek(), QLocale::ShortFormat);
            } else {
                out += n == 2 ? padded(date.day(), 2) : QString::number(date.day());
            }
        } else if (lower == QLatin1Char('h')) {
            used = qMin(n, 2);
            out += used == 2 ? padded(time.hour(), 2) : QString::number(time.hour());
            afterHour = true;
        } else if (lower == QLatin1Char('n')) {
            used = qMin(n, 2);
            out += used == 2 ? padded(time.minute(), 2) : QString::number(time.minute());
            afterHour = false;
        } else if (lower == QLatin1Char('s')) {
            used = qMin(n, 2);
            out += used == 2 ? padded(time.second(), 2) : QString::number(time.second());
        } else if (lower == QLatin1Char('z')) {
            used = n >= 3 ? 3 : 1;
            out += used == 3 ? padded(time.msec(), 3) : QString::number(time.msec());
        } else if (lower == QLatin1Char('g')) {
            used = qMin(n, 2);
            if (era)
                out += used == 2 ? era->name : era->name.left(1);
        } else if (lower == QLatin1Char('e')) {
            used = qMin(n, 2);
            if (era) {
                const int year = date.year() - era->baseYear;
                out += used == 2 ? padded(year, 2) : QString::number(year);
            }
        } else if (c == QLatin1Char('/')) {
            used = 1;
            out += dateSeparator();
        } else {
            used = 1;
            out += c;
        }
        pos += used;
    }
    return out;
}

QString shortDate(TDateTime value)
{
    return format(shortDateFormat(), value);
}

QString shortTime(TDateTime value)
{
    return format(u"hh:nn", value);
}

std::optional<TDateTime> parse(QStringView text)
{
    const QString trimmed = text.trimmed().toString();
    const qsizetype blank = trimmed.indexOf(QLatin1Char(' '));
    const QString datePart = blank < 0 ? trimmed : trimmed.left(blank);
    const QString timePart = blank < 0 ? QString() : trimmed.mid(blank + 1).trimmed();
    QString normal = datePart;
    normal.replace(QLatin1Char('-'), QLatin1Char('/'));
    const QStringList fields = normal.split(QLatin1Char('/'));
    if (fields.size() != 3)
        return std::nullopt;
    bool okY = false, okM = false, okD = false;
    const QDate date(fields[0].toInt(&okY), fields[1].toInt(&okM), fields[2].toInt(&okD));
    if (!okY || !okM || !okD || !date.isValid())
        return std::nullopt;
    QTime time(0, 0);
    if (!timePart.isEmpty()) {
        const QStringList t = timePart.split(QLatin1Char(':'));
        if (t.size() < 2 || t.size() > 3)
            return std::nullopt;
        bool okH = false, okN = false, okS = true;
        const int s = t.size() == 3 ? t[2].toInt(&okS) : 0;
        time = QTime(t[0].toInt(&okH), t[1].toInt(&okN), s);
        if (!okH || !okN || !okS || !time.isValid())
            return std::nullopt;
    }
    const TDateTime day = fromDate(date);
    return day < 0 ? day - fromTime(time) : day + fromTime(time);
}

} // namespace DateTime

namespace Text {

QString zeroPadded(qint64 value, int digits)
{
    const QString magnitude = QString::number(value < 0 ? -value : value).rightJustified(digits, QLatin1Char('0'));
    return value < 0 ? QLatin1Char('-') + magnitude : magnitude;
}

namespace {

// The UTF-16 units of the character that starts at `at`: 2 for a surrogate
// pair, else 1 (a lone half counts as a character of its own).
qsizetype unitsAt(QStringView text, qsizetype at)
{
    return text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate() ? 2 : 1;
}

} // namespace

QString leftCharacters(const QString &text, qsizetype count)
{
    qsizetype end = 0;
    for (qsizetype n = 0; n < count && end < text.size(); ++n)
        end += unitsAt(text, end);
    return text.left(end);
}

qsizetype characterCount(QStringView text)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++count)
        i += unitsAt(text, i);
    return count;
}

} // namespace Text
