#pragma once

#include "base/DateTime.h"

#include <QDateTime>

// "Now" and "today" of the whole program. Tests set a fixed moment.
namespace Clock {

[[nodiscard]] QDateTime currentDateTime();
[[nodiscard]] QDate currentDate();
[[nodiscard]] TDateTime now();
[[nodiscard]] TDateTime today();

// Fixes the clock at the given moment until reset().
void setFixed(const QDateTime &moment);
void reset();

} // namespace Clock
