#pragma once

#include <QString>

class DbConnection;

// Practice plans for part of the demo users.
namespace DemoPractice {

// The demo data step: a practice plan for every second user, an older one
// for every fourth; the users in between (and those without treatment
// plans) stay in the missing-plans list. Needs the users and the staff.
[[nodiscard]] bool fill(DbConnection &db, QString &errorText);

} // namespace DemoPractice
