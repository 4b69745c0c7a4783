#pragma once

#include "results/ResultRowsEditor.h"
#include "results/TLineData.h"
#include "users/TPerson.h"

#include <QString>

#include <array>
#include <optional>

struct AppContext;

// One user's results of one month, optionally of one therapist: the
// monthly per-user form without its window, and the day lines, totals and
// staff legend of its printout.
class PersonMedicalRecord
{
public:
    static constexpr int LegendSize = 20;

    explicit PersonMedicalRecord(const AppContext &context);

    // The month of the date; the display is cleared.
    void setMonth(TDateTime date);
    // One month back (-1) or forward (+1).
    void stepMonth(int months);
    [[nodiscard]] TDateTime YearMonth() const { return m_from; }
    [[nodiscard]] TDateTime toDate() const { return m_to; }

    // Reads the user's results of the month (of the staff member, when
    // given) by day, start and key. False when the rows could not be read.
    [[nodiscard]] bool load(int cureNo, std::optional<int> staffCode);
    [[nodiscard]] int CureNo() const { return m_cureNo; }
    [[nodiscard]] ResultRowsEditor &rows() { return m_rows; }
    [[nodiscard]] const ResultRowsEditor &rows() const { return m_rows; }


    // The day lines of the loaded rows, one per day of the month; a result
    // counts on its day whatever its time of day.
    [[nodiscard]] std::vector<TLineData> dayLines() const;
    struct Legend
    {
        std::array<QString, LegendSize> Tk;
        std::array<QString, LegendSize> TkName;
    };
    // The first twenty staff members' marks and names.
    [[nodiscard]] Legend legend() const;

    // The user's register values and the latest treatment plan's date and
    // programme texts, for the printout's header.
    struct LatestPlan
    {
        TPerson Person;
        TDateTime PlanRegistDay = DateTime::None;
        std::array<QString, 6> Program;
    };
    // The latest plan of the loaded user; the message to show (and nullopt)
    // when it cannot be read or there is none.
    [[nodiscard]] std::optional<LatestPlan> latestPlan(QString &message) const;

private:
    const AppContext &m_context;
    TDateTime m_from = DateTime::None;
    TDateTime m_to = DateTime::None;
    int m_cureNo = 0;
    ResultRowsEditor m_rows;
};
