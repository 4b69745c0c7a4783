#pragma once

#include "base/DateTime.h"

// Times of slots in whole minutes of the day, so that an end past midnight
// is a number past 1440, never a wrapped time.
namespace SlotTime {

[[nodiscard]] int minuteOfDay(TDateTime time);
// The time of day (on 1899-12-30) of a minute count.
[[nodiscard]] TDateTime timeOfMinute(int minute);
// The calendar day of a value as a whole day number.
[[nodiscard]] int dayNumber(TDateTime value);
// Half-open intervals [start, start + minutes): back to back is no overlap.
[[nodiscard]] bool overlaps(int start1, int minutes1, int start2, int minutes2);

} // namespace SlotTime
