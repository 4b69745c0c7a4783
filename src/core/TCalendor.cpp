#include "core/TCalendor.h"

#include "core/CodeTables.h"

#include <QDate>

namespace {

bool inSlots(int i)
{
    return i >= 0 && i < CalendorSlots;
}

} // namespace

void TCalendor::ClearCalendor()
{
    m_data = TCALENDOR_DATA();
}

void TCalendor::SetCalendorMonth(TDateTime date)
{
    ClearCalendor();
    const QDate month = DateTime::toDate(date);
    if (!month.isValid())
        return;
    for (int d = 1; d <= month.daysInMonth(); ++d) {
        const QDate day(month.year(), month.month(), d);
        const int slot = d - 1;
        m_data.Day[slot] = d;
        m_data.Week[slot] = day.dayOfWeek() % 7;
        m_data.SundayFlag[slot] = m_data.Week[slot] == 0 ? u'1' : u'0';
        m_data.DateStr[slot] = DateTime::shortDate(DateTime::fromDate(day));
    }
}

QString TCalendor::DayCaption(int i) const
{
    if (!inSlots(i))
        return {};
    return QStringLiteral("%1 (%2)").arg(m_data.Day[i], 2).arg(WeekName(i));
}

QString TCalendor::DayText(int i) const
{
    if (!inSlots(i))
        return {};
    return QStringLiteral("%1").arg(m_data.Day[i], 2);
}

QString TCalendor::WeekName(int i) const
{
    if (!inSlots(i))
        return {};
    return CodeName(CalendorWeekNames, m_data.Week[i]);
}

QChar TCalendor::IsSunday(int i) const
{
    return inSlots(i) ? m_data.SundayFlag[i] : QChar();
}

int TCalendor::DayNumber(int i) const
{
    return inSlots(i) ? m_data.Day[i] : 0;
}
