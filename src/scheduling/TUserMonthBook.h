#pragma once

#include "scheduling/TUserWeekBook.h"

// The weekly wish laid over the days of one month.
class TUserMonthBook : public TUserWeekBook
{
public:
    struct Day
    {
        bool Active = false;
        TDateTime StartTime = DateTime::None;
        int Minutes = 0;
    };
    // Index 0 = the 1st; days past the month's end are cleared.
    using Month = std::array<Day, 31>;

    // The wish of each day of the month of the given date; a day is active
    // when its start is after 00:00 and it lasts at least a minute.
    Month BuildMonth(TDateTime month);

private:
    Month m_days{};
};
