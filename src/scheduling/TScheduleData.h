#pragma once

#include "platform/UserMessage.h"
#include "scheduling/ScheduleBooking.h"
#include "scheduling/TTimeTable.h"

#include <QString>

#include <optional>
#include <vector>

class DbConnection;
class StaffDirectory;

// The schedule data module: the slots a work table shows (TimeFrames) and
// the writes of the TimeTable table. Every write runs in one write
// transaction that checks the slot again against what is stored: the staff
// member's other slots of the day and, for a changed slot, its bookings.
class TScheduleData
{
public:
    // Why the last append or update did nothing.
    enum class Refusal {
        None,
        OpenFailed,    // the database is busy (see storeMessage)
        KeyRecord,     // the slot is no longer stored (see storeMessage)
        TimeOverlap,   // another slot of the staff member's day overlaps
        BelowBookings, // the capacity is below the number of bookings
        UserRefused,   // a booked user does not fit the new day or time; see refusalText
        GroupSlot,     // a slot for several users changes staff on the work table only
        Changed,       // the slot is no longer what the window showed, or a user's slot holds
                       // another user's booking or takes none
        WriteFailed
    };
    // Where a slot is deleted from: a work table, which showed it with all
    // its bookings, or a user's month, which showed the user's own booking.
    enum class Eraser { WorkTable, UserMonth };

    TScheduleData(DbConnection &database, const StaffDirectory &staff);

    void ClearTimeFrames() { TimeFrames.Clear(); }
    // Replaces TimeFrames with the staff member's slots from `from` to `to`
    // (whole days), in day and time order; PNo is the day offset from
    // `from`. A failed read leaves TimeFrames empty.
    [[nodiscard]] bool OpenStuffTimeFrames(int staffCode, TDateTime from, TDateTime to);
    // The slots of all staff on one day; PNo 0.
    [[nodiscard]] bool OpenDayTimeFrames(TDateTime date);
    // Stores a new slot and appends it with its new key; -1 when refused.
    [[nodiscard]] int AppendTimeFrame(TIMETABLE_ITEM item);
    // Writes what the item changes of the list record at the index onto the
    // slot as stored (by ResNo), and updates the list record.
    [[nodiscard]] bool UpdateTimeFrame(const TIMETABLE_ITEM &item, int index);
    // Gives the stored slot (by the shown record's ResNo) to another staff
    // member, deciding from the slot as stored under its lock and writing
    // its staff alone; a slot for several users only with groupSlots.
    // Changed when the slot is no longer the shown staff member's on the
    // shown day or, with a booked user, no longer holds that user.
    [[nodiscard]] bool ChangeSlotStaff(const TIMETABLE_ITEM &shown, int staffCode, bool groupSlots,
                                       int bookedUser = -1);
    bool SetFramePanelNo(const QString &labelName, int column) { return TimeFrames.SetPNo(labelName, column); }
    // Deletes the slot of the list record at the index with its bookings in
    // one transaction, then the list record; false (nothing deleted)
    // otherwise. Decided from the slot as stored under its lock, since the
    // window asked about the record and the bookings of `shownUsers`: a
    // slot gone (KeyRecord), no longer the record's staff member's at its
    // day and start, or holding a booking of a user not shown (Changed)
    // stays; from a user's month, so does a slot for several users
    // (GroupSlot) or for none (Changed).
    [[nodiscard]] bool DeleteTimeFrame(int index, const std::vector<int> &shownUsers,
                                       Eraser eraser = Eraser::WorkTable);
    [[nodiscard]] int IndexOfFrameLabel(const QString &labelName) const { return TimeFrames.IndexOf(labelName); }
    [[nodiscard]] TIMETABLE_ITEM GetTimeFrame(int index) const { return TimeFrames.Get(index); }
    [[nodiscard]] int TimeFrameCount() const { return TimeFrames.Count(); }

    [[nodiscard]] Refusal refusal() const { return m_refusal; }
    [[nodiscard]] const QString &refusalText() const { return m_refusalText; }
    // The box of a refusal that the store words itself, the database busy
    // or the slot gone; none for the refusals its callers word.
    [[nodiscard]] std::optional<UserMessage> storeMessage() const;
    [[nodiscard]] ScheduleBooking &booking() { return m_booking; }
    [[nodiscard]] DbConnection &database() { return m_database; }

    TTimeTable TimeFrames;

private:
    [[nodiscard]] bool load(const QString &where, TDateTime from, TDateTime to, int staffCode);
    // The slot as stored, locked for the write transaction; none, with the
    // refusal set, when it is gone or cannot be read.
    [[nodiscard]] std::optional<TIMETABLE_ITEM> lockStoredSlot(int reserveNo);
    // Whether the slot may become the item, from the slot as stored.
    [[nodiscard]] Refusal checkChange(const TIMETABLE_ITEM &item, const TIMETABLE_ITEM &stored);
    [[nodiscard]] Refusal checkBookedUsers(const TIMETABLE_ITEM &item);
    // Whether the stored slot is still the shown staff member's on the shown day.
    [[nodiscard]] static bool sameStaffAndDay(const TIMETABLE_ITEM &stored, const TIMETABLE_ITEM &shown);
    // Whether the locked slot is still the one the window showed: the
    // shown staff member's at the shown day and start, with no booking of
    // a user outside `shownUsers`.
    [[nodiscard]] Refusal checkShownSlot(const TIMETABLE_ITEM &stored, const TIMETABLE_ITEM &shown,
                                         const std::vector<int> &shownUsers);
    // Keeps why the write did nothing; false, for the write to return.
    bool refuse(Refusal refusal, const QString &text = {});

    DbConnection &m_database;
    ScheduleBooking m_booking;
    Refusal m_refusal = Refusal::None;
    QString m_refusalText;
};
