#include "BoardFixture.h"

#include <atomic>
#include <latch>

namespace {

class ScheduleDataTest : public BoardFixture
{
};

TEST_P(ScheduleDataTest, LoadsAMonthWithDayColumnsAndRowLabels)
{
    EXPECT_TRUE(m_data->OpenStuffTimeFrames(StaffA, day(1), day(31)));
    EXPECT_EQ(m_data->TimeFrameCount(), 0);
    ScheduleRows::addSlot(db(), day(31), StaffA, 9, 0, 60, 1);
    ScheduleRows::addSlot(db(), day(1), StaffA, 10, 0, 60, 1);
    ScheduleRows::addSlot(db(), day(1), StaffB, 10, 0, 60, 1);
    ScheduleRows::addSlot(db(), DateTime::encodeDate(2027, 1, 1), StaffA, 10, 0, 60, 1);
    ASSERT_TRUE(m_data->OpenStuffTimeFrames(StaffA, day(1), day(31)));
    ASSERT_EQ(m_data->TimeFrameCount(), 2);
    EXPECT_EQ(m_data->GetTimeFrame(0).PNo, 0);
    EXPECT_EQ(m_data->GetTimeFrame(1).PNo, 30);
    EXPECT_EQ(m_data->GetTimeFrame(1).LName, QStringLiteral("L1"));
    EXPECT_EQ(m_data->GetTimeFrame(0).StartTime, DateTime::encodeTime(10, 0));
    ASSERT_TRUE(m_data->OpenDayTimeFrames(day(1)));
    EXPECT_EQ(m_data->TimeFrameCount(), 2);
}

TEST_P(ScheduleDataTest, AppendsUpdatesAndDeletesWithTheirBookings)
{
    TIMETABLE_ITEM item;
    item.PNo = 4;
    item.LName = QStringLiteral("L7");
    item.RegistDay = day(5);
    item.Stf = StaffA;
    item.StartTime = DateTime::encodeTime(9, 0);
    item.Fnn = 60;
    item.Cap = 3;
    const int reserveNo = m_data->AppendTimeFrame(item);
    ASSERT_GT(reserveNo, 0);
    EXPECT_EQ(m_data->GetTimeFrame(m_data->TimeFrameCount() - 1).ResNo, reserveNo);
    // The same staff and time again is refused by what is stored.
    EXPECT_EQ(m_data->AppendTimeFrame(item), -1);
    EXPECT_EQ(m_data->refusal(), TScheduleData::Refusal::TimeOverlap);

    for (int user = 1; user <= 3; ++user)
        ScheduleRows::addBooking(db(), reserveNo, user);
    ASSERT_TRUE(m_data->DeleteTimeFrame(0, {1, 2, 3}));
    EXPECT_EQ(m_data->TimeFrameCount(), 0);
    EXPECT_EQ(ScheduleRows::count(db(), QStringLiteral("Schedule")), 0);
    EXPECT_EQ(ScheduleRows::count(db(), QStringLiteral("TimeTable")), 0);

    // Deleted at another workstation: the key message, the record stays.
    item.ResNo = reserveNo;
    m_data->TimeFrames.Add(item);
    TIMETABLE_ITEM moved = item;
    moved.Fnn = 30;
    EXPECT_FALSE(m_data->UpdateTimeFrame(moved, 0));
    const std::optional<UserMessage> told = m_data->storeMessage();
    ASSERT_TRUE(told);
    EXPECT_EQ(told->text, QStringLiteral("SystemError : TimeTable KeyRecord error "));
    EXPECT_EQ(told->buttons, MessageButtons::Abort);
    EXPECT_EQ(m_data->GetTimeFrame(0).Fnn, 60);
}

// The bookings go first and the slot after them, in one transaction: when
// the slot cannot be deleted, the bookings stay.
TEST_P(ScheduleDataTest, DeleteIsWholeOrNothing)
{
    const int reserveNo = ScheduleRows::addSlot(db(), day(1), StaffA, 9, 0, 60, 3);
    ScheduleRows::addBooking(db(), reserveNo, 1);
    ASSERT_TRUE(m_data->OpenDayTimeFrames(day(1)));
    ASSERT_TRUE(exec(QStringLiteral("ALTER TABLE TimeTable RENAME TO TimeTableGone")));
    EXPECT_FALSE(m_data->DeleteTimeFrame(0, {1}));
    EXPECT_EQ(m_data->TimeFrameCount(), 1);
    EXPECT_EQ(ScheduleRows::count(db(), QStringLiteral("Schedule")), 1);
}

// Two workstations read one slot, then each changes another part of it at
// the same moment: both changes are kept, neither writes back the other's
// part as it read it.
TEST_P(ScheduleDataTest, ChangesOfOneSlotAtTwoWorkstationsAreBothKept)
{
    constexpr int Rounds = 6;
    for (int round = 0; round < Rounds; ++round) {
        const int reserveNo = ScheduleRows::addSlot(db(), day(1 + round), StaffA, 9, 0, 60, 1);
        std::latch bothRead(2);
        std::atomic<int> written{0};
        const auto workstation = [&](auto change) {
            return [&, change](DbConnection &connection) {
                TScheduleData data(connection, m_staff);
                const bool read = data.OpenStuffTimeFrames(StaffA, day(1 + round), day(1 + round));
                bothRead.arrive_and_wait();
                if (!read || data.TimeFrameCount() != 1)
                    return;
                TIMETABLE_ITEM item = data.GetTimeFrame(0);
                change(item);
                written += data.UpdateTimeFrame(item, 0);
            };
        };
        race({workstation([](TIMETABLE_ITEM &item) { item.StartTime = DateTime::encodeTime(13, 30); }),
              workstation([](TIMETABLE_ITEM &item) { item.Cap = 4; })});
        EXPECT_EQ(written.load(), 2) << "round " << round;
        ASSERT_TRUE(m_data->OpenStuffTimeFrames(StaffA, day(1 + round), day(1 + round)));
        ASSERT_EQ(m_data->TimeFrameCount(), 1);
        const TIMETABLE_ITEM stored = m_data->GetTimeFrame(0);
        EXPECT_EQ(stored.ResNo, reserveNo);
        EXPECT_EQ(stored.StartTime, DateTime::encodeTime(13, 30)) << "round " << round;
        EXPECT_EQ(stored.Cap, 4) << "round " << round;
        EXPECT_EQ(stored.Fnn, 60);
    }
}

TAMSOLEN_DATABASE_TEST_SUITE(ScheduleDataTest);

} // namespace
