#pragma once

#include "platform/DbBookmark.h"
#include "platform/DbField.h"
#include "platform/DbRecord.h"
#include "platform/DbRows.h"

#include <functional>
#include <limits>
#include <memory>
#include <vector>

class DbConnection;
class DbPagedQuery;
class DbQuery;

// The rows of a SELECT held in memory, with a current row, typed field
// access, a client-side filter and bookmarks. When an update table is set,
// append / edit / post / remove write the current row back to that table by
// its key, with generated statements and bound parameters.
//
//     DbDataSet staff;
//     if (!staff.open(DbQuery(db, QStringLiteral("SELECT * FROM KaigoStuff ORDER BY CD"))))
//         return fail(staff.errorText());
//
// Navigation follows the usual data set rules: next() on the last row sets
// eof() and stays there; an empty data set is at eof() and bof() at once.
// Moving to another row cancels an append or edit in progress. Field names
// are the database's (PostgreSQL reports unquoted names in lower case) and
// are matched without regard to case. The data set refers to the connection it was opened on, which must outlive
// it. Rows posted inside a transaction that is then rolled back stay in
// memory; reopen the data set after a rollback.
class DbDataSet
{
public:
    enum class State { Closed, Browse, Edit, Insert };
    // Generated: the database assigns the key on insert (identity or
    // AUTOINCREMENT column); it is read back into the row and never written.
    // Assigned: the row brings its key.
    enum class KeyKind { Generated, Assigned };
    // A filter sees each stored row and keeps those it accepts.
    using Filter = std::function<bool(const DbRecord &)>;

    DbDataSet();
    ~DbDataSet();
    DbDataSet(const DbDataSet &) = delete;
    DbDataSet &operator=(const DbDataSet &) = delete;

    // The table that posts and removals write to, and its key column.
    void setUpdateTable(const QString &table, const QString &keyField, KeyKind keyKind = KeyKind::Generated);

    // Runs the query and holds its rows; the data set stands on the first
    // (filtered) row. On failure the data set is closed.
    [[nodiscard]] bool open(const DbQuery &query);
    // Runs the first page of a paged query and holds its rows; the next
    // pages are read as the rows are needed: by fetchMore(), by a move past
    // the last row read (next, last, setPosition, locate), and all of them
    // before a sort or a write. Reading a later page can fail: the rows read
    // stay, the move or fetch that needed the page returns false, readFailed()
    // holds and errorText() says why, and no more pages are read.
    [[nodiscard]] bool open(const DbPagedQuery &query);
    // Whether a paged data set has rows left to read.
    [[nodiscard]] bool canFetchMore() const { return m_morePages; }
    // Reads the next page of a paged data set; false when it could not be
    // read. Nothing to do when no rows are left.
    [[nodiscard]] bool fetchMore();
    // A page could not be read: the rows end before the result does. Holds
    // until the data set is opened again.
    [[nodiscard]] bool readFailed() const { return m_readFailed; }
    void close();
    [[nodiscard]] bool isOpen() const { return m_state != State::Closed; }
    [[nodiscard]] State state() const { return m_state; }
    [[nodiscard]] const QString &errorText() const { return m_errorText; }
    // Whether the last post or remove failed because its row is no longer
    // stored (deleted at another workstation).
    [[nodiscard]] bool rowMissing() const { return m_rowMissing; }

    [[nodiscard]] int fieldCount() const;
    [[nodiscard]] QString fieldName(int column) const;
    // Matched without regard to case; an invalid field (logged) when absent.
    [[nodiscard]] DbField field(QStringView name) const;
    // The column of a field matched as field() does; -1, not logged, when
    // absent, for callers that ask for names that are often not fields.
    [[nodiscard]] int indexOfField(QStringView name) const;
    [[nodiscard]] DbField field(int column) const;

    // The rows that the filter lets through (all rows when it is off); of
    // a paged data set, those read so far.
    [[nodiscard]] int recordCount() const;
    [[nodiscard]] bool isEmpty() const { return recordCount() == 0; }
    void first();
    // last() and next() return false when a page they needed could not be
    // read (see readFailed); they then stop at the last row read.
    [[nodiscard]] bool last();
    [[nodiscard]] bool next();
    void prior();
    [[nodiscard]] bool eof() const { return m_eof; }
    [[nodiscard]] bool bof() const { return m_bof; }
    // The current row's place among the filtered rows (0-based), -1 when empty.
    [[nodiscard]] int position() const { return recordCount() == 0 ? -1 : m_position; }
    // Moves to the row at that place; false (not moved) when out of range
    // or when a page it needed could not be read. (The place is the row's
    // in the full result: a paged data set reads on.)
    [[nodiscard]] bool setPosition(int position);
    // The row at a place among the filtered rows, without moving (of a
    // paged data set, among the rows read).
    [[nodiscard]] DbRecord record(int position) const;
    // Moves to the first filtered row whose field equals the value; false
    // (not moved) when there is none or a page could not be read.
    [[nodiscard]] bool locate(QStringView field, const DbValue &value);

    // Puts the stored rows in the order of `less` (stable: equal rows keep
    // their order), for a database that cannot sort them itself, and moves
    // to the first row. Bookmarks taken before are void; not while editing.
    // False, and nothing sorted, when not all pages could be read.
    using Less = std::function<bool(const DbRecord &, const DbRecord &)>;
    [[nodiscard]] bool sort(const Less &less);
    // Sets the filter; when filtering is on it applies at once.
    void setFilter(Filter filter);
    // Switches filtering on or off and moves to the first row.
    void setFiltered(bool filtered);
    [[nodiscard]] bool isFiltered() const { return m_filtered; }

    // The current row, invalid when empty.
    [[nodiscard]] DbBookmark bookmark() const;
    // Moves to the bookmarked row; false (not moved) when the row is gone or
    // the filter hides it.
    bool gotoBookmark(DbBookmark bookmark);

    // Starts a new row, all NULL, written as a new last row by post().
    [[nodiscard]] bool append();
    // Starts changing the current row.
    [[nodiscard]] bool edit();
    // Sets a field of the row being appended or edited. Values must match
    // the column's kind (a date column takes a DbDate, a Boolean column a
    // bool) or be NULL; post() refuses a mismatch or an unknown field.
    void setValue(QStringView field, const DbValue &value);
    // Writes the appended or edited row; only fields that were set are
    // written. After an insert the generated key is in the row. The posted
    // row becomes current; when the filter hides it, the first row does.
    // On failure nothing is written and the row stays in editing.
    [[nodiscard]] bool post();
    void cancel();
    // Deletes the current row from the table and from the data set; the
    // next row becomes current (the previous one at the end).
    [[nodiscard]] bool remove();

private:
    friend class DbField;

    [[nodiscard]] DbValue currentValue(int column) const;
    [[nodiscard]] DbType columnType(int column) const;
    [[nodiscard]] int rowAt(int position) const;
    [[nodiscard]] int positionOfRow(int row) const;
    // Holds the rows read and stands on the first (filtered) one.
    void browse(DbConnection &connection, std::unique_ptr<DbRows> rows);
    // Filters the stored rows from `fromRow` on (all of them from 0).
    void applyFilter(int fromRow = 0);
    // Reads pages until `count` rows are held (filtered) or none are left;
    // false when rows are missing because a page could not be read.
    bool readUntil(int count);
    bool readAll() { return readUntil(std::numeric_limits<int>::max()); }
    // Keeps m_currentCells in step with m_position and the state; called by
    // every move and change of state.
    void syncCurrentRow();
    void moveToRow(int row);
    [[nodiscard]] bool checkWritable(bool needsRow);
    [[nodiscard]] bool insertRow();
    [[nodiscard]] bool updateRow();
    [[nodiscard]] bool fail(const QString &reason);

    DbConnection *m_connection = nullptr;
    std::unique_ptr<DbRows> m_rows;
    QString m_table;
    QString m_keyField;
    KeyKind m_keyKind = KeyKind::Generated;

    // Of a paged data set: its query, the columns of its keys, the size of
    // the next page, and whether rows are left to read.
    std::unique_ptr<DbPagedQuery> m_paged;
    std::vector<int> m_keyColumns;
    int m_pageSize = 0;
    bool m_morePages = false;
    bool m_readFailed = false;

    Filter m_filter;
    bool m_filtered = false;
    std::vector<int> m_visible; // rows the filter accepts, ascending; used while filtered

    int m_position = 0;
    // What DbField reads without a call: the stored row at m_position while
    // browsing (else null), and the number of columns.
    const DbCell *m_currentCells = nullptr;
    int m_columnCount = 0;
    bool m_eof = true;
    bool m_bof = true;
    State m_state = State::Closed;

    std::vector<DbValue> m_buffer; // the row being appended or edited
    std::vector<bool> m_changed;
    QString m_pendingError; // a misuse of setValue, reported by post()
    QString m_errorText;
    bool m_rowMissing = false;
};
