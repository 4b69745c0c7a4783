#include "platform/DbRows.h"

#include "platform/DbConnection.h"
#include "platform/DbPostgresReader.h"
#include "platform/DbQtReader.h"
#include "platform/DbQuery.h"
#include "platform/DbRowMemory.h"
#include "platform/DbSqliteReader.h"

#include <algorithm>
#include <atomic>

namespace {

constexpr size_t TextBlockSize = 64 * 1024;

} // namespace

DbRows::DbRows()
{
    // The high half tells row sets apart, so that a bookmark of an earlier
    // opening never finds a row of a later one.
    static std::atomic<quint64> generation{0};
    m_nextId = (++generation << 32) + 1;
}

DbRows::~DbRows()
{
    for (DbCell *block : m_blocks)
        DbRowMemory::give(block, blockBytes());
    for (const auto &[block, bytes] : m_textBlocks)
        DbRowMemory::give(block, bytes);
}

bool DbRows::load(const DbQuery &query, QString &errorText)
{
    if (!query.checkBindings(errorText))
        return false;
    DbConnection &connection = query.connection();
    // Read again after a reconnect only where a failed read added no rows:
    // Qt's driver hands rows over one by one, and a result cut off midway
    // would leave its first rows in front of the second read's.
    return connection.run(
        query.sql(), connection.clientLibraryShared(),
        [&](QString &reason) {
            if (!connection.clientLibraryShared())
                return DbQtReader::read(query, *this, reason);
            return connection.kind() == DbKind::SQLite ? DbSqliteReader::read(query, *this, reason)
                                                       : DbPostgresReader::read(query, *this, reason);
        },
        errorText);
}

bool DbRows::setColumns(std::vector<DbColumn> columns, QString &errorText)
{
    // Blocks are sized by the column count.
    if (!m_blocks.empty() && columns.size() != m_columns.size()) {
        errorText = QStringLiteral("the rows read have %1 columns, not %2").arg(columns.size()).arg(m_columns.size());
        return false;
    }
    m_columns = std::move(columns);
    return true;
}

int DbRows::columnIndex(QStringView name) const
{
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (name.compare(m_columns[i].name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

DbValue DbRows::value(int row, int column) const
{
    const DbCell &c = cell(row, column);
    switch (c.type) {
    case DbType::Null:
        return {};
    case DbType::Integer:
        return c.integer;
    case DbType::Double:
        return c.number;
    case DbType::Boolean:
        return c.boolean;
    case DbType::Text:
        return text(c);
    case DbType::DateTime:
        return DbDate{c.number};
    case DbType::Blob:
        return m_blobs[c.blob];
    }
    return {};
}

void DbRows::newTextBlock(size_t size)
{
    const size_t blockSize = std::max(size, TextBlockSize);
    m_textBlocks.emplace_back(static_cast<char *>(DbRowMemory::take(blockSize)), blockSize);
    m_textFree = m_textBlocks.back().first;
    m_textLeft = blockSize;
}

void DbRows::addBlob(QByteArray bytes)
{
    newCell(DbType::Blob).blob = m_blobs.size();
    m_blobs.push_back(std::move(bytes));
}

void DbRows::addStoredText(const char *utf8, size_t size, DbType columnType)
{
    if (columnType == DbType::DateTime) {
        if (const std::optional<DbDate> date = DbDate::parse(std::string_view(utf8, size))) {
            addDate(date->value);
            return;
        }
    }
    addText(utf8, size);
}

void DbRows::newBlock()
{
    m_blocks.push_back(static_cast<DbCell *>(DbRowMemory::take(blockBytes())));
    m_fill = m_blocks.back();
    m_fillEnd = m_fill + RowsPerBlock * m_columns.size();
}

void DbRows::convert(const DbValue &value, DbCell &cell)
{
    cell.type = value.type();
    cell.size = 0;
    switch (value.type()) {
    case DbType::Null:
        cell.integer = 0;
        break;
    case DbType::Integer:
        cell.integer = value.asLargeInt();
        break;
    case DbType::Double:
    case DbType::DateTime:
        cell.number = value.asDouble();
        break;
    case DbType::Boolean:
        cell.boolean = value.asBoolean();
        break;
    case DbType::Text: {
        const QByteArray utf8 = value.asString().toUtf8();
        cell.text = storeText(utf8.constData(), size_t(utf8.size()));
        cell.size = quint32(utf8.size());
        break;
    }
    case DbType::Blob:
        cell.blob = m_blobs.size();
        m_blobs.push_back(value.asBytes());
        break;
    }
}

void DbRows::add(const DbValue &value)
{
    convert(value, newCell(value.type()));
}

void DbRows::setValue(int row, int column, const DbValue &value)
{
    convert(value, *cellAt(row, column));
}

void DbRows::removeRow(int row)
{
    const int columns = columnCount();
    for (int next = row + 1; next < rowCount(); ++next)
        std::copy_n(rowCells(next), columns, cellAt(next - 1, 0));
    m_ids.erase(m_ids.begin() + row);
    if (columns == 0)
        return;
    // The last row's place is free again; a block left empty goes.
    if (m_fill == m_blocks.back()) {
        DbRowMemory::give(m_blocks.back(), blockBytes());
        m_blocks.pop_back();
        m_fillEnd = m_blocks.back() + RowsPerBlock * m_columns.size();
        m_fill = m_fillEnd;
    }
    m_fill -= columns;
}

int DbRows::rowOfId(quint64 id) const
{
    const auto it = std::lower_bound(m_ids.begin(), m_ids.end(), id);
    return it != m_ids.end() && *it == id ? int(it - m_ids.begin()) : -1;
}
