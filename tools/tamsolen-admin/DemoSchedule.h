#pragma once

#include <QString>

class DbConnection;

// The demo staff's time slots and the demo users' bookings.
namespace DemoSchedule {

// Slots for every demo staff member on the days of this month (mornings
// only on Saturdays, none on Sundays), and bookings of users in care on
// the day: a user at most once a day, the last places of some slots left
// free. Needs the staff and the users.
[[nodiscard]] bool fill(DbConnection &db, QString &errorText);

} // namespace DemoSchedule
