#pragma once

#include "scheduling/SlotList.h"
#include "scheduling/TIMETABLE_ITEM.h"

// The slots a work table shows.
class TTimeTable : public SlotList<TIMETABLE_ITEM>
{
public:
    // Takes day, staff, start, length and capacity; PNo, LName and ResNo stay.
    bool Update(int index, const TIMETABLE_ITEM &item);
    // Sets the column of the named record; false when there is none.
    bool SetPNo(const QString &name, int column);
};
