#include "BoardFixture.h"

#include "platform/DbQuery.h"
#include "scheduling/ScheduleBooking.h"

#include <QSemaphore>

#include <atomic>
#include <thread>

namespace {

class BookingRaceTest : public BoardFixture
{
};

// Two workstations (connections of their own) book different users into
// the last place of a slot at the same moment: exactly one wins, the other
// is told the slot is full.
TEST_P(BookingRaceTest, TwoConnectionsForTheLastPlace)
{
    constexpr int Rounds = 10;
    ScheduleRows::addPerson(db(), 201, QStringLiteral("競争一"), 0);
    ScheduleRows::addPerson(db(), 202, QStringLiteral("競争二"), 0);
    for (int capacity : {1, 3}) {
        for (int round = 0; round < Rounds; ++round) {
            // A day of its own per round, so that the users meet only in the slot.
            const int slot =
                ScheduleRows::addSlot(db(), day(1) + capacity * Rounds + round, StaffA, 9, 0, 60, capacity);
            for (int filler = 1; filler < capacity; ++filler) // users without care dates
                ScheduleRows::addBooking(db(), slot, 100 + filler);
            std::atomic<int> won{0};
            std::atomic<int> full{0};
            auto racer = [&](int cureNo) {
                return [&, cureNo](DbConnection &connection) {
                    const ScheduleBooking::Status status =
                        ScheduleBooking(connection, m_staff).book(slot, cureNo).status;
                    won += status == ScheduleBooking::Status::Ok;
                    full += status == ScheduleBooking::Status::Full;
                };
            };
            race({racer(201), racer(202)});
            EXPECT_EQ(won.load(), 1) << "capacity " << capacity << " round " << round;
            EXPECT_EQ(full.load(), 1) << "capacity " << capacity << " round " << round;
            EXPECT_EQ(bookings(slot), capacity);
        }
    }
}

// One workstation deletes a slot it showed empty while another books into
// it: either the booking lands first and the delete, which did not show it,
// leaves the slot, or the delete goes first and the booking is told the
// slot is gone; no booking is ever left without its slot.
TEST_P(BookingRaceTest, SlotDeletedWhileBooked)
{
    constexpr int Rounds = 40;
    ScheduleRows::addPerson(db(), 201, QStringLiteral("競争一"), 0);
    int gone = 0;
    for (int round = 0; round < Rounds; ++round) {
        const TDateTime slotDay = day(1) + round % 28;
        const int slot = ScheduleRows::addSlot(db(), slotDay, StaffA, 8 + round / 28, round % 28, 1, 3);
        QSemaphore ready;
        QSemaphore go;
        std::atomic<bool> deleted{false};
        std::atomic<int> status{-1};
        std::thread deleter([&] {
            DbConnection connection;
            TScheduleData data(connection, m_staff);
            const bool opened = connection.open(connectionString(), user(), password()) &&
                                data.OpenStuffTimeFrames(StaffA, slotDay, slotDay);
            ready.release();
            go.acquire();
            deleted = opened && data.TimeFrameCount() == 1 && data.GetTimeFrame(0).ResNo == slot &&
                      data.DeleteTimeFrame(0, {});
        });
        std::thread booker([&] {
            DbConnection connection;
            const bool opened = connection.open(connectionString(), user(), password());
            ScheduleBooking booking(connection, m_staff);
            ready.release();
            go.acquire();
            if (opened)
                status = static_cast<int>(booking.book(slot, 201).status);
        });
        ready.acquire(2);
        go.release(2);
        deleter.join();
        booker.join();
        const auto result = static_cast<ScheduleBooking::Status>(status.load());
        EXPECT_TRUE(result == ScheduleBooking::Status::Ok || result == ScheduleBooking::Status::SlotGone)
            << "round " << round << " status " << status.load();
        EXPECT_EQ(deleted.load(), result == ScheduleBooking::Status::SlotGone) << "round " << round;
        EXPECT_EQ(bookings(slot), result == ScheduleBooking::Status::Ok ? 1 : 0) << "round " << round;
        gone += result == ScheduleBooking::Status::SlotGone;
        EXPECT_EQ(ScheduleRows::count(db(), QStringLiteral("Schedule"),
                                      QStringLiteral("WorkingNo NOT IN (SELECT ReserveNo FROM TimeTable)")),
                  0)
            << "round " << round;
    }
    RecordProperty("slotGone", gone);
}

// The database itself refuses a booking of a slot that is not stored, and
// deleting a slot takes its bookings with it.
TEST_P(BookingRaceTest, BookingsBelongToTheirSlot)
{
    ScheduleRows::addPerson(db(), 201, QStringLiteral("競争一"), 0);
    const int slot = ScheduleRows::addSlot(db(), day(2), StaffA, 9, 0, 30, 2);
    DbQuery orphan(db(), QStringLiteral("INSERT INTO Schedule (WorkingNo, CureNo) VALUES (:w, 201)"));
    orphan.bind(u"w", slot + 1000);
    EXPECT_FALSE(orphan.exec());
    ScheduleRows::addBooking(db(), slot, 201);
    DbQuery remove(db(), QStringLiteral("DELETE FROM TimeTable WHERE ReserveNo = :no"));
    remove.bind(u"no", slot);
    ASSERT_TRUE(remove.exec());
    EXPECT_EQ(ScheduleRows::count(db(), QStringLiteral("Schedule")), 0);
}

TAMSOLEN_DATABASE_TEST_SUITE(BookingRaceTest);

} // namespace
