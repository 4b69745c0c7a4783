#pragma once

#include "platform/DbDataSet.h"
#include "platform/DbValue.h"
#include "results/CureResult.h"

#include <QString>

#include <utility>
#include <vector>

class DbConnection;
class DbQuery;

// The editable CureResults rows of a results grid: each change is written
// to its row at once, with UpdateDate stamped.
class ResultRowsEditor
{
public:
    using Change = std::pair<QStringView, DbValue>;

    ResultRowsEditor() = default;

    // Runs a "SELECT * FROM CureResults ..." query; the rows are listed in
    // day order (CureResult::dayOrder).
    [[nodiscard]] bool open(const DbQuery &query);
    void close();
    [[nodiscard]] bool isOpen() const { return m_rows.isOpen(); }
    [[nodiscard]] int size() const { return int(m_cache.size()); }
    [[nodiscard]] const CureResult &at(int row) const { return m_cache[size_t(row)]; }
    [[nodiscard]] const std::vector<CureResult> &rows() const { return m_cache; }

    // Writes the columns of one row and UpdateDate := now.
    [[nodiscard]] bool write(int row, const std::vector<Change> &changes);
    [[nodiscard]] bool remove(int row);

    // The columns that every results grid edits.
    [[nodiscard]] bool setStart(int row, TDateTime time);
    // A negative count is stored as 0 with the warning "負の値です。" in message.
    [[nodiscard]] bool setMinutesOrZero(int row, int minutes, QString &message);
    [[nodiscard]] bool setComment(int row, const QString &comment);

    [[nodiscard]] const QString &errorText() const { return m_errorText; }

private:
    DbDataSet m_rows;
    std::vector<CureResult> m_cache;
    std::vector<int> m_positions; // of each listed row in the data set
    QString m_errorText;
};
