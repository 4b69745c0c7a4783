#pragma once

#include "scheduling/BookingUser.h"
#include "scheduling/TIMETABLE_ITEM.h"

#include <QString>

#include <map>
#include <optional>
#include <vector>

class DbConnection;
class StaffDirectory;

// Bookings of users into slots, correct across workstations: a booking
// runs in one write transaction that locks the slot row and the user's row
// (SQLite: the whole file) before it counts the slot's bookings and looks
// for the user's overlapping bookings, so two workstations cannot both take
// the last place. The checks are public for the slot changes of
// TScheduleData, which run them inside their own write transaction.
class ScheduleBooking
{
public:
    enum class Status {
        Ok,
        NotBookable,   // capacity 0
        BeforeStart,   // the slot's day is before the user's start of care
        AfterEnd,      // ... after the user's end of care
        AlreadyBooked, // the user is in the slot
        Full,          // the slot holds its capacity
        UserOverlap,   // the user is booked elsewhere at that time; see message
        SlotGone,      // deleted at another workstation
        UserGone,
        BeginFailed, // the transaction could not begin (the database is busy)
        WriteFailed  // nothing was written
    };
    struct Result
    {
        Status status = Status::Ok;
        QString message; // the overlap message for UserOverlap
    };
    // Booked users of each slot, by ReserveNo, in booking order.
    using Bookings = std::map<int, std::vector<BookingUser>>;

    ScheduleBooking(DbConnection &database, const StaffDirectory &staff);

    // Books the user into the slot: every check and the write in one
    // transaction (a nested level inside the caller's). CreateDate is the
    // clock's now.
    [[nodiscard]] Result book(int reserveNo, int cureNo, const QString &comment = {});

    // The bookings of the slots of one staff member (all staff for -1) on
    // the days from `from` up to and including `to`; nullopt on a read error.
    [[nodiscard]] std::optional<Bookings> bookingsOf(int staffCode, TDateTime from, TDateTime to) const;
    [[nodiscard]] std::optional<std::vector<BookingUser>> bookedUsers(int reserveNo) const;

    // Inside a write transaction: the slot and the user read under lock.
    [[nodiscard]] std::optional<TIMETABLE_ITEM> lockSlot(int reserveNo, bool &readError) const;
    [[nodiscard]] std::optional<BookingUser> lockUser(int cureNo, bool &readError) const;
    // Holds the staff member's slots of every day against other slot writes
    // (by the staff row); false on a read error.
    [[nodiscard]] bool lockStaff(int staffCode) const;
    // -1 on a read error.
    [[nodiscard]] int bookingCount(int reserveNo) const;
    [[nodiscard]] std::optional<bool> isBooked(int reserveNo, int cureNo) const;
    // Whether a booking of the user on the slot's day with another staff
    // member meets the slot (one starting exactly at the slot's end counts,
    // one ending at its start does not); the slot itself is passed over.
    // On a conflict `message` holds what to tell. nullopt on a read error.
    [[nodiscard]] std::optional<bool> userOverlap(const TIMETABLE_ITEM &slot, const BookingUser &user,
                                                  QString &message) const;
    // Whether another stored slot of the record's staff member and day
    // overlaps it (half-open); the record's own row is passed over.
    [[nodiscard]] std::optional<bool> staffTimeOverlapped(const TIMETABLE_ITEM &record) const;
    // The care-period check of a user for a slot's day (by whole days).
    [[nodiscard]] static Status dateCheck(TDateTime day, const BookingUser &user);

private:
    [[nodiscard]] Result bookLocked(int reserveNo, int cureNo, const QString &comment);
    [[nodiscard]] bool insertBooking(int reserveNo, int cureNo, const QString &comment);

    DbConnection &m_database;
    const StaffDirectory &m_staff;
};
