#include "scheduling/TRequestTable.h"
#include "scheduling/TTimeTable.h"
#include "scheduling/TUserMonthBook.h"

#include <gtest/gtest.h>

namespace {

TIMETABLE_ITEM frame(const QString &name, int resNo)
{
    TIMETABLE_ITEM item;
    item.LName = name;
    item.ResNo = resNo;
    return item;
}

TEST(TTimeTable, LooksUpByFirstExactNameAndKeepsKeysOnUpdate)
{
    TTimeTable list;
    EXPECT_EQ(list.IndexOf(QStringLiteral("L0")), -1);
    list.Add(frame(QStringLiteral("L0"), 1));
    list.Add(frame(QStringLiteral("L1"), 2));
    list.Add(frame(QStringLiteral("L1"), 3));
    EXPECT_EQ(list.IndexOf(QStringLiteral("L1")), 1);
    EXPECT_EQ(list.IndexOf(QStringLiteral("l1")), -1);

    EXPECT_FALSE(list.SetPNo(QStringLiteral("L9"), 5));
    for (const TIMETABLE_ITEM &item : list.items())
        EXPECT_EQ(item.PNo, 0);
    EXPECT_TRUE(list.SetPNo(QStringLiteral("L1"), 5));
    EXPECT_EQ(list.Get(1).PNo, 5);

    TIMETABLE_ITEM other = frame(QStringLiteral("X"), 99);
    other.PNo = 7;
    other.Cap = 4;
    other.Fnn = 30;
    ASSERT_TRUE(list.Update(1, other));
    const TIMETABLE_ITEM updated = list.Get(1);
    EXPECT_EQ(updated.LName, QStringLiteral("L1"));
    EXPECT_EQ(updated.ResNo, 2);
    EXPECT_EQ(updated.PNo, 5);
    EXPECT_EQ(updated.Cap, 4);
    EXPECT_EQ(updated.Fnn, 30);

    EXPECT_FALSE(list.Delete(3));
    EXPECT_FALSE(list.Update(-1, other));
    ASSERT_TRUE(list.Delete(0));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Get(0).ResNo, 2);
}

TEST(TRequestTable, OverlapIsHalfOpenAndComparesFullDates)
{
    const TDateTime day = DateTime::encodeDate(2026, 12, 1);
    TRequestTable list;
    EXPECT_FALSE(list.IsRequestOverlapped(day, DateTime::encodeTime(9, 0), 30));
    TREQUEST_ITEM record;
    record.RegistDay = day;
    record.StartTime = DateTime::encodeTime(9, 0);
    record.Fnn = 30;
    list.Add(record);

    struct Case
    {
        TDateTime day;
        int hour, minute, minutes;
        bool overlaps;
    };
    const Case cases[] = {
        {day, 9, 30, 30, false},
        {day, 9, 29, 1, true},
        {day, 8, 30, 30, false},
        {day, 8, 30, 31, true},
        {day + 1, 9, 0, 30, false},
        // The 1st of the next month is another day.
        {DateTime::encodeDate(2027, 1, 1), 9, 0, 30, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(list.IsRequestOverlapped(c.day, DateTime::encodeTime(c.hour, c.minute), c.minutes), c.overlaps)
            << c.hour << ":" << c.minute << " " << c.minutes;

    TREQUEST_ITEM other = record;
    other.PNo = 3;
    other.LName = QStringLiteral("W");
    other.Flag = true;
    ASSERT_TRUE(list.Update(0, other));
    EXPECT_TRUE(list.Get(0).Flag);
    EXPECT_EQ(list.Get(0).PNo, 0);
    ASSERT_TRUE(list.Put(0, other));
    EXPECT_EQ(list.Get(0).LName, QStringLiteral("W"));
}

TEST(TUserMonthBook, ExpandsTheWeekOverTheMonth)
{
    TUserMonthBook book;
    TUserWeekBook::Week week{};
    week[6] = {DateTime::encodeTime(10, 0), 40}; // Sunday
    week[0] = {DateTime::encodeTime(0, 0), 40};  // Monday at 00:00: never active
    week[1] = {DateTime::encodeTime(9, 0), 0};   // Tuesday without minutes
    book.SetWeek(week);
    // 1 February 2026 is a Sunday; the month has 28 days.
    const TUserMonthBook::Month month = book.BuildMonth(DateTime::encodeDate(2026, 2, 14));
    EXPECT_TRUE(month[0].Active);
    EXPECT_EQ(month[0].Minutes, 40);
    EXPECT_FALSE(month[1].Active);
    EXPECT_EQ(month[1].Minutes, 40);
    EXPECT_FALSE(month[2].Active);
    EXPECT_TRUE(month[7].Active);
    for (int day = 28; day < 31; ++day) {
        EXPECT_FALSE(month[std::size_t(day)].Active);
        EXPECT_EQ(month[std::size_t(day)].Minutes, 0);
    }
}

} // namespace
