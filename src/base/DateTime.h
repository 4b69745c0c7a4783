#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>

// Date-time values as stored and computed throughout the system: days since
// 1899-12-30 as a double, the fraction being the time of day. The value 0
// stands for "none" in stored rows.
using TDateTime = double;

namespace DateTime {

inline constexpr TDateTime None = 0.0;

[[nodiscard]] QDate epoch();

[[nodiscard]] TDateTime fromDate(const QDate &date);
[[nodiscard]] TDateTime fromTime(const QTime &time);
[[nodiscard]] TDateTime fromDateTime(const QDateTime &dateTime);
[[nodiscard]] TDateTime encodeDate(int year, int month, int day);
[[nodiscard]] TDateTime encodeTime(int hour, int minute, int second = 0, int msec = 0);

// The calendar day of a value: its integral part (toward zero; a negative
// value's fraction is still the time of day after that day began).
[[nodiscard]] QDate toDate(TDateTime value);
// The time of day of a value, to the millisecond.
[[nodiscard]] QTime toTime(TDateTime value);
[[nodiscard]] QDateTime toDateTime(TDateTime value);

[[nodiscard]] TDateTime dateOf(TDateTime value);
[[nodiscard]] TDateTime timeOf(TDateTime value);

// Formats a value with the date-time format letters the system uses:
// yyyy yy mmmm mmm mm m dddd ddd dd d hh h nn n ss s zzz ampm am/pm,
// "/" the date separator, ":" the time separator, "..." and '...' literal text.
// After h or hh, mm and m stand for minutes. Era letters (gg g ee e) go
// through the era table.
[[nodiscard]] QString format(QStringView pattern, TDateTime value);

// The process-wide date settings: the separator that "/" in a pattern
// stands for, and the short date format. The main window sets "/" and
// "yyyy/mm/dd" while the program runs and restores what it found.
[[nodiscard]] QChar dateSeparator();
void setDateSeparator(QChar separator);
[[nodiscard]] QString shortDateFormat();
void setShortDateFormat(const QString &pattern);

// A value in the short date format.
[[nodiscard]] QString shortDate(TDateTime value);
// "hh:nn".
[[nodiscard]] QString shortTime(TDateTime value);

// Reads "yyyy/m/d" (separator "/" or "-"), optionally followed by a time
// "h:n[:s]". Returns nullopt on anything else.
[[nodiscard]] std::optional<TDateTime> parse(QStringView text);

} // namespace DateTime

namespace Text {

// Zero-padded decimal as "%8.8d" prints it: at least `digits` digits, the
// sign in front of the padding.
[[nodiscard]] QString zeroPadded(qint64 value, int digits);
// The first `count` characters (code points, as a VARCHAR column counts
// them): a surrogate pair is never split.
[[nodiscard]] QString leftCharacters(const QString &text, qsizetype count);
// The number of characters as leftCharacters counts them.
[[nodiscard]] qsizetype characterCount(QStringView text);

} // namespace Text
