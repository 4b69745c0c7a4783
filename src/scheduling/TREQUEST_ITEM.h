#pragma once

#include "scheduling/TIMETABLE_ITEM.h"

// A booked (Flag true) or only wished (Flag false) treatment time on a
// user's month; a wish has ResNo and Stf -1 and Cap 1. PNo is the day
// offset from the month's first day.
struct TREQUEST_ITEM : TIMETABLE_ITEM
{
    bool Flag = false;
};
