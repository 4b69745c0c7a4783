#include "scheduling/TRequestTable.h"

#include "scheduling/SlotTime.h"

bool TRequestTable::Update(int index, const TREQUEST_ITEM &item)
{
    if (!valid(index))
        return false;
    TREQUEST_ITEM &record = at(index);
    const int column = record.PNo;
    const QString name = record.LName;
    record = item;
    record.PNo = column;
    record.LName = name;
    return true;
}

bool TRequestTable::Put(int index, const TREQUEST_ITEM &item)
{
    if (!valid(index))
        return false;
    at(index) = item;
    return true;
}

bool TRequestTable::IsRequestOverlapped(TDateTime day, TDateTime start, int minutes) const
{
    const int wanted = SlotTime::dayNumber(day);
    const int from = SlotTime::minuteOfDay(start);
    for (const TREQUEST_ITEM &record : items()) {
        if (SlotTime::dayNumber(record.RegistDay) != wanted)
            continue;
        if (SlotTime::overlaps(from, minutes, SlotTime::minuteOfDay(record.StartTime), record.Fnn))
            return true;
    }
    return false;
}
