#pragma once

#include "platform/DbValue.h"

class DbRows;

// A read-only view of one stored row of a data set, as a filter sees it.
// Valid while the data set's rows are unchanged. A record of no row reads
// NULL everywhere.
class DbRecord
{
public:
    // By column name (without regard to case); NULL for a name the row
    // does not have, which is logged.
    [[nodiscard]] DbValue value(QStringView name) const;
    [[nodiscard]] DbValue value(int column) const;

private:
    friend class DbDataSet;
    DbRecord(const DbRows &rows, int row) : m_rows(&rows), m_row(row) {}

    const DbRows *m_rows;
    int m_row;
};
