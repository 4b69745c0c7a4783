#pragma once

#include "scheduling/SlotList.h"
#include "scheduling/TREQUEST_ITEM.h"

// The booked and wished times of a user's month.
class TRequestTable : public SlotList<TREQUEST_ITEM>
{
public:
    // Takes everything but PNo and LName.
    bool Update(int index, const TREQUEST_ITEM &item);
    // Replaces the whole record.
    bool Put(int index, const TREQUEST_ITEM &item);
    // True when a record of the same calendar day overlaps [start, start +
    // minutes) as half-open intervals. Days are compared by their full date,
    // since a list may hold more than one month.
    [[nodiscard]] bool IsRequestOverlapped(TDateTime day, TDateTime start, int minutes) const;
};
