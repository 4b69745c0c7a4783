#pragma once

#include "base/DateTime.h"

#include <QString>

#include <optional>
#include <vector>

class DbConnection;

// The bookings the three booking lists show: one per Schedule row with its
// slot and user, in day, staff and start order. The staff name comes through
// a LEFT JOIN, so a booking of a removed staff member lists without a name.
namespace BookingList {

struct Row
{
    int ScheduleNo = 0;
    int WorkingNo = 0;
    TDateTime ReserveDay = DateTime::None;
    int StuffCode = 0;
    QString StuffName;
    TDateTime StartTime = DateTime::None;
    int WorkingMin = 0;
    int Capacity = 0;
    int CureNo = 0;
    QString Name;
    int RihaType = -1;
    int KubunCode = -1;
    TDateTime NyushoDate = DateTime::None;
};
using Rows = std::vector<Row>;

// One staff member's bookings on the days from `from` to `to` (whole days).
[[nodiscard]] std::optional<Rows> ofStaff(DbConnection &database, int staffCode, TDateTime from, TDateTime to);
// One user's bookings in the month of `month`.
[[nodiscard]] std::optional<Rows> ofUser(DbConnection &database, int cureNo, TDateTime month);

// The category words of a code, each followed by the separator ("短期集中 "
// ...); empty for a negative code.
[[nodiscard]] QString kubunWords(int kubunCode, QStringView separator);
// The first and last day of the month of a date.
[[nodiscard]] TDateTime monthStart(TDateTime date);
[[nodiscard]] TDateTime monthEnd(TDateTime date);

} // namespace BookingList
