#include "PlanPrintFixture.h"

#include "printing/CurePlanReport.h"
#include "printing/PlanPrintList.h"
#include "printing/PracticePlanReport.h"

namespace {

QStringList names(const PlanPrintList &list)
{
    QStringList shown;
    for (int row = 0; row < list.Rows.recordCount(); ++row)
        shown << list.Rows.record(row).value(u"Name").asString();
    return shown;
}

} // namespace

class PlanPrintListTest : public PlanPrintFixture
{
};

TEST(PlanPrintList, LatestCutsAtTheFirstDayOfTheMonthThreeMonthsBack)
{
    EXPECT_EQ(PlanPrintList::latestCutOff(DateTime::encodeDate(2009, 5, 31)), DateTime::encodeDate(2009, 2, 1));
    EXPECT_EQ(PlanPrintList::latestCutOff(DateTime::encodeDate(2025, 1, 15)), DateTime::encodeDate(2024, 10, 1));
}

TEST_P(PlanPrintListTest, ListsInReadingOrderNarrowedByKanaRows)
{
    const int yamada = addUser(QStringLiteral("山田"), QStringLiteral("ﾔﾏﾀﾞ"));
    const int yuki = addUser(QStringLiteral("結城"), QStringLiteral("ﾕｳｷ"));
    const int ryu = addUser(QStringLiteral("劉"), QStringLiteral("ﾘｭｳ"));
    const int wada = addUser(QStringLiteral("和田"), QStringLiteral("ﾜﾀﾞ"));
    const int aoki = addUser(QStringLiteral("青木"), QStringLiteral("ｱｵｷ"));
    // The first day three months back is not listed, the day after is.
    const int onCutOff = addPlan(yamada, DateTime::encodeDate(2009, 2, 1));
    const int second = addPlan(yamada, DateTime::encodeDate(2009, 5, 31));
    const int first = addPlan(yamada, DateTime::encodeDate(2009, 2, 2));
    addPlan(yuki, DateTime::encodeDate(2009, 3, 1));
    addPlan(ryu, DateTime::encodeDate(2009, 3, 1));
    addPlan(wada, DateTime::encodeDate(2009, 3, 1));
    addPlan(aoki, DateTime::encodeDate(2008, 3, 1));

    PlanPrintList list(db(), CurePlanReport::listStatement());
    ASSERT_TRUE(list.openLatest(DateTime::encodeDate(2009, 5, 31)));
    EXPECT_EQ(names(list), QStringList({QStringLiteral("山田"), QStringLiteral("山田"), QStringLiteral("結城"),
                                        QStringLiteral("劉"), QStringLiteral("和田")}));
    EXPECT_EQ(list.keysAt({1, 0}, u"PlanNo"), (std::vector<int>{first, second})) << "list order, not click order";

    list.filterByKanaRow(UserSearch::KanaRow::Ya);
    EXPECT_EQ(names(list), QStringList({QStringLiteral("山田"), QStringLiteral("山田"), QStringLiteral("結城")}));
    list.filterByKanaRow(UserSearch::KanaRow::Wa);
    EXPECT_EQ(names(list), QStringList({QStringLiteral("和田")}));
    list.showAll();
    EXPECT_EQ(list.Rows.recordCount(), 5);

    ASSERT_TRUE(list.openAll());
    EXPECT_EQ(list.Rows.recordCount(), 7);
    EXPECT_EQ(names(list).first(), QStringLiteral("青木"));
    EXPECT_EQ(list.keysAt({1, 2, 3}, u"PlanNo"), (std::vector<int>{onCutOff, first, second}));

    const DbRecord row = list.Rows.record(0);
    EXPECT_EQ(PlanPrintList::cellText(u"CureNo", row.value(u"CureNo")),
              QStringLiteral("%1").arg(aoki, 8, 10, QLatin1Char('0')));
    EXPECT_EQ(PlanPrintList::cellText(u"PlanRegistDay", row.value(u"PlanRegistDay")), QStringLiteral("H20.03.01"));
    EXPECT_EQ(PlanPrintList::cellText(u"RihaType", row.value(u"RihaType")), QStringLiteral("通所リハビリ"));
}

TEST_P(PlanPrintListTest, PracticePlansListWithTheirDay)
{
    const int user = addUser(QStringLiteral("佐藤"), QStringLiteral("ｻﾄｳ"));
    TPractice record;
    record.PractDay = DateTime::encodeDate(2024, 4, 2);
    const int practNo = addPractice(user, record);
    PlanPrintList list(db(), PracticePlanReport::listStatement());
    ASSERT_TRUE(list.openLatest(DateTime::encodeDate(2024, 7, 31)));
    ASSERT_EQ(list.Rows.recordCount(), 1);
    EXPECT_EQ(list.keysAt({0}, u"PractNo"), std::vector<int>{practNo});
    EXPECT_EQ(PlanPrintList::cellText(u"PrcticeDay", list.Rows.record(0).value(u"PrcticeDay")),
              QStringLiteral("2024/04/02"));
    ASSERT_TRUE(list.openLatest(DateTime::encodeDate(2024, 8, 1)));
    EXPECT_EQ(list.Rows.recordCount(), 0);
}

TAMSOLEN_DATABASE_TEST_SUITE(PlanPrintListTest);
