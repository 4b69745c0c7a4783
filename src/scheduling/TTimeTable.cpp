#include "scheduling/TTimeTable.h"

bool TTimeTable::Update(int index, const TIMETABLE_ITEM &item)
{
    if (!valid(index))
        return false;
    TIMETABLE_ITEM &record = at(index);
    record.RegistDay = item.RegistDay;
    record.Stf = item.Stf;
    record.StartTime = item.StartTime;
    record.Fnn = item.Fnn;
    record.Cap = item.Cap;
    return true;
}

bool TTimeTable::SetPNo(const QString &name, int column)
{
    const int index = IndexOf(name);
    if (index < 0)
        return false;
    at(index).PNo = column;
    return true;
}
