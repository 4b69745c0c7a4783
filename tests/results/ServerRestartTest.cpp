#include "BookingRows.h"
#include "PersonRows.h"
#include "RestartingServerFixture.h"
#include "ResultRows.h"

#include "core/StaffDirectory.h"
#include "plans/PlanStore.h"
#include "platform/DbConnection.h"
#include "platform/DbQuery.h"
#include "platform/DbSchema.h"
#include "results/ResultRowsEditor.h"
#include "scheduling/BookingStatusList.h"
#include "scheduling/ScheduleBooking.h"
#include "users/UserSearch.h"

#include <gtest/gtest.h>

namespace {

const TDateTime Day = DateTime::encodeDate(2024, 5, 20);

// A workstation's session while the facility's PostgreSQL server restarts
// for an update: the next search, plan and booking work without a restart
// of the program.
class ServerRestartTest : public RestartingServerFixture
{
protected:
    void SetUp() override
    {
        RestartingServerFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        QString error;
        ASSERT_TRUE(DbSchema::applyFile(m_db, QStringLiteral(TAMSOLEN_SCHEMA_DIR "/postgresql.sql"), error))
            << error.toStdString();
        DbQuery staff(m_db,
                      QStringLiteral("INSERT INTO KaigoStuff (CD, StuffName, KIGO) VALUES (1, '山田 花子', '山')"));
        ASSERT_TRUE(staff.exec()) << staff.errorText().toStdString();
        m_cureNo = PersonRows::insert(m_db, PersonRows::make(QStringLiteral("佐藤 一郎"), QStringLiteral("ｻﾄｳ ｲﾁﾛｳ")));
        ASSERT_GT(m_cureNo, 0);
    }

    int m_cureNo = 0;
};

TEST_F(ServerRestartTest, SearchPlanAndBookingWorkAfterARestart)
{
    PlanStore plans(m_db);
    PlanStore::Result result;
    const std::optional<TPerson> user = plans.user(m_cureNo, result);
    ASSERT_TRUE(user) << result.message.toStdString();
    TPlan plan;
    plan.CureNo = m_cureNo;
    plan.PlanRegistDay = Day;
    plan.PlanEndDay = Day + 90;
    plan.Name = user->Name;
    result = plans.save(plan, {}, QStringLiteral("山田 花子"), Day);
    ASSERT_EQ(result.status, PlanStore::Status::Ok) << result.message.toStdString();
    const int planNo = result.planNo;
    const int slot = BookingRows::addSlot(m_db, Day, 1, Day + 10 / 24.0, 20);
    ASSERT_GT(slot, 0);

    restart();
    UserSearch search(m_db);
    ASSERT_TRUE(search.searchName(u"佐藤")) << search.UserSearchQuery.errorText().toStdString();
    ASSERT_EQ(search.UserSearchQuery.recordCount(), 1);
    EXPECT_EQ(search.UserSearchQuery.field(u"CureNo").asInteger(), m_cureNo);

    restart();
    const std::optional<TPlan> opened = plans.load(planNo, result);
    ASSERT_TRUE(opened) << result.message.toStdString();
    EXPECT_EQ(opened->CureNo, m_cureNo);

    restart();
    const StaffDirectory staff{{1, QStringLiteral("山田 花子")}};
    const ScheduleBooking::Result booked = ScheduleBooking(m_db, staff).book(slot, m_cureNo);
    EXPECT_EQ(booked.status, ScheduleBooking::Status::Ok) << booked.message.toStdString();
    const auto users = ScheduleBooking(m_db, staff).bookedUsers(slot);
    ASSERT_TRUE(users);
    ASSERT_EQ(users->size(), 1u);
    EXPECT_EQ(users->front().CureNo, m_cureNo);
}

// A write that runs alone, outside a transaction, is the first use of the
// connection after the restart: it reaches the server all the same.
TEST_F(ServerRestartTest, ABookingCancelledAndARemarkTypedAfterARestartAreStored)
{
    const StaffDirectory staff{{1, QStringLiteral("山田 花子")}};
    const int slot = BookingRows::addSlot(m_db, Day, 1, Day + 10 / 24.0, 20);
    ASSERT_GT(slot, 0);
    ASSERT_EQ(ScheduleBooking(m_db, staff).book(slot, m_cureNo).status, ScheduleBooking::Status::Ok);
    BookingStatusList list(m_db);
    ASSERT_TRUE(list.load(slot));
    ASSERT_EQ(list.rows().size(), 1u);

    restart();
    EXPECT_TRUE(list.cancel(list.rows().front().ScheduleNo));
    EXPECT_TRUE(list.rows().empty());
    const auto users = ScheduleBooking(m_db, staff).bookedUsers(slot);
    ASSERT_TRUE(users);
    EXPECT_TRUE(users->empty());

    ResultRows::insert(m_db, {ResultRows::make(m_cureNo, Day)});
    ResultRowsEditor record;
    DbQuery month(m_db, QStringLiteral("SELECT * FROM CureResults WHERE CureNo = :no"));
    month.bind(u"no", m_cureNo);
    ASSERT_TRUE(record.open(month)) << record.errorText().toStdString();
    ASSERT_EQ(record.size(), 1);

    restart();
    EXPECT_TRUE(record.setComment(0, QStringLiteral("歩行良好"))) << record.errorText().toStdString();
    const std::vector<CureResult> stored = ResultRows::all(m_db);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored.front().Comment, QStringLiteral("歩行良好"));
}

} // namespace
