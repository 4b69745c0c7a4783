#include "platform/DbDataSet.h"

#include "platform/DbConnection.h"
#include "platform/DbLog.h"
#include "platform/DbPagedQuery.h"
#include "platform/DbQuery.h"
#include "platform/DbRows.h"
#include "platform/DbSql.h"

#include <algorithm>
#include <numeric>

namespace {

QString typeName(DbType type)
{
    switch (type) {
    case DbType::Null:
        return QStringLiteral("NULL");
    case DbType::Integer:
        return QStringLiteral("an integer");
    case DbType::Double:
        return QStringLiteral("a number");
    case DbType::Boolean:
        return QStringLiteral("a Boolean");
    case DbType::Text:
        return QStringLiteral("a text");
    case DbType::DateTime:
        return QStringLiteral("a date (DbDate)");
    case DbType::Blob:
        return QStringLiteral("bytes");
    }
    return {};
}

bool fits(DbType column, DbType value)
{
    return column == DbType::Null || value == DbType::Null || column == value ||
           (column == DbType::Double && value == DbType::Integer);
}

} // namespace

DbDataSet::DbDataSet() = default;

DbDataSet::~DbDataSet() = default;

void DbDataSet::setUpdateTable(const QString &table, const QString &keyField, KeyKind keyKind)
{
    m_table = table;
    m_keyField = keyField;
    m_keyKind = keyKind;
}

bool DbDataSet::fail(const QString &reason)
{
    m_errorText = reason;
    return false;
}

bool DbDataSet::open(const DbQuery &query)
{
    close();
    m_errorText.clear();
    auto rows = std::make_unique<DbRows>();
    if (!rows->load(query, m_errorText))
        return false;
    browse(query.connection(), std::move(rows));
    return true;
}

void DbDataSet::browse(DbConnection &connection, std::unique_ptr<DbRows> rows)
{
    m_connection = &connection;
    m_rows = std::move(rows);
    m_state = State::Browse;
    applyFilter();
    first();
}

bool DbDataSet::open(const DbPagedQuery &query)
{
    close();
    m_errorText.clear();
    if (query.keys().empty())
        return fail(QStringLiteral("the paged query has no key"));
    auto rows = std::make_unique<DbRows>();
    if (!rows->load(query.page({}, query.firstPageSize()), m_errorText))
        return false;
    std::vector<int> keyColumns;
    for (const DbPagedQuery::Key &key : query.keys()) {
        keyColumns.push_back(rows->columnIndex(key.column));
        if (keyColumns.back() < 0)
            return fail(QStringLiteral("the key %1 is not a column of the rows").arg(key.column));
    }
    m_paged = std::make_unique<DbPagedQuery>(query);
    m_keyColumns = std::move(keyColumns);
    m_pageSize = std::min(2 * query.firstPageSize(), DbPagedQuery::MaxPageSize);
    m_morePages = rows->rowCount() == query.firstPageSize();
    browse(query.connection(), std::move(rows));
    return true;
}

bool DbDataSet::fetchMore()
{
    if (!m_morePages)
        return true;
    // The next page goes on after the keys of the last row read.
    const int last = m_rows->rowCount() - 1;
    std::vector<DbValue> after;
    for (const int column : m_keyColumns) {
        after.push_back(m_rows->value(last, column));
        if (after.back().isNull()) {
            m_morePages = false;
            m_readFailed = true;
            return fail(QStringLiteral("a key of the last row read is NULL"));
        }
    }
    const int before = m_rows->rowCount();
    if (!m_rows->load(m_paged->page(after, m_pageSize), m_errorText)) {
        m_morePages = false;
        m_readFailed = true;
        return false;
    }
    m_morePages = m_rows->rowCount() - before == m_pageSize;
    m_pageSize = std::min(2 * m_pageSize, DbPagedQuery::MaxPageSize);
    if (m_filtered)
        applyFilter(before);
    syncCurrentRow();
    return true;
}

bool DbDataSet::readUntil(int count)
{
    while (recordCount() < count && m_morePages) {
        if (!fetchMore())
            return false;
    }
    // The rows of a page that failed are missing, then and later.
    return recordCount() >= count || !m_readFailed;
}

void DbDataSet::close()
{
    m_rows.reset();
    m_paged.reset();
    m_keyColumns.clear();
    m_morePages = false;
    m_readFailed = false;
    m_connection = nullptr;
    m_visible.clear();
    m_buffer.clear();
    m_changed.clear();
    m_pendingError.clear();
    m_state = State::Closed;
    m_position = 0;
    m_eof = true;
    m_bof = true;
    syncCurrentRow();
}

int DbDataSet::fieldCount() const
{
    return m_rows ? m_rows->columnCount() : 0;
}

QString DbDataSet::fieldName(int column) const
{
    return column >= 0 && column < fieldCount() ? m_rows->columns()[size_t(column)].name : QString();
}

int DbDataSet::indexOfField(QStringView name) const
{
    return m_rows ? m_rows->columnIndex(name) : -1;
}

DbField DbDataSet::field(QStringView name) const
{
    const int column = indexOfField(name);
    if (column < 0) {
        qCWarning(lcDb) << "no field" << name;
        return {};
    }
    return DbField(*this, m_currentCells, m_columnCount, column);
}

DbField DbDataSet::field(int column) const
{
    return column >= 0 && column < fieldCount() ? DbField(*this, m_currentCells, m_columnCount, column) : DbField();
}

int DbDataSet::recordCount() const
{
    if (!m_rows)
        return 0;
    return m_filtered ? int(m_visible.size()) : m_rows->rowCount();
}

int DbDataSet::rowAt(int position) const
{
    return m_filtered ? m_visible[size_t(position)] : position;
}

int DbDataSet::positionOfRow(int row) const
{
    if (!m_filtered)
        return row;
    const auto it = std::lower_bound(m_visible.begin(), m_visible.end(), row);
    return it != m_visible.end() && *it == row ? int(it - m_visible.begin()) : -1;
}

void DbDataSet::first()
{
    cancel();
    m_position = 0;
    m_bof = true;
    m_eof = recordCount() == 0;
    syncCurrentRow();
}

bool DbDataSet::last()
{
    cancel();
    const bool read = readAll();
    m_position = std::max(0, recordCount() - 1);
    m_eof = true;
    m_bof = recordCount() == 0;
    syncCurrentRow();
    return read;
}

bool DbDataSet::next()
{
    cancel();
    const bool read = readUntil(m_position + 2);
    if (m_position + 1 < recordCount()) {
        ++m_position;
        m_eof = false;
    } else {
        m_eof = true;
    }
    m_bof = recordCount() == 0;
    syncCurrentRow();
    return read;
}

void DbDataSet::prior()
{
    cancel();
    if (m_position > 0 && recordCount() > 0) {
        --m_position;
        m_bof = false;
    } else {
        m_bof = true;
    }
    m_eof = recordCount() == 0;
    syncCurrentRow();
}

bool DbDataSet::setPosition(int position)
{
    if (position >= 0 && !readUntil(position + 1))
        return false;
    if (position < 0 || position >= recordCount())
        return false;
    cancel();
    m_position = position;
    m_eof = false;
    m_bof = false;
    syncCurrentRow();
    return true;
}

bool DbDataSet::sort(const Less &less)
{
    if (!m_rows || m_state != State::Browse)
        return true;
    if (!readAll())
        return false;
    std::vector<int> order(size_t(m_rows->rowCount()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return less(DbRecord(*m_rows, a), DbRecord(*m_rows, b)); });
    auto sorted = std::make_unique<DbRows>();
    (void)sorted->setColumns(m_rows->columns(), m_errorText); // holds no rows yet
    for (const int row : order) {
        for (int column = 0; column < m_rows->columnCount(); ++column)
            sorted->add(m_rows->value(row, column));
        sorted->endRow();
    }
    m_rows = std::move(sorted);
    applyFilter();
    first();
    return true;
}

DbRecord DbDataSet::record(int position) const
{
    static const DbRows noRows;
    if (position < 0 || position >= recordCount())
        return DbRecord(m_rows ? *m_rows : noRows, -1);
    return DbRecord(*m_rows, rowAt(position));
}

bool DbDataSet::locate(QStringView field, const DbValue &value)
{
    const int column = indexOfField(field);
    if (column < 0)
        return fail(QStringLiteral("no field %1").arg(field));
    for (int position = 0; readUntil(position + 1) && position < recordCount(); ++position) {
        if (m_rows->value(rowAt(position), column) == value)
            return setPosition(position);
    }
    return false;
}

void DbDataSet::setFilter(Filter filter)
{
    m_filter = std::move(filter);
    if (m_filtered) {
        applyFilter();
        first();
    }
}

void DbDataSet::setFiltered(bool filtered)
{
    m_filtered = filtered;
    applyFilter();
    first();
}

void DbDataSet::applyFilter(int fromRow)
{
    if (fromRow == 0)
        m_visible.clear();
    if (!m_filtered || !m_rows)
        return;
    for (int row = fromRow; row < m_rows->rowCount(); ++row) {
        if (!m_filter || m_filter(DbRecord(*m_rows, row)))
            m_visible.push_back(row);
    }
}

DbBookmark DbDataSet::bookmark() const
{
    if (recordCount() == 0)
        return {};
    return DbBookmark(m_rows->rowId(rowAt(m_position)));
}

bool DbDataSet::gotoBookmark(DbBookmark bookmark)
{
    if (!m_rows || !bookmark.isValid())
        return false;
    const int row = m_rows->rowOfId(bookmark.m_rowId);
    return row >= 0 && setPosition(positionOfRow(row));
}

DbValue DbDataSet::currentValue(int column) const
{
    if (m_state == State::Edit || m_state == State::Insert)
        return column >= 0 && size_t(column) < m_buffer.size() ? m_buffer[size_t(column)] : DbValue();
    return record(m_position).value(column);
}

void DbDataSet::syncCurrentRow()
{
    m_currentCells = recordCount() > 0 && m_state == State::Browse ? m_rows->rowCells(rowAt(m_position)) : nullptr;
    m_columnCount = fieldCount();
}

DbType DbDataSet::columnType(int column) const
{
    return column >= 0 && column < fieldCount() ? m_rows->columns()[size_t(column)].type : DbType::Null;
}

bool DbDataSet::checkWritable(bool needsRow)
{
    if (m_state == State::Closed)
        return fail(QStringLiteral("the data set is not open"));
    if (m_state != State::Browse)
        return fail(QStringLiteral("a row is already being edited"));
    // A row written is found at its place among all rows.
    if (!readUntil(std::numeric_limits<int>::max()))
        return false;
    if (!DbSql::isIdentifier(m_table) || !DbSql::isIdentifier(m_keyField))
        return fail(QStringLiteral("no update table with a key is set"));
    if (needsRow && recordCount() == 0)
        return fail(QStringLiteral("there is no current row"));
    return true;
}

bool DbDataSet::append()
{
    if (!checkWritable(false))
        return false;
    m_buffer.assign(size_t(fieldCount()), DbValue());
    m_changed.assign(size_t(fieldCount()), false);
    m_state = State::Insert;
    syncCurrentRow();
    return true;
}

bool DbDataSet::edit()
{
    if (!checkWritable(true))
        return false;
    const int row = rowAt(m_position);
    m_buffer.clear();
    for (int column = 0; column < fieldCount(); ++column)
        m_buffer.push_back(m_rows->value(row, column));
    m_changed.assign(size_t(fieldCount()), false);
    m_state = State::Edit;
    syncCurrentRow();
    return true;
}

void DbDataSet::setValue(QStringView field, const DbValue &value)
{
    if (m_state != State::Edit && m_state != State::Insert) {
        qCWarning(lcDb) << "setValue outside append or edit:" << field;
        return;
    }
    const int column = m_rows->columnIndex(field);
    if (column < 0) {
        m_pendingError = QStringLiteral("no field %1").arg(field);
        return;
    }
    const DbType type = columnType(column);
    if (!fits(type, value.type())) {
        m_pendingError = QStringLiteral("field %1 takes %2, not %3").arg(field, typeName(type), typeName(value.type()));
        return;
    }
    m_buffer[size_t(column)] = value;
    m_changed[size_t(column)] = true;
}

void DbDataSet::cancel()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    m_state = State::Browse;
    m_buffer.clear();
    m_changed.clear();
    m_pendingError.clear();
    syncCurrentRow();
}

bool DbDataSet::post()
{
    m_rowMissing = false;
    if (m_state != State::Edit && m_state != State::Insert)
        return fail(QStringLiteral("no row is being appended or edited"));
    if (!m_pendingError.isEmpty())
        return fail(m_pendingError);
    for (int column = 0; column < fieldCount(); ++column) {
        if (m_changed[size_t(column)] && !DbSql::isIdentifier(fieldName(column)))
            return fail(QStringLiteral("field \"%1\" cannot be written").arg(fieldName(column)));
    }
    const bool inserting = m_state == State::Insert;
    if (!(inserting ? insertRow() : updateRow()))
        return false;
    const int row = inserting ? m_rows->rowCount() - 1 : rowAt(m_position);
    m_state = State::Browse;
    m_buffer.clear();
    m_changed.clear();
    applyFilter();
    moveToRow(row);
    return true;
}

bool DbDataSet::insertRow()
{
    const int keyColumn = m_rows->columnIndex(m_keyField);
    const bool keyChanged = keyColumn >= 0 && m_changed[size_t(keyColumn)];
    if (m_keyKind == KeyKind::Generated && keyChanged)
        return fail(QStringLiteral("the key %1 is assigned by the database").arg(m_keyField));
    if (m_keyKind == KeyKind::Assigned && (!keyChanged || m_buffer[size_t(keyColumn)].isNull()))
        return fail(QStringLiteral("the key %1 has no value").arg(m_keyField));

    QStringList names;
    QStringList marks;
    for (int column = 0; column < fieldCount(); ++column) {
        if (m_changed[size_t(column)]) {
            names.append(fieldName(column));
            marks.append(QStringLiteral("?"));
        }
    }
    QString sql = QStringLiteral("INSERT INTO ") + m_table;
    if (names.isEmpty())
        sql += QStringLiteral(" DEFAULT VALUES");
    else
        sql +=
            QStringLiteral(" (%1) VALUES (%2)").arg(names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    if (m_keyKind == KeyKind::Generated)
        sql += QStringLiteral(" RETURNING ") + m_keyField;

    DbQuery query(*m_connection, sql);
    for (int column = 0; column < fieldCount(); ++column) {
        if (m_changed[size_t(column)])
            query.addBind(m_buffer[size_t(column)]);
    }
    if (m_keyKind == KeyKind::Generated) {
        DbRows returned;
        if (!returned.load(query, m_errorText))
            return false;
        if (returned.rowCount() != 1 || returned.columnCount() != 1)
            return fail(QStringLiteral("no key came back from the insert into %1").arg(m_table));
        if (keyColumn >= 0)
            m_buffer[size_t(keyColumn)] = returned.value(0, 0);
    } else if (!query.exec()) {
        return fail(query.errorText());
    }
    for (const DbValue &value : m_buffer)
        m_rows->add(value);
    m_rows->endRow();
    return true;
}

bool DbDataSet::updateRow()
{
    const int keyColumn = m_rows->columnIndex(m_keyField);
    if (keyColumn < 0)
        return fail(QStringLiteral("the key %1 is not a field of the data set").arg(m_keyField));
    const int row = rowAt(m_position);
    const DbValue key = m_rows->value(row, keyColumn);
    if (m_keyKind == KeyKind::Generated && m_changed[size_t(keyColumn)] && !(m_buffer[size_t(keyColumn)] == key))
        return fail(QStringLiteral("the key %1 is assigned by the database").arg(m_keyField));

    QStringList assignments;
    for (int column = 0; column < fieldCount(); ++column) {
        if (m_changed[size_t(column)])
            assignments.append(fieldName(column) + QStringLiteral(" = ?"));
    }
    if (!assignments.isEmpty()) {
        DbQuery query(*m_connection, QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                                         .arg(m_table, assignments.join(QStringLiteral(", ")), m_keyField));
        for (int column = 0; column < fieldCount(); ++column) {
            if (m_changed[size_t(column)])
                query.addBind(m_buffer[size_t(column)]);
        }
        query.addBind(key);
        if (!query.exec())
            return fail(query.errorText());
        if (query.rowsAffected() != 1) {
            m_rowMissing = true;
            return fail(
                QStringLiteral("the row with %1 = %2 is no longer in %3").arg(m_keyField, key.asString(), m_table));
        }
    }
    for (int column = 0; column < fieldCount(); ++column) {
        if (m_changed[size_t(column)])
            m_rows->setValue(row, column, m_buffer[size_t(column)]);
    }
    return true;
}

void DbDataSet::moveToRow(int row)
{
    const int position = positionOfRow(row);
    if (position >= 0)
        (void)setPosition(position); // a row already read: no page to fail
    else
        first();
}

bool DbDataSet::remove()
{
    m_rowMissing = false;
    if (!checkWritable(true))
        return false;
    const int keyColumn = m_rows->columnIndex(m_keyField);
    if (keyColumn < 0)
        return fail(QStringLiteral("the key %1 is not a field of the data set").arg(m_keyField));
    const int row = rowAt(m_position);
    const DbValue key = m_rows->value(row, keyColumn);
    DbQuery query(*m_connection, QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(m_table, m_keyField));
    query.addBind(key);
    if (!query.exec())
        return fail(query.errorText());
    if (query.rowsAffected() != 1) {
        m_rowMissing = true;
        return fail(QStringLiteral("the row with %1 = %2 is no longer in %3").arg(m_keyField, key.asString(), m_table));
    }

    m_rows->removeRow(row);
    applyFilter();
    const int count = recordCount();
    m_position = std::min(m_position, std::max(0, count - 1));
    m_eof = count == 0;
    m_bof = count == 0;
    syncCurrentRow();
    return true;
}
