#include "base/DateTime.h"
#include "base/Clock.h"

#include <gtest/gtest.h>

TEST(DateTime, DaysCountFromTheEpoch)
{
    EXPECT_EQ(DateTime::fromDate(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(DateTime::fromDate(QDate(2000, 1, 1)), 36526.0);
    EXPECT_EQ(DateTime::toDate(36526.0), QDate(2000, 1, 1));
    EXPECT_EQ(DateTime::fromDate(QDate()), DateTime::None);
    EXPECT_DOUBLE_EQ(DateTime::encodeTime(6, 0), 0.25);
}

TEST(DateTime, TimeOfDayRoundTripsToTheMillisecond)
{
    const QDateTime moment(QDate(2024, 2, 29), QTime(23, 59, 59, 999));
    const TDateTime value = DateTime::fromDateTime(moment);
    EXPECT_EQ(DateTime::toDateTime(value), moment);
    // A value a hair below midnight rounds into the next day, never to 24:00.
    EXPECT_EQ(DateTime::toDateTime(45000.9999999999), QDateTime(QDate(2023, 3, 16), QTime(0, 0)));
}

TEST(DateTime, NegativeValuesKeepTheTimeAfterTheirDay)
{
    // -1.25 is 1899-12-29 06:00.
    EXPECT_EQ(DateTime::toDate(-1.25), QDate(1899, 12, 29));
    EXPECT_EQ(DateTime::toTime(-1.25), QTime(6, 0));
    EXPECT_DOUBLE_EQ(DateTime::fromDateTime(QDateTime(QDate(1899, 12, 29), QTime(6, 0))), -1.25);
}

TEST(DateTime, FormatLetters)
{
    const TDateTime v = DateTime::fromDateTime(QDateTime(QDate(2019, 5, 1), QTime(9, 5, 7, 30)));
    EXPECT_EQ(DateTime::shortDate(v), QStringLiteral("2019/05/01"));
    EXPECT_EQ(DateTime::shortTime(v), QStringLiteral("09:05"));
    EXPECT_EQ(DateTime::format(u"yy/m/d h:n:s.zzz", v), QStringLiteral("19/5/1 9:5:7.030"));
    EXPECT_EQ(DateTime::format(u"hh:mm", v), QStringLiteral("09:05")); // mm after hh is minutes
    EXPECT_EQ(DateTime::format(u"yyyy\"年\"mm'月'", v), QStringLiteral("2019年05月"));
    EXPECT_EQ(DateTime::format(u"ddd", v), QStringLiteral("水"));
    EXPECT_EQ(DateTime::format(u"ampm h", DateTime::encodeTime(13, 0)), QStringLiteral("午後 13"));
}

TEST(DateTime, EraLetters)
{
    EXPECT_EQ(DateTime::format(u"ggee年mm月dd日", DateTime::encodeDate(2019, 5, 1)),
              QStringLiteral("令和01年05月01日"));
    EXPECT_EQ(DateTime::format(u"gge", DateTime::encodeDate(2019, 4, 30)), QStringLiteral("平成31"));
    EXPECT_EQ(DateTime::format(u"ge", DateTime::encodeDate(1989, 1, 7)), QStringLiteral("昭64"));
    EXPECT_EQ(DateTime::format(u"ggee", DateTime::encodeDate(1912, 7, 30)), QStringLiteral("大正01"));
    EXPECT_EQ(DateTime::format(u"ggee", DateTime::encodeDate(1860, 1, 1)), QString());
}

TEST(DateTime, Parse)
{
    EXPECT_EQ(DateTime::parse(u"2024/2/29"), DateTime::encodeDate(2024, 2, 29));
    EXPECT_EQ(DateTime::parse(u"2024-02-29 10:30"), DateTime::encodeDate(2024, 2, 29) + DateTime::encodeTime(10, 30));
    EXPECT_FALSE(DateTime::parse(u"2023/2/29"));
    EXPECT_FALSE(DateTime::parse(u"2023/2"));
    EXPECT_FALSE(DateTime::parse(u"abc"));
    EXPECT_FALSE(DateTime::parse(u"2023/1/1 25:00"));
}

TEST(Text, ZeroPadded)
{
    EXPECT_EQ(Text::zeroPadded(123, 8), QStringLiteral("00000123"));
    EXPECT_EQ(Text::zeroPadded(-5, 3), QStringLiteral("-005"));
    EXPECT_EQ(Text::zeroPadded(123456789, 8), QStringLiteral("123456789"));
    const QString yoshi = QString::fromUcs4(U"\U00020BB7");
    EXPECT_EQ(Text::leftCharacters(QStringLiteral("a") + yoshi + QStringLiteral("b"), 2), QStringLiteral("a") + yoshi);
    EXPECT_EQ(Text::leftCharacters(QStringLiteral("ab"), 5), QStringLiteral("ab"));
    EXPECT_EQ(Text::characterCount(QStringLiteral("a") + yoshi + yoshi), 3);
    // A lone half counts as a character of its own.
    EXPECT_EQ(Text::characterCount(yoshi.left(1) + QStringLiteral("a")), 2);
}

TEST(Clock, FixedMoment)
{
    Clock::setFixed(QDateTime(QDate(2026, 12, 6), QTime(10, 0)));
    EXPECT_EQ(Clock::today(), DateTime::encodeDate(2026, 12, 6));
    EXPECT_EQ(Clock::currentDate(), QDate(2026, 12, 6));
    Clock::reset();
    EXPECT_NE(Clock::currentDateTime(), QDateTime(QDate(2026, 12, 6), QTime(10, 0)));
}

TEST(DateTime, SlashStandsForTheDateSeparator)
{
    const QChar separator = DateTime::dateSeparator();
    const QString shortFormat = DateTime::shortDateFormat();
    DateTime::setDateSeparator(QLatin1Char('-'));
    DateTime::setShortDateFormat(QStringLiteral("dd/mm/yyyy"));
    EXPECT_EQ(DateTime::shortDate(DateTime::encodeDate(2020, 1, 2)), QStringLiteral("02-01-2020"));
    EXPECT_EQ(DateTime::format(u"yyyy'/'mm", DateTime::encodeDate(2020, 1, 2)), QStringLiteral("2020/01"));
    DateTime::setDateSeparator(separator);
    DateTime::setShortDateFormat(shortFormat);
    EXPECT_EQ(DateTime::shortDate(DateTime::encodeDate(2020, 1, 2)), QStringLiteral("2020/01/02"));
}
