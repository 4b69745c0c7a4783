#pragma once

#include "base/DateTime.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

class DbConnection;

// The month's booking summary: the users cared for in the month (as the
// weekly wish list chooses them) against the days, a mark of the user's type
// on each day with a booking and the number of bookings.
namespace BookingSummary {

struct Row
{
    int CureNo = 0;
    QString Name;
    std::array<QString, 31> Marks; // index 0 = the 1st
    int Count = 0;
};
struct Table
{
    int DayCount = 0; // days of the month
    std::vector<Row> Rows;
};

// "○" 入所, "□" 短期入所, "△" 通所, "◇" 訪問; empty for any other type.
[[nodiscard]] QString markOf(int rihaType);
// nullopt on a read error.
[[nodiscard]] std::optional<Table> build(DbConnection &database, TDateTime month, int rihaType, int kubunCode);

} // namespace BookingSummary
