#include "DatabaseFixture.h"

#include "DemoData.h"

#include "base/Clock.h"
#include "plans/PlanStore.h"
#include "plans/PracticeStore.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "printing/PlanLimitList.h"

class DemoPlansTest : public DatabaseFixture
{
};

TEST_P(DemoPlansTest, PartOfTheUsersHavePlansWithMarks)
{
    QString error;
    ASSERT_TRUE(DemoData::fill(db(), error)) << error.toStdString();
    DbDataSet plans;
    ASSERT_TRUE(plans.open(DbQuery(db(), QStringLiteral("SELECT PlanNo, CureNo FROM RihaPlan ORDER BY PlanNo"))));
    DbDataSet users;
    ASSERT_TRUE(users.open(DbQuery(db(), QStringLiteral("SELECT DISTINCT CureNo FROM RihaPlan"))));
    DbDataSet people;
    ASSERT_TRUE(people.open(DbQuery(db(), QStringLiteral("SELECT CureNo FROM Person"))));
    EXPECT_GT(users.recordCount(), 0);
    EXPECT_LT(users.recordCount(), people.recordCount());
    EXPECT_GT(plans.recordCount(), users.recordCount());

    PlanStore store(db());
    int marked = 0;
    // The rows are held whole, not paged: a move cannot fail.
    for (plans.first(); !plans.eof(); (void)plans.next()) {
        PlanStore::Result result;
        const int planNo = plans.field(u"PlanNo").asInteger();
        const std::optional<TPlan> plan = store.load(planNo, result);
        ASSERT_TRUE(plan) << result.message.toStdString();
        EXPECT_FALSE(plan->Name.isEmpty());
        EXPECT_LT(plan->PlanRegistDay, plan->PlanEndDay);
        marked += store.figures(planNo)->empty() ? 0 : 1;
    }
    EXPECT_GT(marked, plans.recordCount() / 2);
}

TEST_P(DemoPlansTest, PartOfTheUsersHavePracticePlansAndSomeNoPlanAtAll)
{
    QString error;
    ASSERT_TRUE(DemoData::fill(db(), error)) << error.toStdString();
    DbDataSet practiced;
    ASSERT_TRUE(practiced.open(DbQuery(db(), QStringLiteral("SELECT DISTINCT CureNo FROM Practice"))));
    DbDataSet without;
    ASSERT_TRUE(without.open(DbQuery(db(), QStringLiteral("SELECT CureNo FROM Person WHERE CureNo NOT IN "
                                                          "(SELECT CureNo FROM Practice) AND CureNo NOT IN "
                                                          "(SELECT CureNo FROM RihaPlan)"))));
    EXPECT_GT(practiced.recordCount(), 0);
    EXPECT_GT(without.recordCount(), 0);
    DbDataSet rows;
    ASSERT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT PractNo FROM Practice"))));
    PracticeStore store(db());
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next()) {
        PracticeStore::Result result;
        const auto plan = store.load(rows.field(u"PractNo").asInteger(), result);
        ASSERT_TRUE(plan) << result.message.toStdString();
        EXPECT_FALSE(plan->Record.UserName.isEmpty());
    }
}

// The print menu's deadline list has lines on the demo data, for either kind
// of plan, and leaves out the users whose latest plan is recent.
TEST_P(DemoPlansTest, SomeUsersArePastTheirPlanDeadline)
{
    QString error;
    ASSERT_TRUE(DemoData::fill(db(), error)) << error.toStdString();
    for (const auto &[kind, table] : {std::pair(PlanLimitList::Kind::CurePlan, QStringLiteral("RihaPlan")),
                                      std::pair(PlanLimitList::Kind::PracticePlan, QStringLiteral("Practice"))}) {
        PlanLimitList list(db(), QStringLiteral("demo"));
        ASSERT_TRUE(list.open(kind, Clock::today()));
        DbDataSet planned;
        ASSERT_TRUE(planned.open(DbQuery(db(), QStringLiteral("SELECT DISTINCT CureNo FROM %1").arg(table))));
        EXPECT_TRUE(list.hasRows()) << table.toStdString();
        EXPECT_LT(list.PrintLimitRihaQuery.recordCount(), planned.recordCount() / 2) << table.toStdString();
    }
}

TAMSOLEN_DATABASE_TEST_SUITE(DemoPlansTest);
