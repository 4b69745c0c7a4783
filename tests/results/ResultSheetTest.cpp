#include "DatabaseFixture.h"
#include "ResultRows.h"

#include "results/ResultSheet.h"

namespace {

const TDateTime Feb = DateTime::encodeDate(2023, 2, 1);
const TDateTime Mar = DateTime::encodeDate(2023, 3, 1);

CureResult at(int cureNo, int day, int rihaType, const QString &name = QStringLiteral("山田 太郎"), TDateTime time = 0)
{
    CureResult r = ResultRows::make(cureNo, DateTime::encodeDate(2023, 2, 1) + day - 1 + time, name);
    r.RihaType = rihaType;
    return r;
}

class ResultSheetTest : public DatabaseFixture
{
};

} // namespace

TEST(ResultSheet, TextsOfTheGrid)
{
    EXPECT_EQ(ResultSheet::countText(3), QStringLiteral("   3"));
    EXPECT_EQ(ResultSheet::countText(45), QStringLiteral("   45"));
    EXPECT_EQ(ResultSheet::countText(1234), QStringLiteral(" 1234"));
    EXPECT_EQ(ResultSheet::cureNoText(12), QStringLiteral("00000012"));
    EXPECT_EQ(ResultSheet::cureNoOfText(QStringLiteral("00000012")), 12);
    EXPECT_EQ(ResultSheet::cureNoOfText(QString()), std::nullopt);
    EXPECT_EQ(ResultSheet::dayMark(3), QStringLiteral("◇"));
    EXPECT_EQ(ResultSheet::dayMark(4), QString());
    const auto [from, to] = ResultSheet::monthRange(DateTime::encodeDate(2023, 12, 17) + 0.5);
    EXPECT_EQ(from, DateTime::encodeDate(2023, 12, 1));
    EXPECT_EQ(to, DateTime::encodeDate(2024, 1, 1));
    // February 2023: 28 days, the 5th a Sunday, 29..31 empty.
    const auto header = ResultSheet::monthHeader(Feb);
    EXPECT_EQ(header[0].Weekday, QStringLiteral("水"));
    EXPECT_TRUE(header[4].Sunday);
    EXPECT_EQ(header[27].Day, QStringLiteral("28"));
    EXPECT_TRUE(header[28].Day.isEmpty());
    EXPECT_TRUE(header[30].Weekday.isEmpty());
}

TEST_P(ResultSheetTest, OneRowPerUserWithTheMarksOfTheMonth)
{
    ResultRows::insert(
        db(), {
                  at(7, 1, 0, QStringLiteral("旧姓 花")), at(7, 28, 2, QStringLiteral("新姓 花"), 0.99),
                  at(5, 3, 0, QStringLiteral("佐藤"), DateTime::encodeTime(9, 0)),
                  at(5, 3, 2, QStringLiteral("佐藤"), DateTime::encodeTime(11, 0)), at(5, 4, 1, QStringLiteral("佐藤")),
                  at(5, 4, 4, QStringLiteral("佐藤"), DateTime::encodeTime(12, 0)), at(5, 0, 0), // January 31st
                  at(5, 29, 0),                                                                  // March 1st
              });
    const auto users = ResultSheet(db()).load(Feb, Mar);
    ASSERT_TRUE(users);
    ASSERT_EQ(users->size(), 2u);
    const auto &first = (*users)[0];
    EXPECT_EQ(first.CureNo, 5);
    EXPECT_EQ(first.Count, 4);
    // The later result of the day shows; a form without a mark shows none.
    EXPECT_EQ(first.Marks[2], QStringLiteral("△"));
    EXPECT_EQ(first.Marks[3], QStringLiteral("□"));
    EXPECT_TRUE(first.Marks[0].isEmpty());
    const auto &second = (*users)[1];
    // A user whose name changed within the month is still one row.
    EXPECT_EQ(second.CureNo, 7);
    EXPECT_EQ(second.Name, QStringLiteral("新姓 花"));
    EXPECT_EQ(second.Marks[27], QStringLiteral("△"));
    EXPECT_EQ(second.Count, 2);

    EXPECT_EQ(ResultSheet(db()).hasResults(7, Feb, Mar), true);
    EXPECT_EQ(ResultSheet(db()).hasResults(8, Feb, Mar), false);
    EXPECT_TRUE(ResultSheet(db()).load(Mar, Mar + 31)->size() == 1u);
}

TAMSOLEN_DATABASE_TEST_SUITE(ResultSheetTest);
