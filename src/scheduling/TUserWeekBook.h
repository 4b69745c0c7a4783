#pragma once

#include "base/DateTime.h"

#include <array>

// A user's weekly booking wish: start time and minutes per weekday,
// index 0 = Monday to 6 = Sunday.
class TUserWeekBook
{
public:
    struct Slot
    {
        TDateTime StartTime = DateTime::None;
        int Minutes = 0;
    };
    using Week = std::array<Slot, 7>;

    void SetWeek(const Week &week) { m_week = week; }
    [[nodiscard]] Week GetWeek() const { return m_week; }

protected:
    Week m_week{};
};
