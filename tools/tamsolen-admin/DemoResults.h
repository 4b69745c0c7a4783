#pragma once

#include <QString>

class DbConnection;

// The demo users' treatment results of this month.
namespace DemoResults {

// The bookings of this month up to yesterday (before any booked day has
// passed, those of its first booked day) copied into results (some with a
// remark or a shorter session, some not given), and a few results entered
// by hand. Needs the staff, the users and the schedule.
[[nodiscard]] bool fill(DbConnection &db, QString &errorText);

} // namespace DemoResults
