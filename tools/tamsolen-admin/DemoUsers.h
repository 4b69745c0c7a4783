#pragma once

#include <QString>

class DbConnection;

// The demo users of Person.
namespace DemoUsers {

// The users of the demo data set.
inline constexpr int DemoCount = 300;

// The demo data step: DemoCount users.
[[nodiscard]] bool fill(DbConnection &db, QString &errorText);

// Adds `count` users in one transaction: realistic names with half-width
// kana readings, every rehabilitation type and category, about one in six
// discharged, dates around today. The same count gives the same users.
// False with the reason in errorText; nothing is added then.
[[nodiscard]] bool add(DbConnection &db, int count, QString &errorText);

} // namespace DemoUsers
