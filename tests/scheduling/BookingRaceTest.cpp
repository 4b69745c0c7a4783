#include "BoardFixture.h"

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
            QSemaphore ready;
            QSemaphore go;
            std::atomic<int> won{0};
            std::atomic<int> full{0};
            auto racer = [&](int cureNo) {
                DbConnection connection;
                if (!connection.open(connectionString(), user(), password()))
                    return ready.release();
                ScheduleBooking booking(connection, m_staff);
                ready.release();
                go.acquire();
                const ScheduleBooking::Status status = booking.book(slot, cureNo).status;
                if (status == ScheduleBooking::Status::Ok)
                    ++won;
                else if (status == ScheduleBooking::Status::Full)
                    ++full;
            };
            std::thread first(racer, 201);
            std::thread second(racer, 202);
            ready.acquire(2);
            go.release(2);
            first.join();
            second.join();
            EXPECT_EQ(won.load(), 1) << "capacity " << capacity << " round " << round;
            EXPECT_EQ(full.load(), 1) << "capacity " << capacity << " round " << round;
            EXPECT_EQ(bookings(slot), capacity);
        }
    }
}

TAMSOLEN_DATABASE_TEST_SUITE(BookingRaceTest);

} // namespace
