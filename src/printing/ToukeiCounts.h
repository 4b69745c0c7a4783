#pragma once

#include "base/DateTime.h"
#include "results/ResultTypeFlags.h"

#include <array>

class DbConnection;

// The three-month statistics: for a chosen month M and the two before it,
// how each of the fourteen treatment types (the type flag columns of the
// results) was given - on how many days, to how many users day by day, and
// in how many result rows.
class ToukeiCounts
{
public:
    static constexpr int Types = ResultTypeFlags::Count;
    static constexpr int Months = 3;
    static constexpr int Measures = 3;
    // Months by index: 0 is M-2, 1 is M-1, 2 is M.
    enum Measure { Days = 0, PersonDays = 1, Rows = 2 };
    using Table = std::array<std::array<std::array<int, Measures>, Months>, Types>;

    // M is the month of the date.
    explicit ToukeiCounts(TDateTime month);

    // One month back (-1) or forward (+1); the counts are cleared.
    void stepMonth(int months);
    // The first day of month m (0 = M-2 .. 2 = M), and the first day of the
    // month after it: the month is [start, end).
    [[nodiscard]] TDateTime monthStart(int month) const;
    [[nodiscard]] TDateTime monthEnd(int month) const;
    [[nodiscard]] TDateTime chosenMonth() const { return monthStart(Months - 1); }

    // Counts the results of the three months in one read; false (the counts
    // cleared) when the rows could not be read.
    [[nodiscard]] bool count(DbConnection &database);
    [[nodiscard]] bool counted() const { return m_counted; }
    [[nodiscard]] int at(int type, int month, int measure) const { return m_table[type][month][measure]; }
    // The cell of the grid and the printed table: row = type, column = month * 3 + measure.
    [[nodiscard]] int cell(int row, int column) const;

private:
    void clear();

    QDate m_month;
    Table m_table{};
    bool m_counted = false;
};
