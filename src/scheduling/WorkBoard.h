#pragma once

#include "scheduling/BoardOutcome.h"
#include "scheduling/ScheduleBooking.h"
#include "scheduling/TIMETABLE_ITEM.h"
#include "scheduling/TScheduleData.h"

#include <QRect>
#include <QString>

#include <optional>
#include <vector>

class QMimeData;
class StaffDirectory;

// The rules of a work table, apart from its widgets: which slots stand in
// which column, what a drop, a paste or a slot change does, which checks
// run and what they tell. Two kinds share them: the staff board (31 days of
// one staff member, column = day) and the day board (one day, column =
// staff member from a first index on). An action returns its refusals and
// failures for the window to show; a refused action writes nothing.
class WorkBoard
{
public:
    enum class Kind { StaffMonth, Day };

    // What one slot label shows.
    struct FrameLabel
    {
        QString name;
        int column = 0;
        QRect rect;
        QString caption;
        unsigned colour = 0; // 0xRRGGBB
    };

    // What a write tells when the slot it was asked for is no longer as
    // the window showed it; the window then shows what is stored.
    inline static const QString SlotGoneText =
        QStringLiteral("この時間枠は既に削除されています。\n最新の状態を表示します。");
    inline static const QString SlotChangedText =
        QStringLiteral("この時間枠は他の端末で変更されています。\n最新の状態を表示します。");
    // Which of the two a refusal of the store tells; empty for the others.
    [[nodiscard]] static QString staleSlotText(TScheduleData::Refusal refusal);

    WorkBoard(Kind kind, TScheduleData &data, const StaffDirectory &staff);

    // Loads a staff member's 31 days from the start day. On a failed read
    // the board stays empty and the outcome tells why.
    [[nodiscard]] BoardOutcome displayStaff(int staffCode, TDateTime startDate);
    // Loads one day for the staff from the list index `firstStaff` on.
    [[nodiscard]] BoardOutcome displayDay(TDateTime date, int firstStaff);
    // Empties the board; the copy buffer stays.
    void clear();
    // Empties the copy buffer and its status text.
    void clearCopy();
    [[nodiscard]] bool isDisplayed() const { return m_displayed; }

    // Columns shown, their day and staff member (-1 when none).
    [[nodiscard]] int columnCount() const;
    [[nodiscard]] TDateTime columnDay(int column) const;
    [[nodiscard]] int columnStaff(int column) const;
    // Every slot drawn, and one by its label name.
    [[nodiscard]] std::vector<FrameLabel> labels() const;
    [[nodiscard]] std::optional<FrameLabel> label(const QString &name) const;
    [[nodiscard]] std::optional<TIMETABLE_ITEM> slot(const QString &name) const;

    // A user dropped on a slot label: books the payload's user.
    [[nodiscard]] BoardOutcome drop(const QString &labelName, const QMimeData *data);
    [[nodiscard]] BoardOutcome book(const QString &labelName, const BookingUser &user);
    // Reads a slot's bookings again (after its booking list was edited).
    void refreshBookings(const QString &labelName);

    // The slot menu. An erase takes the slot with the bookings the board
    // shows; one moved or booked into elsewhere since stays, is told as
    // such, and the board shows what is stored.
    void copySlot(const QString &labelName, bool withBookings);
    [[nodiscard]] BoardOutcome eraseSlot(const QString &labelName);
    [[nodiscard]] BoardOutcome editSlot(const QString &labelName, TDateTime start, int minutes, int capacity);
    [[nodiscard]] BoardOutcome moveSlot(const QString &labelName, TDateTime day, int staffCode, TDateTime start,
                                        int minutes);

    // The column and header menus.
    [[nodiscard]] BoardOutcome newSlot(int column, TDateTime start, int minutes, int capacity);
    [[nodiscard]] bool canPasteSlot() const { return m_hasCopy && !m_copyIsDay; }
    [[nodiscard]] bool canPasteDay() const { return m_hasCopy && m_copyIsDay; }
    [[nodiscard]] BoardOutcome pasteSlot(int column);
    void copyColumn(int column, bool withBookings, const QString &headerCaption);
    [[nodiscard]] BoardOutcome pasteColumn(int column);
    // Day board: every slot of the column's staff member goes to another.
    [[nodiscard]] BoardOutcome changeColumnStaff(int column, int staffCode);

    // The text of the status bar: what the copy buffer holds.
    [[nodiscard]] const QString &statusText() const { return m_status; }
    // Whether two slots of a column overlap (half-open), skipping one index.
    [[nodiscard]] bool IsFrameOverlapped(int column, int minutes, int skipIndex, TDateTime start) const;
    // Why a booking was refused (an error box); empty for Ok.
    [[nodiscard]] static QString bookingRefusal(const ScheduleBooking::Result &result, const QString &startMessage);

private:
    // Loads what the board's kind, staff and day select.
    [[nodiscard]] bool display(BoardOutcome &outcome);
    [[nodiscard]] bool load(bool loaded, BoardOutcome &outcome);
    // Loads again what is shown (after a change made elsewhere).
    bool reload(BoardOutcome &outcome);
    [[nodiscard]] int indexOf(const QString &labelName, const QString &missingText, BoardOutcome &outcome) const;
    // The staff member of a column for a new slot; -1 (told) when none.
    [[nodiscard]] int staffOfNewSlot(int column, BoardOutcome &outcome) const;
    [[nodiscard]] FrameLabel makeLabel(const TIMETABLE_ITEM &item) const;
    [[nodiscard]] std::optional<TIMETABLE_ITEM> appendCopy(TIMETABLE_ITEM item, int column, int staffCode,
                                                           bool quietOverlap, BoardOutcome &outcome);
    bool updateChecked(const TIMETABLE_ITEM &item, int index, BoardOutcome &outcome);
    // What the store's last refusal tells the user. The store's own box
    // goes into the outcome, and so does a failed reload after a slot gone;
    // the text is empty then, or when there is nothing to tell.
    QString refusalText(BoardOutcome &outcome);
    // Books the copied slot's users into a new slot; false when a write
    // failure ended the copy.
    bool copyBookings(int sourceReserveNo, const TIMETABLE_ITEM &target, const QString &startMessage,
                      BoardOutcome &outcome);

    Kind m_kind;
    TScheduleData &m_data;
    const StaffDirectory &m_staff;
    ScheduleBooking::Bookings m_bookings;
    bool m_displayed = false;
    int m_staffCode = -1;
    TDateTime m_startDate = DateTime::None;
    int m_firstStaff = 0;
    int m_frameCount = 0;

    bool m_hasCopy = false;
    bool m_copyIsDay = false;
    bool m_copyWithBookings = false;
    int m_copyColumn = -1;
    TIMETABLE_ITEM m_copyItem;
    QString m_status;
};
