#include "BoardFixture.h"

#include "platform/DbConnection.h"
#include "platform/DbDate.h"
#include "platform/DbQuery.h"
#include "scheduling/BookingPayload.h"
#include "scheduling/ScheduleBooking.h"

#include <QMimeData>

namespace {

class WorkBoardTest : public BoardFixture
{
protected:
    BookingUser user(int cureNo) { return BookingUser{cureNo, 0, 0, 0, 0, QStringLiteral("x")}; }
    bool drop(int reserveNo, int cureNo)
    {
        const std::unique_ptr<QMimeData> data = BookingPayload::encode(user(cureNo));
        return done(board().drop(labelOf(reserveNo), data.get()));
    }
    // What the board shows of a slot; -1 and empty when it shows none.
    int columnOf(int reserveNo)
    {
        const std::optional<TIMETABLE_ITEM> item = board().slot(labelOf(reserveNo));
        return item ? item->PNo : -1;
    }
    QString captionOf(int reserveNo)
    {
        const std::optional<WorkBoard::FrameLabel> label = board().label(labelOf(reserveNo));
        return label ? label->caption : QString();
    }
};

TEST_P(WorkBoardTest, DropChecksInThePartsOrder)
{
    const int closed = ScheduleRows::addSlot(db(), day(1), StaffA, 9, 0, 60, 0);
    const int single = ScheduleRows::addSlot(db(), day(1), StaffA, 10, 0, 60, 1);
    const int group = ScheduleRows::addSlot(db(), day(1), StaffA, 11, 0, 60, 3);
    const int later = ScheduleRows::addSlot(db(), day(2), StaffA, 9, 0, 60, 3);
    ASSERT_TRUE(done(board().displayStaff(StaffA, day(1))));

    const struct
    {
        int slot;
        int cureNo;
        bool booked;
        QString message;
    } cases[] = {
        {closed, 3, false, QStringLiteral("予約はできません。")},
        {single, 3, false, QStringLiteral("入所日(開始日)より前の日付けで予約はできません。")},
        {later, 2, false, QStringLiteral("退所日(終了日)より後の日付けで予約はできません。")},
        {single, 2, true, QString()}, // the end date is the slot's day
        {single, 1, false, QStringLiteral("制限人数以上は予約できません。")},
        {single, 2, false, QStringLiteral("制限人数以上は予約できません。")}, // full beats already booked
        {group, 1, true, QString()},
        {group, 1, false, QStringLiteral("既に予約されています。")},
        {later, 3, true, QString()}, // the start date is the slot's day
    };
    for (const auto &c : cases) {
        EXPECT_EQ(drop(c.slot, c.cureNo), c.booked) << c.slot << "/" << c.cureNo;
        EXPECT_EQ(lastMessage(), c.message) << c.slot << "/" << c.cureNo;
    }
    EXPECT_EQ(bookings(single), 1);
    EXPECT_EQ(bookings(group), 1);
    EXPECT_EQ(board().label(labelOf(single))->caption, QStringLiteral("10.00 -> 60分\n利用者二\n入所 個"));
    EXPECT_EQ(board().label(labelOf(group))->caption, QStringLiteral("11.00 -> 60分\n予約 1 名\n"));

    QMimeData foreign;
    foreign.setText(QStringLiteral("1"));
    EXPECT_FALSE(done(board().drop(labelOf(group), &foreign)));
    EXPECT_EQ(lastMessage(), QStringLiteral("System Error ドロップに失敗しました。"));
}

// The user's other bookings are read from the database inside the write,
// not from the board, which shows only staff B.
TEST_P(WorkBoardTest, UserOverlapLooksAtStoredBookingsOfOtherStaff)
{
    const int atA = ScheduleRows::addSlot(db(), day(1), StaffA, 9, 0, 60, 3);
    const int sameStaff = ScheduleRows::addSlot(db(), day(1), StaffA, 9, 0, 30, 3);
    const int after = ScheduleRows::addSlot(db(), day(1), StaffB, 10, 0, 30, 3);
    const int before = ScheduleRows::addSlot(db(), day(1), StaffB, 8, 0, 60, 3);
    ASSERT_TRUE(done(board().displayStaff(StaffB, day(1))));
    ScheduleRows::addBooking(db(), atA, 1);

    EXPECT_TRUE(drop(after, 1));
    EXPECT_FALSE(drop(before, 1));
    EXPECT_EQ(lastMessage(), QStringLiteral("スケジュールが重なっています。\n利用者 利用者一\n担当者 青木\n09:00->60"));
    EXPECT_EQ(bookings(before), 0);

    m_board.reset();
    ASSERT_TRUE(done(board().displayStaff(StaffA, day(1))));
    EXPECT_TRUE(drop(sameStaff, 1));
}

TEST_P(WorkBoardTest, LosingTheLastPlaceTellsAndReloads)
{
    const int slot = ScheduleRows::addSlot(db(), day(3), StaffA, 9, 0, 60, 2);
    ScheduleRows::addBooking(db(), slot, 3);
    ASSERT_TRUE(done(board().displayStaff(StaffA, day(1))));
    // Another workstation takes the last place.
    ScheduleRows::addBooking(db(), slot, 2);
    EXPECT_EQ(board().label(labelOf(slot))->caption, QStringLiteral("09.00 -> 60分\n予約 1 名\n"));
    EXPECT_FALSE(drop(slot, 1));
    EXPECT_EQ(lastMessage(), QStringLiteral("制限人数以上は予約できません。"));
    EXPECT_EQ(board().label(labelOf(slot))->caption, QStringLiteral("09.00 -> 60分\n予約 2 名\n"));
    EXPECT_EQ(bookings(slot), 2);
}

TEST_P(WorkBoardTest, ChangedSlotsAreCheckedLikeNewOnes)
{
    const int slot = ScheduleRows::addSlot(db(), day(1), StaffA, 9, 0, 60, 3);
    const int next = ScheduleRows::addSlot(db(), day(1), StaffA, 10, 0, 60, 3);
    const int elsewhere = ScheduleRows::addSlot(db(), day(2), StaffB, 9, 0, 60, 3);
    ScheduleRows::addBooking(db(), slot, 1);
    ScheduleRows::addBooking(db(), slot, 2);
    ScheduleRows::addBooking(db(), elsewhere, 1);
    ASSERT_TRUE(done(board().displayStaff(StaffA, day(1))));
    const QString name = labelOf(slot);
    const TDateTime nine = DateTime::encodeTime(9, 0);

    EXPECT_FALSE(done(board().editSlot(name, DateTime::encodeTime(9, 30), 60, 3)));
    EXPECT_EQ(lastMessage(), QStringLiteral("時間が重複しています。"));
    EXPECT_TRUE(done(board().editSlot(name, nine, 60, 2))); // back to back with the next slot
    EXPECT_FALSE(done(board().editSlot(name, nine, 60, 1)));
    EXPECT_EQ(lastMessage(), QStringLiteral("予約済み人数以下には設定できません。"));

    // User 2's care ends on the 1st: the slot cannot move to the 2nd.
    EXPECT_FALSE(done(board().moveSlot(name, day(2), StaffA, DateTime::encodeTime(11, 0), 60)));
    EXPECT_EQ(lastMessage(), QStringLiteral("2  利用者二 様\n退所日(終了日)より後の日付けで予約はできません。\n"
                                            "時間枠の変更ができませんでした。予約を変更して下さい。"));
    // Moving within its own time is no overlap with its own stored row.
    EXPECT_TRUE(done(board().moveSlot(labelOf(next), day(1), StaffA, DateTime::encodeTime(10, 10), 50)));
    // User 1 has a booking with staff B on the 2nd at 9:00.
    ScheduleRows::addBooking(db(), next, 1);
    EXPECT_FALSE(done(board().moveSlot(labelOf(next), day(2), StaffA, DateTime::encodeTime(8, 30), 30)));
    EXPECT_TRUE(lastMessage().startsWith(QStringLiteral("スケジュールが重なっています。")));
    EXPECT_EQ(ScheduleRows::count(db(), QStringLiteral("TimeTable"), QStringLiteral("StuffCode = %1").arg(StaffA)), 2);
}

TEST_P(WorkBoardTest, PastesCheckEveryCopiedBooking)
{
    const int source = ScheduleRows::addSlot(db(), day(2), StaffA, 9, 0, 60, 3);
    ScheduleRows::addSlot(db(), day(2), StaffA, 13, 0, 60, 1);
    ScheduleRows::addBooking(db(), source, 1);
    ScheduleRows::addBooking(db(), source, 3);
    ASSERT_TRUE(done(board().displayStaff(StaffA, day(1))));

    // Onto the 1st: user 3 starts on the 2nd.
    board().copySlot(labelOf(source), true);
    EXPECT_EQ(board().statusText(), QStringLiteral("12/02 09:00 全てコピー"));
    ASSERT_TRUE(done(board().pasteSlot(0)));
    EXPECT_EQ(lastMessage(), QStringLiteral("3  利用者三 様\n入所(開始)日より前の日付けで予約はできません。"));
    const TIMETABLE_ITEM pasted = m_data->GetTimeFrame(m_data->TimeFrameCount() - 1);
    EXPECT_EQ(pasted.RegistDay, day(1));
    EXPECT_EQ(bookings(pasted.ResNo), 1);
    EXPECT_EQ(board().label(pasted.LName)->caption, QStringLiteral("09.00 -> 60分\n予約 1 名\n"));

    // A day onto itself: every slot is skipped, nothing is written.
    board().copyColumn(1, true, QStringLiteral("火曜日 2026/12/02"));
    ASSERT_TRUE(board().canPasteDay());
    EXPECT_FALSE(board().canPasteSlot());
    EXPECT_TRUE(done(board().pasteColumn(1)));
    // One message lists the skipped slots.
    ASSERT_EQ(texts().size(), 1);
    const QStringList lines = texts().first().split(u'\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines.mid(0, 2),
              (QStringList{QStringLiteral("時間が重複しています。"), QStringLiteral("次の時限枠を無視しました。")}));
    EXPECT_TRUE(lines.contains(QStringLiteral("09:00 60分")));
    // Onto the 3rd: both slots once (the copies do not join the loop),
    // users copied with a capacity check.
    EXPECT_TRUE(done(board().pasteColumn(2)));
    EXPECT_EQ(ScheduleRows::count(db(), QStringLiteral("TimeTable")), 5);
    EXPECT_TRUE(texts().isEmpty()) << texts().join(u'|').toStdString();
    EXPECT_EQ(ScheduleRows::count(db(), QStringLiteral("Schedule")), 5);

    // Erasing empties the copy buffer and deletes the slot's bookings.
    EXPECT_TRUE(done(board().eraseSlot(labelOf(source))));
    EXPECT_FALSE(board().canPasteDay());
    EXPECT_EQ(bookings(source), 0);
    EXPECT_EQ(ScheduleRows::count(db(), QStringLiteral("TimeTable"), QStringLiteral("ReserveNo = %1").arg(source)), 0);
}

TEST_P(WorkBoardTest, DayBoardMapsColumnsToStaffByIndex)
{
    const int hidden = ScheduleRows::addSlot(db(), day(1), StaffA, 9, 0, 60, 1);
    const int shown = ScheduleRows::addSlot(db(), day(1), StaffC, 9, 0, 60, 1);
    WorkBoard &dayBoard = board(WorkBoard::Kind::Day);
    ASSERT_TRUE(done(dayBoard.displayDay(day(1), 1)));
    EXPECT_EQ(dayBoard.columnCount(), 2);
    EXPECT_EQ(dayBoard.columnStaff(0), StaffB);
    EXPECT_EQ(dayBoard.columnStaff(2), -1);
    EXPECT_EQ(dayBoard.slot(labelOf(hidden))->PNo, -1);
    ASSERT_EQ(dayBoard.labels().size(), 1u);
    EXPECT_EQ(dayBoard.labels().front().column, 1);
    EXPECT_EQ(dayBoard.labels().front().name, labelOf(shown));

    EXPECT_FALSE(done(dayBoard.newSlot(2, DateTime::encodeTime(9, 0), 30, 1)));
    EXPECT_TRUE(done(dayBoard.newSlot(0, DateTime::encodeTime(9, 0), 30, 1)));
    EXPECT_EQ(m_data->GetTimeFrame(m_data->TimeFrameCount() - 1).Stf, StaffB);

    // Staff C's column to staff A, who has a slot at that time already.
    EXPECT_TRUE(done(dayBoard.changeColumnStaff(1, StaffA)));
    EXPECT_EQ(lastMessage(), QStringLiteral("次の時間枠は変更できませんでした。\n09:00 60分：時間が重複しています。"));
    EXPECT_EQ(ScheduleRows::count(db(), QStringLiteral("TimeTable"), QStringLiteral("StuffCode = %1").arg(StaffC)), 1);
}

// Another workstation moves and widens a slot after the day was shown: the
// column's staff change decides from the slot as stored then, which no
// longer meets the new staff member's slot, and keeps its time and capacity.
TEST_P(WorkBoardTest, ColumnStaffChangeDecidesFromTheStoredSlots)
{
    ScheduleRows::addSlot(db(), day(1), StaffA, 9, 0, 60, 1);
    const int moved = ScheduleRows::addSlot(db(), day(1), StaffC, 9, 0, 60, 1);
    WorkBoard &dayBoard = board(WorkBoard::Kind::Day);
    ASSERT_TRUE(done(dayBoard.displayDay(day(1), 1)));

    DbConnection other;
    ASSERT_TRUE(other.open(connectionString(), DatabaseFixture::user(), password())) << other.errorText().toStdString();
    DbQuery change(other, QStringLiteral("UPDATE TimeTable SET StartTime = ?, WorkingMin = 30, Capacity = 3 "
                                         "WHERE ReserveNo = ?"));
    change.addBind(DbDate{DateTime::encodeTime(11, 0)}).addBind(moved);
    ASSERT_TRUE(change.exec()) << change.errorText().toStdString();

    EXPECT_TRUE(done(dayBoard.changeColumnStaff(1, StaffA)));
    EXPECT_TRUE(texts().isEmpty()) << texts().join(u'|').toStdString();
    EXPECT_EQ(ScheduleRows::count(db(), QStringLiteral("TimeTable"),
                                  QStringLiteral("ReserveNo = %1 AND StuffCode = %2 AND WorkingMin = 30 AND "
                                                 "Capacity = 3")
                                      .arg(moved)
                                      .arg(StaffA)),
              1);
    EXPECT_EQ(dayBoard.slot(labelOf(moved))->Stf, StaffA);
}

// A slot shown closed (capacity 0) that another workstation opened for one
// user meanwhile takes the dropped user: the drop decides from the slot as
// stored, not from the capacity the board showed.
TEST_P(WorkBoardTest, DropOnASlotOpenedElsewhereMeanwhile)
{
    const int slot = ScheduleRows::addSlot(db(), day(3), StaffA, 9, 0, 60, 0);
    ASSERT_TRUE(done(board().displayStaff(StaffA, day(1))));
    DbConnection other;
    ASSERT_TRUE(other.open(connectionString(), DatabaseFixture::user(), password())) << other.errorText().toStdString();
    DbQuery open(other, QStringLiteral("UPDATE TimeTable SET Capacity = 1 WHERE ReserveNo = ?"));
    open.addBind(slot);
    ASSERT_TRUE(open.exec()) << open.errorText().toStdString();

    EXPECT_TRUE(drop(slot, 1)) << lastMessage().toStdString();
    EXPECT_EQ(bookings(slot), 1);
    EXPECT_EQ(board().slot(labelOf(slot))->Cap, 1); // shown as stored
}

// A slot of the column's staff member moved to another staff member at
// another workstation after the day was shown stays with that one: the
// column's change takes the slots that are still the column's.
TEST_P(WorkBoardTest, ColumnStaffChangeLeavesASlotMovedAwayMeanwhile)
{
    const int kept = ScheduleRows::addSlot(db(), day(1), StaffC, 9, 0, 60, 1);
    const int movedAway = ScheduleRows::addSlot(db(), day(1), StaffC, 11, 0, 60, 1);
    WorkBoard &dayBoard = board(WorkBoard::Kind::Day);
    ASSERT_TRUE(done(dayBoard.displayDay(day(1), 1)));

    DbConnection other;
    ASSERT_TRUE(other.open(connectionString(), DatabaseFixture::user(), password())) << other.errorText().toStdString();
    TScheduleData otherData(other, m_staff);
    ASSERT_TRUE(otherData.OpenStuffTimeFrames(StaffC, day(1), day(1)));
    ASSERT_EQ(otherData.TimeFrameCount(), 2);
    ASSERT_TRUE(otherData.ChangeSlotStaff(otherData.GetTimeFrame(1), StaffB, true));

    EXPECT_TRUE(done(dayBoard.changeColumnStaff(1, StaffA)));
    EXPECT_EQ(lastMessage(), QStringLiteral("次の時間枠は変更できませんでした。\n11:00 60分：") +
                                 QString(WorkBoard::SlotChangedText).replace(u'\n', u' '));
    const auto staffOf = [&](int reserveNo) {
        return ScheduleRows::count(db(), QStringLiteral("TimeTable"),
                                   QStringLiteral("ReserveNo = %1 AND StuffCode = %2").arg(reserveNo).arg(StaffA));
    };
    EXPECT_EQ(staffOf(kept), 1);
    EXPECT_EQ(staffOf(movedAway), 0);
    EXPECT_EQ(dayBoard.slot(labelOf(movedAway))->Stf, StaffB); // the board was read again
}

// A slot deleted at another workstation: the change returns the store's own
// box with its Abort button, and the board then holds what is stored.
TEST_P(WorkBoardTest, ChangingASlotGoneTellsAndReloads)
{
    const int gone = ScheduleRows::addSlot(db(), day(1), StaffA, 9, 0, 60, 1);
    ASSERT_TRUE(done(board().displayStaff(StaffA, day(1))));
    const QString name = labelOf(gone);
    ASSERT_TRUE(exec(QStringLiteral("DELETE FROM TimeTable WHERE ReserveNo = %1").arg(gone)));
    EXPECT_FALSE(done(board().editSlot(name, DateTime::encodeTime(10, 0), 60, 1)));
    ASSERT_EQ(m_told.size(), 1u);
    EXPECT_EQ(m_told.front().type, MessageType::Error);
    EXPECT_EQ(m_told.front().text, QStringLiteral("SystemError : TimeTable KeyRecord error "));
    EXPECT_EQ(m_told.front().buttons, MessageButtons::Abort);
    EXPECT_TRUE(board().isDisplayed());
    EXPECT_TRUE(board().labels().empty());
}

// After the month was shown, another workstation moves a slot to another
// staff member, day or time, books a user into one, deletes one and cancels
// a booking of one. Each erase decides from the slot as stored: a slot
// moved or holding a booking the board did not show stays with its
// bookings, is told as changed (or gone) and the board shows what is
// stored; a slot that only lost a booking is erased as asked.
TEST_P(WorkBoardTest, EraseDecidesFromTheStoredSlot)
{
    const int toStaffB = ScheduleRows::addSlot(db(), day(3), StaffA, 9, 0, 60, 1);
    const int toNextDay = ScheduleRows::addSlot(db(), day(4), StaffA, 9, 0, 60, 1);
    const int toEleven = ScheduleRows::addSlot(db(), day(6), StaffA, 9, 0, 60, 1);
    const int rebooked = ScheduleRows::addSlot(db(), day(7), StaffA, 9, 0, 60, 3);
    const int deleted = ScheduleRows::addSlot(db(), day(8), StaffA, 9, 0, 60, 3);
    const int cancelled = ScheduleRows::addSlot(db(), day(9), StaffA, 9, 0, 60, 3);
    for (int slot : {toStaffB, toNextDay, toEleven, rebooked, deleted, cancelled})
        ScheduleRows::addBooking(db(), slot, 1);
    ScheduleRows::addBooking(db(), cancelled, 3);
    ASSERT_TRUE(done(board().displayStaff(StaffA, day(1))));

    DbConnection other;
    ASSERT_TRUE(other.open(connectionString(), DatabaseFixture::user(), password())) << other.errorText().toStdString();
    TScheduleData otherData(other, m_staff);
    const auto move = [&](int slot, int staff, int dayOfDecember, int hour) {
        ASSERT_TRUE(otherData.OpenStuffTimeFrames(StaffA, day(1), day(31)));
        for (int i = 0; i < otherData.TimeFrameCount(); ++i) {
            TIMETABLE_ITEM item = otherData.GetTimeFrame(i);
            if (item.ResNo != slot)
                continue;
            item.Stf = staff;
            item.RegistDay = day(dayOfDecember);
            item.StartTime = DateTime::encodeTime(hour, 0);
            ASSERT_TRUE(otherData.UpdateTimeFrame(item, i)) << int(otherData.refusal());
        }
    };
    const auto refused = [&](int slot, const QString &text, int bookingsKept) {
        const QString name = labelOf(slot);
        ASSERT_FALSE(name.isEmpty());
        EXPECT_FALSE(done(board().eraseSlot(name)));
        EXPECT_EQ(texts(), QStringList{text});
        EXPECT_EQ(bookings(slot), bookingsKept);
        EXPECT_EQ(ScheduleRows::count(db(), QStringLiteral("TimeTable"), QStringLiteral("ReserveNo = %1").arg(slot)),
                  bookingsKept > 0);
    };

    move(toStaffB, StaffB, 3, 9);
    refused(toStaffB, WorkBoard::SlotChangedText, 1);
    EXPECT_TRUE(labelOf(toStaffB).isEmpty()) << "the board shows staff A's slots as stored";
    move(toNextDay, StaffA, 5, 9);
    refused(toNextDay, WorkBoard::SlotChangedText, 1);
    EXPECT_EQ(columnOf(toNextDay), 4);
    move(toEleven, StaffA, 6, 11);
    refused(toEleven, WorkBoard::SlotChangedText, 1);
    EXPECT_EQ(captionOf(toEleven), QStringLiteral("11.00 -> 60分\n利用者一\n入所 個"));

    ASSERT_EQ(ScheduleBooking(other, m_staff).book(rebooked, 3).status, ScheduleBooking::Status::Ok);
    refused(rebooked, WorkBoard::SlotChangedText, 2);
    EXPECT_EQ(captionOf(rebooked), QStringLiteral("09.00 -> 60分\n予約 2 名\n"));

    DbQuery remove(other, QStringLiteral("DELETE FROM TimeTable WHERE ReserveNo = ?"));
    remove.addBind(deleted);
    ASSERT_TRUE(remove.exec()) << remove.errorText().toStdString();
    refused(deleted, WorkBoard::SlotGoneText, 0);
    EXPECT_TRUE(labelOf(deleted).isEmpty());

    DbQuery cancel(other, QStringLiteral("DELETE FROM Schedule WHERE WorkingNo = ? AND CureNo = 3"));
    cancel.addBind(cancelled);
    ASSERT_TRUE(cancel.exec()) << cancel.errorText().toStdString();
    EXPECT_TRUE(done(board().eraseSlot(labelOf(cancelled))));
    EXPECT_TRUE(texts().isEmpty()) << texts().join(u'|').toStdString();
    EXPECT_EQ(bookings(cancelled), 0);
    EXPECT_TRUE(labelOf(cancelled).isEmpty());
    EXPECT_EQ(ScheduleRows::count(db(), QStringLiteral("Schedule")), 5);
}

// On the day board a slot moved to another staff member's column, or
// booked into, after the day was shown stays; the board then shows it in
// the column it is stored in.
TEST_P(WorkBoardTest, DayBoardEraseLeavesASlotChangedElsewhere)
{
    const int moved = ScheduleRows::addSlot(db(), day(2), StaffA, 9, 0, 60, 1);
    const int booked = ScheduleRows::addSlot(db(), day(2), StaffC, 9, 0, 60, 0);
    WorkBoard &dayBoard = board(WorkBoard::Kind::Day);
    ASSERT_TRUE(done(dayBoard.displayDay(day(2), 0)));
    ASSERT_EQ(columnOf(moved), 0);

    DbConnection other;
    ASSERT_TRUE(other.open(connectionString(), DatabaseFixture::user(), password())) << other.errorText().toStdString();
    TScheduleData otherData(other, m_staff);
    ASSERT_TRUE(otherData.OpenDayTimeFrames(day(2)));
    ASSERT_TRUE(otherData.ChangeSlotStaff(otherData.GetTimeFrame(0), StaffB, false));
    EXPECT_FALSE(done(dayBoard.eraseSlot(labelOf(moved))));
    EXPECT_EQ(texts(), QStringList{WorkBoard::SlotChangedText});
    EXPECT_EQ(columnOf(moved), 1);

    // Opened for one user and booked: the board showed a closed slot.
    ASSERT_TRUE(exec(QStringLiteral("UPDATE TimeTable SET Capacity = 1 WHERE ReserveNo = %1").arg(booked)));
    ASSERT_EQ(ScheduleBooking(other, m_staff).book(booked, 1).status, ScheduleBooking::Status::Ok);
    EXPECT_FALSE(done(dayBoard.eraseSlot(labelOf(booked))));
    EXPECT_EQ(texts(), QStringList{WorkBoard::SlotChangedText});
    EXPECT_EQ(bookings(booked), 1);
    EXPECT_EQ(captionOf(booked), QStringLiteral("09.00 -> 60分\n利用者一\n入所 個"));
}

TEST_P(WorkBoardTest, FailedLoadLeavesAnEmptyBoard)
{
    ScheduleRows::addSlot(db(), day(1), StaffA, 9, 0, 60, 1);
    ASSERT_TRUE(exec(QStringLiteral("DROP TABLE Schedule")));
    EXPECT_FALSE(done(board().displayStaff(StaffA, day(1))));
    EXPECT_EQ(lastMessage(), QStringLiteral("System Error 予約の表示でエラーが発生しました。"));
    EXPECT_FALSE(board().isDisplayed());
    EXPECT_TRUE(board().labels().empty());
}

TAMSOLEN_DATABASE_TEST_SUITE(WorkBoardTest);

} // namespace
