#pragma once

#include "scheduling/BookingUser.h"

#include <optional>
#include <vector>

class DbConnection;

// The users a board offers for booking: one rehabilitation type, with at
// least one of the chosen categories, in name order. The care period is
// not looked at here; a booking checks it.
namespace BookingUserList {

// nullopt on a read error; empty for a category code 0.
[[nodiscard]] std::optional<std::vector<BookingUser>> read(DbConnection &database, int rihaType, int kubunCode);

} // namespace BookingUserList
