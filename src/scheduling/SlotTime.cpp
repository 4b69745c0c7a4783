#include "scheduling/SlotTime.h"

#include <cmath>

namespace SlotTime {

int minuteOfDay(TDateTime time)
{
    return int(std::lround(DateTime::timeOf(time) * 1440.0)) % 1440;
}

TDateTime timeOfMinute(int minute)
{
    return minute / 1440.0;
}

int dayNumber(TDateTime value)
{
    return int(DateTime::dateOf(value));
}

bool overlaps(int start1, int minutes1, int start2, int minutes2)
{
    return start1 < start2 + minutes2 && start2 < start1 + minutes1;
}

} // namespace SlotTime
