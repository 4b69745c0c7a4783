#pragma once

#include "results/ResultRowsEditor.h"

#include <QString>

struct AppContext;

// The results of one day, one therapist and one form of rehabilitation:
// the daily form without its window, with its four totals.
class DailyMedicalRecord
{
public:
    struct Totals
    {
        int PlanCount = 0;
        qint64 PlanMinutes = 0;
        int ExecCount = 0;
        qint64 ExecMinutes = 0;
    };

    explicit DailyMedicalRecord(const AppContext &context) : m_context(context) {}

    // The rows of [day, day + 1) of the staff member and form.
    [[nodiscard]] bool load(TDateTime day, int staffCode, int rihaType);
    [[nodiscard]] TDateTime WorkDay() const { return m_day; }
    [[nodiscard]] ResultRowsEditor &rows() { return m_rows; }
    [[nodiscard]] const ResultRowsEditor &rows() const { return m_rows; }

    // A planned treatment counts when PMinute is above 0, a given one when
    // RMinute is.
    [[nodiscard]] Totals totals() const;

private:
    const AppContext &m_context;
    TDateTime m_day = DateTime::None;
    ResultRowsEditor m_rows;
};
