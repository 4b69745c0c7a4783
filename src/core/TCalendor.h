#pragma once

#include "base/DateTime.h"

#include <QChar>
#include <QString>

#include <array>

inline constexpr int CalendorSlots = 31;

// The days of one month, slot i holding day i + 1. Slots past the month's
// end hold day 0, weekday 0, the null marker and an empty date text.
struct TCALENDOR_DATA
{
    std::array<qint32, CalendorSlots> Day{};
    std::array<qint32, CalendorSlots> Week{};      // 0 Sunday .. 6 Saturday
    std::array<QChar, CalendorSlots> SundayFlag{}; // '1' Sunday, '0' another day
    std::array<QString, CalendorSlots> DateStr;    // "yyyy/mm/dd"
};

// One month laid out for the day columns of the printed monthly sheets.
// The accessors take the zero-based slot; a slot outside 0..30 gives 0, an
// empty text or the null character.
class TCalendor
{
public:
    TCalendor() = default;

    void ClearCalendor();
    void SetCalendorMonth(TDateTime date);

    // " 5 (月)".
    [[nodiscard]] QString DayCaption(int i) const;
    // " 5".
    [[nodiscard]] QString DayText(int i) const;
    [[nodiscard]] QString WeekName(int i) const;
    [[nodiscard]] QChar IsSunday(int i) const;
    [[nodiscard]] int DayNumber(int i) const;

    [[nodiscard]] const TCALENDOR_DATA &Data() const { return m_data; }

private:
    TCALENDOR_DATA m_data;
};
