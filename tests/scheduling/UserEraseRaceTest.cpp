#include "BoardFixture.h"
#include "EraseTally.h"

#include "scheduling/ScheduleBooking.h"
#include "scheduling/UserMonthSchedule.h"

#include <QMutex>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int EraserUser = 1;
constexpr int FirstBooker = 101;

// What the workstations of one round did.
struct Round
{
    QMutex mutex;
    BoardOutcome erase;
    int widened = 0;
    std::vector<int> booked; // users told their booking is stored
};

class UserEraseRaceTest : public BoardFixture
{
protected:
    // One round: the user's month shows a slot of one place with the user's
    // booking; workstation 0 erases it from the month, the others widen it
    // and book a user of their own.
    void runRound(int workstations, int round, EraseTally &tally)
    {
        const TDateTime slotDay = day(2 + round % 28);
        const int slot = ScheduleRows::addSlot(db(), slotDay, StaffA, 9, 0, 60, 1);
        ScheduleRows::addBooking(db(), slot, EraserUser);
        Round result;
        std::vector<std::function<void(DbConnection &)>> racers;
        racers.emplace_back([&](DbConnection &connection) {
            UserMonthSchedule month(connection, m_staff);
            BoardOutcome outcome = month.load({EraserUser, day(1), 0, day(1), {}});
            if (outcome.done && month.Requests.Count() == 1)
                outcome = month.erase(month.Requests.Get(0).LName);
            const QMutexLocker locker(&result.mutex);
            result.erase = std::move(outcome);
        });
        for (int booker = FirstBooker; booker < FirstBooker + workstations - 1; ++booker)
            racers.emplace_back([&, booker](DbConnection &connection) {
                TScheduleData board(connection, m_staff);
                if (!board.OpenStuffTimeFrames(StaffA, slotDay, slotDay) || board.TimeFrameCount() != 1)
                    return;
                TIMETABLE_ITEM item = board.GetTimeFrame(0);
                item.Cap = std::max(3, workstations);
                if (!board.UpdateTimeFrame(item, 0))
                    return;
                const bool booked =
                    ScheduleBooking(connection, m_staff).book(slot, booker).status == ScheduleBooking::Status::Ok;
                const QMutexLocker locker(&result.mutex);
                ++result.widened;
                if (booked)
                    result.booked.push_back(booker);
            });
        const bool raced = raceAtSeam(racers);

        int lostNow = 0;
        for (int booker : result.booked)
            lostNow += ScheduleRows::count(db(), QStringLiteral("Schedule"),
                                           QStringLiteral("WorkingNo = %1 AND CureNo = %2").arg(slot).arg(booker)) != 1;
        const bool slotStored =
            ScheduleRows::count(db(), QStringLiteral("TimeTable"), QStringLiteral("ReserveNo = %1").arg(slot)) == 1;
        // A widen that went through came before the erase: the slot was a
        // group slot when it was erased.
        const bool erasedGroup = result.erase.done && result.widened > 0;
        const QStringList told = textsOf(result.erase.messages);
        const bool refusedRightly = result.erase.done || (result.widened > 0 && slotStored &&
                                                          told == QStringList{UserMonthSchedule::GroupEraseText});
        const bool fault = lostNow > 0 || erasedGroup || result.erase.done == slotStored || !refusedRightly;
        EXPECT_FALSE(fault) << workstations << " workstations, round " << round << ": erase "
                            << (result.erase.done ? "done" : "refused") << " (" << told.join(u" / ").toStdString()
                            << "), " << result.widened << " widened, " << result.booked.size() << " booked, " << lostNow
                            << " bookings lost";
        EXPECT_TRUE(raced) << workstations << " workstations, round " << round << " did not race";
        tally.add(fault, lostNow, erasedGroup, result.erase.done, raced);
        // The next round starts from an empty day.
        emptySlots();
    }
};

// A user's slot erased from the month while other workstations widen it and
// book their users into it: the erase decides from the slot as stored, so
// that either it goes before the widening (which then finds no slot) or it
// is refused; no booking is ever lost and no group slot erased.
TEST_P(UserEraseRaceTest, EraseAgainstWidenAndBook)
{
    const int rounds = fromEnvironment("TAMSOLEN_RACE_ROUNDS", 8);
    const int asked = fromEnvironment("TAMSOLEN_RACE_WORKSTATIONS", 0);
    const std::vector<int> workstationCounts = asked > 0 ? std::vector<int>{asked} : std::vector<int>{2, 5};
    for (int booker = FirstBooker;
         booker < FirstBooker + *std::max_element(workstationCounts.begin(), workstationCounts.end()) - 1; ++booker)
        ScheduleRows::addPerson(db(), booker, QStringLiteral("利用者%1").arg(booker), day(1));
    for (int workstations : workstationCounts) {
        EraseTally tally;
        for (int round = 0; round < rounds; ++round)
            runRound(workstations, round, tally);
        std::printf("erase race, %d workstations: %d of %d rounds faulty (%d bookings lost, %d group slots "
                    "erased), erase done in %d, %d raced\n",
                    workstations, tally.faulty, rounds, tally.lost, tally.wronglyErased, tally.erased, tally.raced);
        RecordProperty("faultyRounds" + std::to_string(workstations), tally.faulty);
    }
}

TAMSOLEN_DATABASE_TEST_SUITE(UserEraseRaceTest);

} // namespace
