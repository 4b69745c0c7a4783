#pragma once

#include "platform/DbValue.h"

#include <cstring>
#include <memory>
#include <utility>
#include <vector>

class DbQuery;

struct DbColumn
{
    QString name;
    // The declared kind of the column; Null when the database does not say
    // (an expression in SQLite), in which case each value has its own.
    DbType type = DbType::Null;
};

// One stored value. Texts are kept as UTF-8 in the row set's own text store
// and become QString only when read: a large result is thus read with one
// copy per text instead of one allocation per text.
struct DbCell
{
    union {
        qint64 integer;
        double number; // Double, and DateTime as a TDateTime
        bool boolean;
        const char *text;
        size_t blob; // index into the row set's blobs
    };
    quint32 size; // of a text, in bytes
    DbType type;
};

// The rows of a data set in memory, row after row. Every row carries an id
// that stays with it while rows are removed; ids grow in row order, since
// rows are only ever added at the end, and no two row sets share an id.
class DbRows
{
public:
    DbRows();
    DbRows(const DbRows &) = delete;
    DbRows &operator=(const DbRows &) = delete;
    ~DbRows();

    // Runs the query and adds all its rows after those held; false with the
    // reason in errorText.
    [[nodiscard]] bool load(const DbQuery &query, QString &errorText);

    // Sets the columns of the rows to come; false when rows with another
    // number of columns were held (a later page must match the first).
    [[nodiscard]] bool setColumns(std::vector<DbColumn> columns, QString &errorText);
    [[nodiscard]] const std::vector<DbColumn> &columns() const { return m_columns; }
    [[nodiscard]] int columnCount() const { return int(m_columns.size()); }
    // Matched without regard to case (PostgreSQL folds unquoted names to
    // lower case); -1 when absent.
    [[nodiscard]] int columnIndex(QStringView name) const;

    [[nodiscard]] int rowCount() const { return int(m_ids.size()); }
    // The cells of a row, one per column; valid until rows are added or removed.
    [[nodiscard]] const DbCell *rowCells(int row) const
    {
        return m_blocks[size_t(row) / RowsPerBlock] + (size_t(row) % RowsPerBlock) * m_columns.size();
    }
    [[nodiscard]] const DbCell &cell(int row, int column) const { return rowCells(row)[column]; }
    [[nodiscard]] DbValue value(int row, int column) const;
    [[nodiscard]] static QString text(const DbCell &cell) { return QString::fromUtf8(cell.text, cell.size); }
    void setValue(int row, int column, const DbValue &value);

    // Adds the values of a new last row one by one; endRow() completes it.
    // (Inline: they run once per value when a large result is read.)
    void addNull() { newCell(DbType::Null).integer = 0; }
    void addInteger(qint64 value) { newCell(DbType::Integer).integer = value; }
    void addDouble(double value) { newCell(DbType::Double).number = value; }
    void addBoolean(bool value) { newCell(DbType::Boolean).boolean = value; }
    void addDate(TDateTime value) { newCell(DbType::DateTime).number = value; }
    void addText(const char *utf8, size_t size)
    {
        DbCell &cell = newCell(DbType::Text);
        cell.text = storeText(utf8, size);
        cell.size = quint32(size);
    }
    void addBlob(QByteArray bytes);
    // A value as SQLite stores it, in a column of the declared kind (see
    // DbSqliteReader::declaredType): an integer in a Boolean column is a
    // Boolean; a text in a date-time column is a date when it reads as one
    // (SQLite keeps dates as text), and a text elsewhere stays text.
    void addStoredInteger(qint64 value, DbType columnType)
    {
        if (columnType == DbType::Boolean)
            addBoolean(value != 0);
        else
            addInteger(value);
    }
    void addStoredText(const char *utf8, size_t size, DbType columnType);
    void add(const DbValue &value);
    void endRow() { m_ids.push_back(m_nextId++); }
    void removeRow(int row);

    [[nodiscard]] quint64 rowId(int row) const { return m_ids[size_t(row)]; }
    // The row with the id, or -1.
    [[nodiscard]] int rowOfId(quint64 id) const;

private:
    // Rows are kept in blocks of whole rows, so that a row's cells lie
    // together and adding rows never moves the ones read before.
    static constexpr size_t RowsPerBlock = 1024;

    [[nodiscard]] size_t blockBytes() const { return RowsPerBlock * m_columns.size() * sizeof(DbCell); }
    [[nodiscard]] DbCell *cellAt(int row, int column)
    {
        return m_blocks[size_t(row) / RowsPerBlock] + (size_t(row) % RowsPerBlock) * m_columns.size() + size_t(column);
    }
    [[nodiscard]] DbCell &newCell(DbType type)
    {
        if (m_fill == m_fillEnd)
            newBlock();
        DbCell &cell = *m_fill++;
        cell.size = 0;
        cell.type = type;
        return cell;
    }
    void newBlock();
    void convert(const DbValue &value, DbCell &cell);
    [[nodiscard]] const char *storeText(const char *utf8, size_t size)
    {
        if (size > m_textLeft)
            newTextBlock(size);
        char *stored = m_textFree;
        if (size > 0)
            std::memcpy(stored, utf8, size);
        m_textFree += size;
        m_textLeft -= size;
        return stored;
    }
    void newTextBlock(size_t size);

    std::vector<DbColumn> m_columns;
    // Blocks of RowsPerBlock rows and blocks of texts, from DbRowMemory.
    std::vector<DbCell *> m_blocks;
    DbCell *m_fill = nullptr; // where the next value goes
    DbCell *m_fillEnd = nullptr;
    std::vector<quint64> m_ids;
    quint64 m_nextId;
    std::vector<std::pair<char *, size_t>> m_textBlocks;
    char *m_textFree = nullptr;
    size_t m_textLeft = 0;
    std::vector<QByteArray> m_blobs;
};
