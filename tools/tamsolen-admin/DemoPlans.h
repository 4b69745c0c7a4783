#pragma once

#include <QString>

class DbConnection;

// Treatment plans with body-figure marks for part of the demo users.
namespace DemoPlans {

// The demo data step: a plan for every third user, a second, older plan
// for half of those. Needs the users.
[[nodiscard]] bool fill(DbConnection &db, QString &errorText);

} // namespace DemoPlans
