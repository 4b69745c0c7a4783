#pragma once

#include "base/DateTime.h"
#include "users/TPerson.h"

#include <QString>

#include <functional>
#include <optional>
#include <span>
#include <vector>

class DbConnection;
class DbQuery;
class TMainModule;
struct AppContext;

// Copies booked treatments (a staff slot of TimeTable and the users booked
// into it in Schedule) into CureResults, the planned values taken as the
// actual ones. A booking's result is the one of its slot and its user.
class ScheduleCopy
{
public:
    struct Booking
    {
        int ScheduleNo = 0;
        int ReserveNo = 0;
        TDateTime ReserveDay = DateTime::None;
        int StuffCode = 0;
        TDateTime StartTime = DateTime::None;
        int WorkingMin = 0;
        TPerson Person;
    };
    enum class Mode { Overwrite, Skip };
    struct Outcome
    {
        int appended = 0;
        int overwritten = 0;
        int skipped = 0;
        QString error; // the message to show; empty on success
        // Nothing copied: a booking is no longer stored as listed (error
        // holds ChangedElsewhereText); the list is to be read again.
        bool changed = false;
    };

    explicit ScheduleCopy(const AppContext &context);
    // The staff list and the stamp from the module, which need not be connected.
    ScheduleCopy(DbConnection &database, const TMainModule &module) : m_database(database), m_module(module) {}

    // The bookings of the days from..to (both included), of one staff
    // member or of everyone, by day, start time and kana; nullopt when they
    // could not be read.
    [[nodiscard]] std::optional<std::vector<Booking>> list(TDateTime from, TDateTime to,
                                                           std::optional<int> staffCode) const;
    // Copies the bookings in one transaction: all of them or, on a
    // failure, none. Each is copied as stored under its slot's lock; none
    // is when one was cancelled or its slot moved since it was listed.
    // progress is told the number of bookings done.
    [[nodiscard]] Outcome copy(std::span<const Booking> bookings, Mode mode,
                               const std::function<void(int)> &progress = {}) const;

private:
    [[nodiscard]] static QString bookingsSql(const QString &where);
    [[nodiscard]] static std::optional<std::vector<Booking>> read(const DbQuery &query);
    // The listed bookings as stored now, in the listed order; empty when one
    // is gone or its slot's day, staff, time or length changed.
    [[nodiscard]] std::optional<std::vector<Booking>> storedAsListed(std::span<const Booking> listed, int low,
                                                                     int high) const;

    DbConnection &m_database;
    const TMainModule &m_module;
};
