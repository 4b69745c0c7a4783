#include "BoardFixture.h"

#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbDate.h"
#include "platform/DbQuery.h"
#include "scheduling/RequestListDump.h"
#include "scheduling/ScheduleBooking.h"
#include "scheduling/SlotTime.h"
#include "scheduling/UserMonthSchedule.h"

#include <QSemaphore>

#include <atomic>
#include <map>
#include <thread>

namespace {

class UserMonthScheduleTest : public BoardFixture
{
protected:
    // User 1 wishes Mondays and Wednesdays; December 2026 starts on a Tuesday.
    static UserMonthSchedule::Input input(int hour, int minute, int minutes, int cureNo = 1)
    {
        TUserMonthBook book;
        TUserWeekBook::Week week{};
        week[0] = {DateTime::encodeTime(hour, minute), minutes};
        week[2] = {DateTime::encodeTime(hour, minute), minutes};
        book.SetWeek(week);
        return {cureNo, day(1), 0, day(1), book.BuildMonth(day(1))};
    }
    // "F" + day offset + start for each record: booked (B) or wished (W).
    static QStringList shown(const UserMonthSchedule &schedule)
    {
        QStringList result;
        for (const TREQUEST_ITEM &item : schedule.Requests.items())
            result << QStringLiteral("%1%2@%3")
                          .arg(QChar(item.Flag ? u'B' : u'W'))
                          .arg(item.PNo)
                          .arg(DateTime::format(u"hh:nn", item.StartTime));
        return result;
    }
};

// A booking hides the wish of its day that it meets, half-open; the wishes
// of other days stay. A booking whose staff member was removed still shows.
TEST_P(UserMonthScheduleTest, BookingsHideTheWishesTheyMeet)
{
    const int slot = ScheduleRows::addSlot(db(), day(7), 99, 10, 20, 30, 1); // staff no longer listed
    ScheduleRows::addBooking(db(), slot, 1);
    struct Case
    {
        int hour, minute, minutes;
        QStringList expected;
    };
    const std::vector<Case> cases{
        {10, 0, 40,
         QStringLiteral("B6@10:20|W1@10:00|W8@10:00|W13@10:00|W15@10:00|W20@10:00|W22@10:00|W27@10:00|W29@10:00")
             .split(u'|')},
        {9, 20, 60,
         QStringLiteral(
             "B6@10:20|W1@09:20|W6@09:20|W8@09:20|W13@09:20|W15@09:20|W20@09:20|W22@09:20|W27@09:20|W29@09:20")
             .split(u'|')},
    };
    for (const Case &c : cases) {
        UserMonthSchedule schedule(db(), m_staff);
        ASSERT_TRUE(done(schedule.load(input(c.hour, c.minute, c.minutes))));
        EXPECT_EQ(shown(schedule), c.expected);
        EXPECT_EQ(schedule.staffName(QStringLiteral("L0")), QString());
    }
    // Before the start of care (user 3 from the 2nd) no wish shows.
    UserMonthSchedule later(db(), m_staff);
    TUserMonthBook book;
    TUserWeekBook::Week week{};
    week[1] = {DateTime::encodeTime(9, 0), 30}; // Tuesdays: the 1st, 8th, ...
    book.SetWeek(week);
    ASSERT_TRUE(done(later.load({3, day(2), day(8), day(1), book.BuildMonth(day(1))})));
    EXPECT_EQ(shown(later), QStringLiteral("W7@09:00").split(u'|'));
}

// A wish booked with a staff member: refused when another slot of the day
// meets it, into the slot of equal time when one exists, else into a new
// slot; the booking and a new slot are written together.
TEST_P(UserMonthScheduleTest, BookingAWish)
{
    ScheduleRows::addSlot(db(), day(2), StaffA, 9, 0, 60, 1); // free slot: counts too
    const int same = ScheduleRows::addSlot(db(), day(2), StaffB, 9, 30, 30, 2);
    const int full = ScheduleRows::addSlot(db(), day(7), StaffB, 9, 30, 30, 1);
    ScheduleRows::addBooking(db(), full, 3);
    UserMonthSchedule schedule(db(), m_staff);
    ASSERT_TRUE(done(schedule.load(input(9, 30, 30))));
    const QString wednesday = schedule.Requests.Get(0).LName; // the 2nd
    const QString monday = schedule.Requests.Get(1).LName;    // the 7th
    QStringList refusals;
    const auto book = [&](const QString &label, int staff) {
        const bool booked = done(schedule.bookWish(label, staff));
        refusals << texts();
        return booked;
    };
    EXPECT_FALSE(book(wednesday, StaffA));
    EXPECT_TRUE(book(wednesday, StaffB));
    EXPECT_EQ(bookings(same), 1);
    EXPECT_FALSE(book(wednesday, StaffC));
    EXPECT_FALSE(book(monday, StaffB)); // the equal slot is full
    const int slotCount = ScheduleRows::count(db(), QStringLiteral("TimeTable"));
    EXPECT_TRUE(book(monday, StaffC));
    EXPECT_EQ(ScheduleRows::count(db(), QStringLiteral("TimeTable")), slotCount + 1);
    EXPECT_EQ(refusals,
              (QStringLiteral("予約できません。(時限に空きがありません)|予約済みです。|制限人数以上は予約できません。")
                   .split(u'|')));
    const TREQUEST_ITEM booked = schedule.Requests.Get(1);
    EXPECT_TRUE(booked.Flag);
    EXPECT_EQ(booked.Stf, StaffC);
    EXPECT_EQ(schedule.staffName(monday), QStringLiteral("上田"));
    EXPECT_EQ(ScheduleRows::count(db(), QStringLiteral("Schedule"),
                                  QStringLiteral("WorkingNo = %1 AND Comment = '週間希望'").arg(booked.ResNo)),
              1);
    // Erasing the booked wish is asked first, default No; the erase removes
    // its slot of one place with the booking. A wish is erased unasked.
    const std::optional<UserMessage> question = schedule.eraseQuestion(monday);
    ASSERT_TRUE(question);
    EXPECT_EQ(question->text, QStringLiteral("12/07 09:30 の予約を削除しますか？"));
    EXPECT_EQ(question->type, MessageType::Confirmation);
    EXPECT_EQ(question->buttons, MessageButtons::YesNoDefaultNo);
    EXPECT_EQ(bookings(booked.ResNo), 1);
    EXPECT_FALSE(schedule.eraseQuestion(schedule.Requests.Get(2).LName));
    EXPECT_TRUE(done(schedule.erase(monday)));
    EXPECT_EQ(ScheduleRows::count(db(), QStringLiteral("TimeTable")), slotCount);
    EXPECT_EQ(bookings(booked.ResNo), 0);
}

// Two workstations book the same user's wish with different staff at the
// same moment: the user's overlap check lets one through, and the loser's
// new slot goes with its refused booking.
TEST_P(UserMonthScheduleTest, RacingBookingsOfOneWish)
{
    constexpr int Rounds = 8;
    for (int round = 0; round < Rounds; ++round) {
        QSemaphore ready;
        QSemaphore go;
        std::atomic<int> won{0};
        const int hour = 8 + round;
        auto racer = [&](int staff) {
            DbConnection connection;
            if (!connection.open(connectionString(), user(), password()))
                return ready.release();
            UserMonthSchedule schedule(connection, m_staff);
            const bool loaded = schedule.load(input(hour, 0, 30)).done;
            ready.release();
            go.acquire();
            // The first wish: the bookings of earlier rounds come first.
            if (loaded && schedule.bookWish(schedule.Requests.Get(round).LName, staff).done)
                ++won;
        };
        std::thread first(racer, StaffA);
        std::thread second(racer, StaffB);
        ready.acquire(2);
        go.release(2);
        first.join();
        second.join();
        EXPECT_EQ(won.load(), 1) << "round " << round;
        EXPECT_EQ(ScheduleRows::count(db(), QStringLiteral("Schedule"), QStringLiteral("CureNo = 1")), round + 1);
        EXPECT_EQ(ScheduleRows::count(db(), QStringLiteral("TimeTable")), round + 1) << "round " << round;
    }
}

// Another workstation changes booked slots after the month was shown: the
// staff change decides from the slots as stored then and writes the staff
// alone, so that the other workstation's time and capacity stay.
TEST_P(UserMonthScheduleTest, StaffChangeDecidesFromTheStoredSlot)
{
    const int moved = ScheduleRows::addSlot(db(), day(3), StaffA, 9, 0, 60, 1);
    ScheduleRows::addBooking(db(), moved, 1);
    const int widened = ScheduleRows::addSlot(db(), day(4), StaffA, 9, 0, 60, 1);
    ScheduleRows::addBooking(db(), widened, 1);
    UserMonthSchedule schedule(db(), m_staff);
    ASSERT_TRUE(done(schedule.load(input(14, 0, 30))));
    const auto labelOf = [&schedule](int reserveNo) {
        for (const TREQUEST_ITEM &item : schedule.Requests.items())
            if (item.ResNo == reserveNo)
                return item.LName;
        return QString();
    };

    DbConnection other;
    ASSERT_TRUE(other.open(connectionString(), user(), password())) << other.errorText().toStdString();
    for (const QString &sql :
         {QStringLiteral("UPDATE TimeTable SET StartTime = ?, WorkingMin = 30 WHERE ReserveNo = ?"),
          QStringLiteral("UPDATE TimeTable SET Capacity = 2 WHERE ReserveNo = ?")}) {
        DbQuery change(other, sql);
        if (sql.contains(u"StartTime"))
            change.addBind(DbDate{DateTime::encodeTime(10, 0)}).addBind(moved);
        else
            change.addBind(widened);
        ASSERT_TRUE(change.exec()) << change.errorText().toStdString();
    }

    EXPECT_TRUE(done(schedule.changeStaff(labelOf(moved), StaffB)));
    DbDataSet stored;
    DbQuery read(db(), QStringLiteral("SELECT StuffCode, StartTime, WorkingMin FROM TimeTable WHERE ReserveNo = ?"));
    read.addBind(moved);
    ASSERT_TRUE(stored.open(read));
    EXPECT_EQ(stored.field(u"StuffCode").asInteger(), StaffB);
    EXPECT_EQ(SlotTime::minuteOfDay(stored.field(u"StartTime").asDateTime()), 10 * 60);
    EXPECT_EQ(stored.field(u"WorkingMin").asInteger(), 30);
    EXPECT_EQ(schedule.staffName(labelOf(moved)), m_staff.nameOf(StaffB));

    EXPECT_FALSE(done(schedule.changeStaff(labelOf(widened), StaffB)));
    EXPECT_EQ(texts(), QStringList{QStringLiteral("集団スタッフの変更は、介護担当者作業表で行ってください。")});
    EXPECT_EQ(m_told.front().type, MessageType::Warning);
    EXPECT_EQ(ScheduleRows::count(db(), QStringLiteral("TimeTable"),
                                  QStringLiteral("ReserveNo = %1 AND StuffCode = %2").arg(widened).arg(StaffA)),
              1);
}

// After the month was shown, another workstation widens the user's slot to
// three places and books another user into it: the erase decides from the
// slot as stored, keeps both bookings, says where to erase and shows the
// month again. A slot of one place that now holds another user, and a slot
// deleted meanwhile, are told as changed elsewhere.
TEST_P(UserMonthScheduleTest, EraseDecidesFromTheStoredSlot)
{
    std::map<TDateTime, int> slotOfDay;
    for (int d : {3, 4, 5}) {
        slotOfDay[day(d)] = ScheduleRows::addSlot(db(), day(d), StaffA, 9, 0, 60, 1);
        ScheduleRows::addBooking(db(), slotOfDay[day(d)], 1);
    }
    const int widened = slotOfDay[day(3)], taken = slotOfDay[day(4)], deleted = slotOfDay[day(5)];
    UserMonthSchedule schedule(db(), m_staff);
    ASSERT_TRUE(done(schedule.load(input(14, 0, 30))));
    const auto shownOf = [&schedule](int reserveNo) {
        for (const TREQUEST_ITEM &item : schedule.Requests.items())
            if (item.ResNo == reserveNo)
                return std::optional<TREQUEST_ITEM>(item);
        return std::optional<TREQUEST_ITEM>();
    };

    DbConnection other;
    ASSERT_TRUE(other.open(connectionString(), user(), password())) << other.errorText().toStdString();
    TScheduleData board(other, m_staff);
    ASSERT_TRUE(board.OpenStuffTimeFrames(StaffA, day(3), day(3)));
    TIMETABLE_ITEM wide = board.GetTimeFrame(0);
    wide.Cap = 3;
    ASSERT_TRUE(board.UpdateTimeFrame(wide, 0));
    ScheduleBooking booking(other, m_staff);
    ASSERT_EQ(booking.book(widened, 3).status, ScheduleBooking::Status::Ok);

    const int labelsBefore = schedule.LabelCounter;
    EXPECT_FALSE(done(schedule.erase(shownOf(widened)->LName)));
    ASSERT_EQ(texts(), QStringList{UserMonthSchedule::GroupEraseText});
    EXPECT_EQ(m_told.front().type, MessageType::Warning);
    EXPECT_EQ(bookings(widened), 2);
    EXPECT_GT(schedule.LabelCounter, labelsBefore); // read again
    ASSERT_TRUE(shownOf(widened));
    EXPECT_EQ(shownOf(widened)->Cap, 3);

    // 予約状況 at the other workstation cancels this user and books another.
    ASSERT_TRUE(exec(QStringLiteral("DELETE FROM Schedule WHERE WorkingNo = %1").arg(taken)));
    ASSERT_EQ(booking.book(taken, 3).status, ScheduleBooking::Status::Ok);
    for (const auto &[reserveNo, text] :
         {std::pair{taken, WorkBoard::SlotChangedText}, std::pair{deleted, WorkBoard::SlotGoneText}}) {
        if (reserveNo == deleted) {
            ASSERT_TRUE(board.OpenStuffTimeFrames(StaffA, day(5), day(5)));
            ASSERT_TRUE(board.DeleteTimeFrame(0, {1}));
        }
        ASSERT_TRUE(shownOf(reserveNo));
        EXPECT_FALSE(done(schedule.erase(shownOf(reserveNo)->LName)));
        EXPECT_EQ(texts(), QStringList{text});
        EXPECT_FALSE(shownOf(reserveNo)) << "the month is shown as stored";
    }
    EXPECT_EQ(ScheduleRows::count(db(), QStringLiteral("Schedule"), QStringLiteral("CureNo = 3")), 2);
    EXPECT_EQ(ScheduleRows::count(db(), QStringLiteral("TimeTable"), QStringLiteral("ReserveNo = %1").arg(taken)), 1);
}

// The user's slot moved to another time at another workstation after the
// month was shown: the erase was asked for the booking at the time shown,
// so the slot stays with the booking, is told as changed, and the month
// shows it at its new time.
TEST_P(UserMonthScheduleTest, EraseLeavesASlotMovedElsewhere)
{
    const int slot = ScheduleRows::addSlot(db(), day(10), StaffA, 9, 0, 60, 1);
    ScheduleRows::addBooking(db(), slot, 1);
    UserMonthSchedule schedule(db(), m_staff);
    ASSERT_TRUE(done(schedule.load(input(14, 0, 30))));
    ASSERT_EQ(shown(schedule).filter(u"B"), QStringList{QStringLiteral("B9@09:00")});

    DbConnection other;
    ASSERT_TRUE(other.open(connectionString(), user(), password())) << other.errorText().toStdString();
    TScheduleData board(other, m_staff);
    ASSERT_TRUE(board.OpenStuffTimeFrames(StaffA, day(10), day(10)));
    TIMETABLE_ITEM moved = board.GetTimeFrame(0);
    moved.StartTime = DateTime::encodeTime(11, 0);
    ASSERT_TRUE(board.UpdateTimeFrame(moved, 0));

    EXPECT_FALSE(done(schedule.erase(schedule.Requests.Get(0).LName)));
    EXPECT_EQ(texts(), QStringList{WorkBoard::SlotChangedText});
    EXPECT_EQ(bookings(slot), 1);
    EXPECT_EQ(shown(schedule).filter(u"B"), QStringList{QStringLiteral("B9@11:00")});
}

// The user's booking was cancelled at another workstation and another user
// booked into the slot after the month was shown: the staff change from
// this user's month leaves the other user's slot as it is, tells, and the
// month is read again.
TEST_P(UserMonthScheduleTest, StaffChangeLeavesASlotNoLongerTheUsers)
{
    const int slot = ScheduleRows::addSlot(db(), day(9), StaffA, 10, 0, 30, 1);
    ScheduleRows::addBooking(db(), slot, 1);
    UserMonthSchedule schedule(db(), m_staff);
    ASSERT_TRUE(done(schedule.load(input(10, 0, 30))));
    QString label;
    for (const TREQUEST_ITEM &item : schedule.Requests.items())
        if (item.ResNo == slot)
            label = item.LName;
    ASSERT_FALSE(label.isEmpty());

    DbConnection other;
    ASSERT_TRUE(other.open(connectionString(), user(), password())) << other.errorText().toStdString();
    DbQuery cancel(other, QStringLiteral("DELETE FROM Schedule WHERE WorkingNo = ?"));
    cancel.addBind(slot);
    ASSERT_TRUE(cancel.exec()) << cancel.errorText().toStdString();
    ASSERT_EQ(ScheduleBooking(other, m_staff).book(slot, 3).status, ScheduleBooking::Status::Ok);

    EXPECT_FALSE(done(schedule.changeStaff(label, StaffB)));
    EXPECT_EQ(texts(), QStringList{WorkBoard::SlotChangedText});
    EXPECT_EQ(ScheduleRows::count(db(), QStringLiteral("TimeTable"),
                                  QStringLiteral("ReserveNo = %1 AND StuffCode = %2").arg(slot).arg(StaffA)),
              1);
    for (const TREQUEST_ITEM &item : schedule.Requests.items())
        EXPECT_NE(item.ResNo, slot); // shown again: the slot is no longer this user's
}

// The diagnostic list: bookings (one in a slot of capacity 0) before the
// wish, each field in its fixed column.
TEST_P(UserMonthScheduleTest, ListDumpLines)
{
    const int booked = ScheduleRows::addSlot(db(), day(7), StaffA, 10, 20, 30, 1);
    ScheduleRows::addBooking(db(), booked, 1);
    const int closed = ScheduleRows::addSlot(db(), day(9), StaffB, 14, 5, 40, 0);
    ScheduleRows::addBooking(db(), closed, 1);
    TUserMonthBook book;
    TUserWeekBook::Week week{};
    week[4] = {DateTime::encodeTime(9, 0), 60}; // Fridays; care ends on the 5th
    book.SetWeek(week);
    UserMonthSchedule schedule(db(), m_staff);
    ASSERT_TRUE(done(schedule.load({1, day(1), day(5), day(1), book.BuildMonth(day(1))})));
    const QStringList expected{
        QStringLiteral("Flag     PNo   LName  ResNo  RegistDay     Stf  StartTime  Fnn  Cap"),
        QStringLiteral("true      6      L0 %1    2026/12/07    11     10:20    30    1").arg(booked, 5),
        QStringLiteral("true      8      L1 %1    2026/12/09    12     14:05    40    0").arg(closed, 5),
        QStringLiteral("false     3      L2    -1    2026/12/04    -1     09:00    60    1"),
    };
    const QStringList lines = RequestListDump::lines(schedule.Requests);
    ASSERT_EQ(lines.size(), expected.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]) << "line " << i;
    EXPECT_EQ(RequestListDump::lines(TRequestTable()), QStringList{expected.front()});
}

TAMSOLEN_DATABASE_TEST_SUITE(UserMonthScheduleTest);

} // namespace
