#include "core/DateHelpers.h"

#include "core/CodeTables.h"

#include <QDate>

QString FirstDayOfMonthText(TDateTime date)
{
    return DateTime::format(u"yyyy/mm/01", date);
}

TDateTime FirstDayOfMonth(TDateTime date)
{
    const QDate day = DateTime::toDate(date);
    return day.isValid() ? DateTime::fromDate(QDate(day.year(), day.month(), 1)) : DateTime::None;
}

QString FormatDateWithWeekday(TDateTime date)
{
    const QDate day = DateTime::toDate(date);
    if (!day.isValid())
        return {};
    return QStringLiteral("%1 (%2)").arg(day.day(), 2).arg(CommonWeekNames[std::size_t(day.dayOfWeek() % 7)]);
}

int YearsBetweenDates(TDateTime a, TDateTime b)
{
    QDate earlier = DateTime::toDate(a);
    QDate later = DateTime::toDate(b);
    if (!earlier.isValid() || !later.isValid())
        return 0;
    const bool reversed = later < earlier;
    if (reversed)
        std::swap(earlier, later);
    int years = later.year() - earlier.year();
    if (later.month() < earlier.month() || (later.month() == earlier.month() && later.day() < earlier.day()))
        --years;
    return reversed ? -years : years;
}
