#include "scheduling/TUserMonthBook.h"

TUserMonthBook::Month TUserMonthBook::BuildMonth(TDateTime month)
{
    const QDate date = DateTime::toDate(month);
    const QDate first(date.year(), date.month(), 1);
    int weekday = first.dayOfWeek() - 1; // 0 = Monday
    const int last = first.daysInMonth();
    for (int day = 0; day < 31; ++day) {
        if (day >= last) {
            m_days[std::size_t(day)] = Day{};
            continue;
        }
        const Slot &slot = m_week[std::size_t(weekday)];
        m_days[std::size_t(day)] = {slot.StartTime > 0 && slot.Minutes >= 1, slot.StartTime, slot.Minutes};
        weekday = (weekday + 1) % 7;
    }
    return m_days;
}
