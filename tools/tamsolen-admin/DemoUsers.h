#pragma once

#include <QString>

#include <functional>

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

// Calls visit(position, cureNo) for every step-th stored user in user-number
// order, starting with the first; stops at the first visit that fails.
[[nodiscard]] bool forEvery(DbConnection &db, int step, const std::function<bool(int, int)> &visit, QString &errorText);

} // namespace DemoUsers
