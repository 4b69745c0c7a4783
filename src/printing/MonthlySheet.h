#pragma once

#include "base/DateTime.h"
#include "base/Variant.h"
#include "core/TCalendor.h"
#include "results/CureResult.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class DbConnection;
class StaffDirectory;
class TMainModule;

// What the monthly results lists are asked for.
struct MonthlyChoice
{
    // Any day of the month.
    TDateTime month = DateTime::None;
    // One staff member's results, or everybody's.
    std::optional<int> staffCode;
    // The form of service of the list by type.
    int rihaType = 0;
};

// What the two monthly results lists (by form of service, by type) share:
// the month [From, To) with its calendar, the print date and month texts,
// the facility, the staff legend, and the reading of the month's results.
class MonthlySheet
{
public:
    static constexpr int Days = CalendorSlots;
    // The printouts show the first sixteen staff members.
    static constexpr int PrintedLegend = 16;

    enum class Read { Rows, Failed, Empty };

    MonthlySheet(const MonthlyChoice &choice, const TMainModule &module, TDateTime today);

    [[nodiscard]] const MonthlyChoice &choice() const { return m_choice; }

    [[nodiscard]] TDateTime From() const { return m_from; }
    [[nodiscard]] TDateTime To() const { return m_to; }
    [[nodiscard]] int dayCount() const { return m_dayCount; }
    [[nodiscard]] const TCalendor &calendor() const { return m_calendor; }
    [[nodiscard]] const QString &Sakuseibi() const { return m_sakuseibi; }
    // The month as an era year-month, "令和07年04月".
    [[nodiscard]] const QString &monthText() const { return m_monthText; }
    [[nodiscard]] const QString &facility() const { return m_facility; }
    // The data module's staff list, for the legend.
    [[nodiscard]] const StaffDirectory &staff() const { return m_staff; }

    // A line's user: "%8.8d" of the number, a blank and the name.
    [[nodiscard]] static QString userText(const CureResult &row);
    // The values both printouts answer alike: Week and DayStr of the day
    // (0-based; empty past the month's end), Sakuseibi, Home, and the legend
    // Tk1..Tk16 and TkName1..TkName16. nullopt for another name.
    [[nodiscard]] std::optional<Variant> value(const QString &name, int day) const;

    // The results of [From, To) of the choice's staff member (all staff
    // without one), of one form of service when given, in that order.
    [[nodiscard]] Read read(DbConnection &database, std::optional<int> rihaType, const QString &orderBy,
                            std::vector<CureResult> &rows) const;

private:
    MonthlyChoice m_choice;
    TDateTime m_from;
    TDateTime m_to;
    int m_dayCount;
    TCalendor m_calendor;
    QString m_sakuseibi;
    QString m_monthText;
    QString m_facility;
    const StaffDirectory &m_staff;
};
