#include "BookingRows.h"
#include "PersonRows.h"
#include "ResultsFixture.h"

#include "platform/DbDate.h"
#include "platform/DbQuery.h"
#include "platform/UserMessage.h"
#include "results/ScheduleCopy.h"

#include <atomic>

namespace {

const TDateTime Day = DateTime::encodeDate(2024, 4, 10);

class ScheduleCopyTest : public ResultsFixture
{
protected:
    void SetUp() override
    {
        ResultsFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        TPerson first = PersonRows::make(QStringLiteral("佐藤 一郎"), QStringLiteral("ｻﾄｳ ｲﾁﾛｳ"));
        first.RihaType = 3;
        first.KubunCode = 12;
        TPerson second = PersonRows::make(QStringLiteral("阿部 花子"), QStringLiteral("ｱﾍﾞ ﾊﾅｺ"));
        second.RihaType = 2;
        second.KubunCode = 5;
        m_first = PersonRows::insert(db(), first);
        m_second = PersonRows::insert(db(), second);
        // A group slot of staff 1 with both users, and a slot of staff 7
        // (not in the staff list) the next day.
        m_group = BookingRows::addSlot(db(), Day, 1, DateTime::encodeTime(10, 30), 40, 2);
        m_other = BookingRows::addSlot(db(), Day + 1, 7, DateTime::encodeTime(9, 0), 20);
        ASSERT_TRUE(BookingRows::book(db(), m_group, m_first));
        ASSERT_TRUE(BookingRows::book(db(), m_group, m_second));
        ASSERT_TRUE(BookingRows::book(db(), m_other, m_first));
    }

    std::vector<ScheduleCopy::Booking> list(TDateTime from, TDateTime to, std::optional<int> staff = {})
    {
        const auto bookings = ScheduleCopy(m_app->context).list(from, to, staff);
        EXPECT_TRUE(bookings);
        return bookings.value_or(std::vector<ScheduleCopy::Booking>{});
    }

    int m_first = 0;
    int m_second = 0;
    int m_group = 0;
    int m_other = 0;
};

} // namespace

TEST_P(ScheduleCopyTest, ListsTheDaysOfTheRangeByDayStartAndKana)
{
    const auto all = list(Day, Day + 1);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].Person.Name, QStringLiteral("阿部 花子"));
    EXPECT_EQ(all[1].Person.Name, QStringLiteral("佐藤 一郎"));
    EXPECT_EQ(all[2].ReserveNo, m_other);
    EXPECT_EQ(list(Day, Day).size(), 2u);
    EXPECT_EQ(list(Day + 1, Day + 1, 7).size(), 1u);
    EXPECT_EQ(list(Day, Day + 1, 1).size(), 2u);
    EXPECT_TRUE(list(Day + 2, Day + 5).empty());
}

TEST_P(ScheduleCopyTest, AGroupSlotGivesOneResultPerUser)
{
    const ScheduleCopy copy(m_app->context);
    const auto bookings = list(Day, Day + 1);
    const auto outcome = copy.copy(bookings, ScheduleCopy::Mode::Skip);
    ASSERT_EQ(outcome.error, QString());
    EXPECT_EQ(outcome.appended, 3);
    auto rows = ResultRows::all(db());
    ASSERT_EQ(rows.size(), 3u);
    const CureResult &abe = rows[0];
    EXPECT_EQ(abe.CureNo, m_second);
    EXPECT_EQ(abe.ReserveNo, m_group);
    EXPECT_EQ(abe.CureDate, Day);
    EXPECT_EQ(DateTime::shortTime(abe.RStartTime), QStringLiteral("10:30"));
    EXPECT_EQ(abe.PStartTime, abe.RStartTime);
    EXPECT_EQ(abe.PMinute, 40);
    EXPECT_EQ(abe.RMinute, 40);
    EXPECT_EQ(abe.Flags, ResultTypeFlags::derive(2, 5));
    EXPECT_EQ(abe.StuffKigo, QStringLiteral("ヤ"));
    EXPECT_EQ(abe.Comment, QString());
    EXPECT_EQ(abe.LoginName, QStringLiteral("記録 係"));
    // 訪問 with 集団 and 個別 only: no flag at all.
    EXPECT_EQ(rows[1].Flags, ResultTypeFlags::Values{});
    // A staff code no longer in the list: empty name and mark.
    EXPECT_EQ(rows[2].StuffName, QString());
    EXPECT_EQ(rows[2].StuffKigo, QString());

    // A remark typed in between; the copy again skips, then overwrites only
    // that user's row of the group slot and keeps its remark.
    DbQuery remark(db(), QStringLiteral("UPDATE CureResults SET Comment = ?, RMinute = 5 WHERE CureNo = ?"));
    remark.addBind(QStringLiteral("良好")).addBind(m_first);
    ASSERT_TRUE(remark.exec());
    EXPECT_EQ(copy.copy(bookings, ScheduleCopy::Mode::Skip).skipped, 3);
    EXPECT_EQ(ResultRows::all(db())[1].RMinute, 5);
    const auto overwrite = copy.copy({&bookings[1], 1}, ScheduleCopy::Mode::Overwrite);
    EXPECT_EQ(overwrite.overwritten, 1);
    rows = ResultRows::all(db());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].RMinute, 40);
    EXPECT_EQ(rows[1].Comment, QStringLiteral("良好"));
    EXPECT_EQ(rows[2].RMinute, 5);
}

TEST_P(ScheduleCopyTest, OverwriteRederivesTheFlags)
{
    const ScheduleCopy copy(m_app->context);
    const auto bookings = list(Day, Day);
    ASSERT_EQ(copy.copy(bookings, ScheduleCopy::Mode::Skip).error, QString());
    DbQuery change(db(), QStringLiteral("UPDATE Person SET RihaType = 0, KubunCode = 2 WHERE CureNo = ?"));
    change.addBind(m_second);
    ASSERT_TRUE(change.exec());
    ASSERT_EQ(copy.copy(list(Day, Day), ScheduleCopy::Mode::Overwrite).overwritten, 2);
    EXPECT_EQ(ResultRows::all(db())[0].Flags, ResultTypeFlags::derive(0, 2));
}

TAMSOLEN_DATABASE_TEST_SUITE(ScheduleCopyTest);

// After the bookings were listed, another workstation cancels one and
// moves a slot to 11:00: the copy writes no result from the list it showed
// and tells; listed again, what is stored is copied, at the new time.
TEST_P(ScheduleCopyTest, ACopyTakesNothingFromAListChangedMeanwhile)
{
    const std::vector<ScheduleCopy::Booking> listed = list(Day, Day + 1);
    ASSERT_EQ(listed.size(), 3u);

    DbConnection other;
    ASSERT_TRUE(other.open(connectionString(), user(), password())) << other.errorText().toStdString();
    DbQuery cancel(other, QStringLiteral("DELETE FROM Schedule WHERE ScheduleNo = ?"));
    cancel.addBind(listed[0].ScheduleNo);
    ASSERT_TRUE(cancel.exec()) << cancel.errorText().toStdString();
    const ScheduleCopy::Outcome afterCancel =
        ScheduleCopy(m_app->context).copy(listed, ScheduleCopy::Mode::Overwrite);
    EXPECT_TRUE(afterCancel.changed);
    EXPECT_EQ(afterCancel.error, ChangedElsewhereText);
    EXPECT_TRUE(ResultRows::all(db()).empty());

    const std::vector<ScheduleCopy::Booking> again = list(Day, Day + 1);
    ASSERT_EQ(again.size(), 2u);
    DbQuery move(other, QStringLiteral("UPDATE TimeTable SET StartTime = ? WHERE ReserveNo = ?"));
    move.addBind(DbDate{DateTime::encodeTime(11, 0)}).addBind(m_other);
    ASSERT_TRUE(move.exec()) << move.errorText().toStdString();
    EXPECT_TRUE(ScheduleCopy(m_app->context).copy(again, ScheduleCopy::Mode::Overwrite).changed);
    EXPECT_TRUE(ResultRows::all(db()).empty());

    const ScheduleCopy::Outcome copied =
        ScheduleCopy(m_app->context).copy(list(Day, Day + 1), ScheduleCopy::Mode::Overwrite);
    EXPECT_FALSE(copied.changed);
    EXPECT_EQ(copied.appended, 2);
    const std::vector<CureResult> stored = ResultRows::all(db());
    ASSERT_EQ(stored.size(), 2u);
    for (const CureResult &row : stored) {
        if (row.ReserveNo == m_other) {
            EXPECT_EQ(DateTime::shortTime(row.PStartTime), QStringLiteral("11:00"));
        }
    }
}

// Two workstations copy the same bookings at the same moment, skipping
// what exists: every booking becomes one result, never two.
TEST_P(ScheduleCopyTest, TwoCopiesAtOnceCopyEachBookingOnce)
{
    constexpr int Rounds = 15;
    const std::vector<ScheduleCopy::Booking> bookings = list(Day, Day + 1);
    ASSERT_EQ(bookings.size(), 3u);
    for (int round = 0; round < Rounds; ++round) {
        ASSERT_TRUE(DbQuery(db(), QStringLiteral("DELETE FROM CureResults")).exec());
        std::atomic<int> appended{0};
        std::atomic<int> failed{0};
        auto racer = [&](DbConnection &connection) {
            const ScheduleCopy::Outcome outcome =
                ScheduleCopy(connection, m_app->mainModule).copy(bookings, ScheduleCopy::Mode::Skip);
            appended += outcome.appended;
            failed += !outcome.error.isEmpty();
        };
        race({racer, racer});
        EXPECT_EQ(failed.load(), 0) << "round " << round;
        EXPECT_EQ(appended.load(), 3) << "round " << round;
        EXPECT_EQ(ResultRows::all(db()).size(), 3u) << "round " << round;
    }
}
