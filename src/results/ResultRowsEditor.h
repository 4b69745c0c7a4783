#pragma once

#include "platform/DbDataSet.h"
#include "platform/DbValue.h"
#include "results/CureResult.h"

#include <QString>

#include <functional>
#include <utility>
#include <vector>

class DbConnection;
class DbQuery;

// The editable CureResults rows of a results grid: each change is written
// to its row at once, with UpdateDate stamped; or, while holding, kept on
// its row until another row is changed or flush() is called, as a grid
// posts a row when it is left.
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

    void setHolding(bool holding) { m_holding = holding; }
    // The row whose changes wait, -1 when none.
    [[nodiscard]] int pendingRow() const { return m_pendingRow; }
    // Writes the waiting changes; false (they still wait) on failure.
    [[nodiscard]] bool flush();
    // Drops the waiting changes; the row shows what is stored again.
    void discard();

    [[nodiscard]] const QString &errorText() const { return m_errorText; }
    // Whether the last write or remove failed because its row was deleted
    // at another workstation since the rows were read.
    [[nodiscard]] bool rowGone() const { return m_rowGone; }

private:
    // Writes, or keeps while holding; `show` puts the value in the listed row.
    [[nodiscard]] bool change(int row, Change change, const std::function<void(CureResult &)> &show);

    DbDataSet m_rows;
    std::vector<CureResult> m_cache;
    std::vector<int> m_positions; // of each listed row in the data set
    QString m_errorText;
    bool m_rowGone = false;
    bool m_holding = false;
    int m_pendingRow = -1;
    std::vector<Change> m_pending;
};
