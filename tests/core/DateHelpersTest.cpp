#include "core/DateHelpers.h"
#include "core/InputHelpers.h"

#include <gtest/gtest.h>

namespace {

TDateTime ymd(int y, int m, int d)
{
    return DateTime::encodeDate(y, m, d);
}

} // namespace

TEST(DateHelpers, FirstDayOfMonth)
{
    EXPECT_EQ(FirstDayOfMonthText(ymd(2008, 6, 15)), QStringLiteral("2008/06/01"));
    EXPECT_EQ(FirstDayOfMonthText(ymd(2024, 12, 31) + 0.5), QStringLiteral("2024/12/01"));
    EXPECT_EQ(FirstDayOfMonth(ymd(2008, 6, 15) + 0.5), ymd(2008, 6, 1));
    EXPECT_EQ(FirstDayOfMonth(ymd(2000, 1, 1)), ymd(2000, 1, 1));
}

TEST(DateHelpers, DateWithWeekday)
{
    EXPECT_EQ(FormatDateWithWeekday(ymd(2008, 6, 15)), QStringLiteral("15 (日)"));
    EXPECT_EQ(FormatDateWithWeekday(ymd(2008, 6, 16)), QStringLiteral("16 (月)"));
    EXPECT_EQ(FormatDateWithWeekday(ymd(2008, 6, 7)), QStringLiteral(" 7 (土)"));
}

TEST(DateHelpers, YearsBetweenDatesIsTheAgeOnTheLaterDate)
{
    EXPECT_EQ(YearsBetweenDates(ymd(2000, 3, 1), ymd(2010, 2, 28)), 9);
    // On the birthday the year is complete; days divided by 365.25 would
    // still give 9 here.
    EXPECT_EQ(YearsBetweenDates(ymd(2000, 3, 1), ymd(2010, 3, 1)), 10);
    EXPECT_EQ(YearsBetweenDates(ymd(1940, 1, 1), ymd(2020, 1, 1)), 80);
    EXPECT_EQ(YearsBetweenDates(ymd(1940, 1, 2), ymd(2020, 1, 1)), 79);
    // Born on 29 February: the year is complete on 1 March of a common year.
    EXPECT_EQ(YearsBetweenDates(ymd(2000, 2, 29), ymd(2001, 2, 28)), 0);
    EXPECT_EQ(YearsBetweenDates(ymd(2000, 2, 29), ymd(2001, 3, 1)), 1);
    EXPECT_EQ(YearsBetweenDates(ymd(2000, 2, 29), ymd(2004, 2, 29)), 4);
    // The time of day does not count, and the order gives the sign.
    EXPECT_EQ(YearsBetweenDates(ymd(2000, 3, 1) + 0.9, ymd(2010, 3, 1) + 0.1), 10);
    EXPECT_EQ(YearsBetweenDates(ymd(2010, 3, 1), ymd(2000, 3, 1)), -10);
    EXPECT_EQ(YearsBetweenDates(ymd(2010, 2, 28), ymd(2000, 3, 1)), -9);
    EXPECT_EQ(YearsBetweenDates(ymd(2000, 3, 1), ymd(2000, 3, 1)), 0);
}

TEST(InputHelpers, FirstNonBlankPos)
{
    EXPECT_EQ(FirstNonBlankPos(u"  ab", 1), 3);
    EXPECT_EQ(FirstNonBlankPos(u"ab  cd", 3), 5);
    EXPECT_EQ(FirstNonBlankPos(u"ab", 2), 2);
    EXPECT_EQ(FirstNonBlankPos(u"ab   ", 3), 6);
    EXPECT_EQ(FirstNonBlankPos(u"", 1), 1);
    EXPECT_EQ(FirstNonBlankPos(u"ab", 9), 3);
    EXPECT_EQ(FirstNonBlankPos(u" a", 0), 2);
    // The full-width blank is a character like any other.
    EXPECT_EQ(FirstNonBlankPos(u" 　a", 1), 2);
}
