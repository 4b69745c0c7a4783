#pragma once

#include "base/DateTime.h"

#include <QString>

// "yyyy/mm/01" of the date's month.
[[nodiscard]] QString FirstDayOfMonthText(TDateTime date);
// The first day of the date's month.
[[nodiscard]] TDateTime FirstDayOfMonth(TDateTime date);
// The day right-aligned in two places and the Sunday-first weekday kanji:
// " 5 (月)", "15 (日)".
[[nodiscard]] QString FormatDateWithWeekday(TDateTime date);
// The age in whole years on the later of the two dates, as a birthday
// counts it: a year is complete on its month and day. Negative when b lies
// before a.
[[nodiscard]] int YearsBetweenDates(TDateTime a, TDateTime b);
