#include "core/TCalendor.h"

#include <gtest/gtest.h>

TEST(TCalendor, MonthsOf28To31Days)
{
    struct Case
    {
        int year, month, days;
    };
    for (const Case c : {Case{2007, 2, 28}, Case{2008, 2, 29}, Case{2008, 6, 30}, Case{2008, 12, 31}}) {
        TCalendor calendar;
        calendar.SetCalendorMonth(DateTime::encodeDate(c.year, c.month, 15) + 0.5);
        for (int i = 0; i < CalendorSlots; ++i) {
            const bool inMonth = i < c.days;
            EXPECT_EQ(calendar.DayNumber(i), inMonth ? i + 1 : 0);
            EXPECT_EQ(calendar.Data().DateStr[i].isEmpty(), !inMonth);
            EXPECT_EQ(calendar.IsSunday(i).isNull(), !inMonth);
        }
        EXPECT_EQ(calendar.Data().DateStr[c.days - 1],
                  QStringLiteral("%1/%2/%3").arg(c.year).arg(c.month, 2, 10, QLatin1Char('0')).arg(c.days));
    }
}

TEST(TCalendor, TextsOfTheDayColumns)
{
    TCalendor calendar;
    calendar.SetCalendorMonth(DateTime::encodeDate(2008, 6, 1)); // begins on a Sunday
    EXPECT_EQ(calendar.IsSunday(0), u'1');
    EXPECT_EQ(calendar.IsSunday(1), u'0');
    EXPECT_EQ(calendar.IsSunday(7), u'1');
    EXPECT_EQ(calendar.Data().Week[6], 6);
    EXPECT_EQ(calendar.DayCaption(1), QStringLiteral(" 2 (月)"));
    EXPECT_EQ(calendar.DayCaption(14), QStringLiteral("15 (日)"));
    EXPECT_EQ(calendar.DayText(4), QStringLiteral(" 5"));
    EXPECT_EQ(calendar.WeekName(6), QStringLiteral("土"));
    EXPECT_EQ(calendar.Data().DateStr[0], QStringLiteral("2008/06/01"));
    // Past the month's end: day 0 with the Sunday name.
    EXPECT_EQ(calendar.DayCaption(30), QStringLiteral(" 0 (日)"));
    EXPECT_EQ(calendar.WeekName(30), QStringLiteral("日"));
    EXPECT_EQ(calendar.DayText(30), QStringLiteral(" 0"));

    // A new month clears the slots of the old one.
    calendar.SetCalendorMonth(DateTime::encodeDate(2009, 2, 1));
    EXPECT_EQ(calendar.DayNumber(28), 0);
    EXPECT_TRUE(calendar.Data().DateStr[28].isEmpty());
    calendar.ClearCalendor();
    EXPECT_EQ(calendar.DayNumber(0), 0);
    EXPECT_TRUE(calendar.IsSunday(0).isNull());
}

TEST(TCalendor, SlotsOutsideTheTableGiveNothing)
{
    TCalendor calendar;
    calendar.SetCalendorMonth(DateTime::encodeDate(2008, 1, 1));
    for (int i : {-1, 31, 1000, std::numeric_limits<int>::min()}) {
        EXPECT_EQ(calendar.DayNumber(i), 0);
        EXPECT_EQ(calendar.DayCaption(i), QString());
        EXPECT_EQ(calendar.DayText(i), QString());
        EXPECT_EQ(calendar.WeekName(i), QString());
        EXPECT_TRUE(calendar.IsSunday(i).isNull());
    }
}
