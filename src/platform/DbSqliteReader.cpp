#include "platform/DbSqliteReader.h"

#include "platform/DbConnection.h"
#include "platform/DbQuery.h"
#include "platform/DbRows.h"

#include <QSqlDriver>

#include <chrono>
#include <cstdint>
#include <memory>
#include <sqlite3.h>
#include <thread>

namespace {

struct StatementDeleter
{
    void operator()(sqlite3_stmt *statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

sqlite3 *handleOf(const DbConnection &connection)
{
    const QVariant handle = connection.sqlDatabase().driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}

// The timeout in milliseconds travels as the handler's pointer value.
int busyWait(void *timeoutMs, int waits)
{
    if (waits >= int(reinterpret_cast<std::intptr_t>(timeoutMs)))
        return 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return 1;
}

QString errorOf(sqlite3 *db)
{
    return QString::fromUtf8(sqlite3_errmsg(db));
}

// The query's statement prepared on its connection's own handle; null with
// the reason in errorText.
Statement prepare(const DbQuery &query, QString &errorText)
{
    sqlite3 *db = handleOf(query.connection());
    if (!db) {
        errorText = QStringLiteral("no SQLite handle on the connection");
        return {};
    }
    sqlite3_stmt *raw = nullptr;
    const QByteArray sql = query.sql().toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &raw, nullptr) != SQLITE_OK) {
        errorText = errorOf(db);
        return {};
    }
    if (!raw)
        errorText = QStringLiteral("the statement is empty");
    return Statement(raw);
}

bool bindAll(sqlite3_stmt *statement, const DbQuery &query, QString &errorText)
{
    int position = 0;
    for (const DbQuery::Binding &binding : query.bindings()) {
        const int index = binding.name.isEmpty()
                              ? ++position
                              : sqlite3_bind_parameter_index(statement, binding.name.toUtf8().constData());
        if (index <= 0 || index > sqlite3_bind_parameter_count(statement)) {
            errorText = QStringLiteral("the statement has no parameter %1")
                            .arg(binding.name.isEmpty() ? QString::number(position) : binding.name);
            return false;
        }
        const DbValue &value = binding.value;
        int rc = SQLITE_OK;
        switch (value.type()) {
        case DbType::Null:
            rc = sqlite3_bind_null(statement, index);
            break;
        case DbType::Integer:
            rc = sqlite3_bind_int64(statement, index, value.asLargeInt());
            break;
        case DbType::Double:
            rc = sqlite3_bind_double(statement, index, value.asDouble());
            break;
        case DbType::Boolean:
            rc = sqlite3_bind_int(statement, index, value.asBoolean() ? 1 : 0);
            break;
        case DbType::Text:
        case DbType::DateTime: {
            const QString text = value.type() == DbType::Text ? value.asString() : DbDate{value.asDateTime()}.text();
            rc = sqlite3_bind_text16(statement, index, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT);
            break;
        }
        case DbType::Blob: {
            const QByteArray bytes = value.asBytes();
            rc = sqlite3_bind_blob(statement, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        }
        if (rc != SQLITE_OK) {
            errorText = QString::fromUtf8(sqlite3_errstr(rc));
            return false;
        }
    }
    return true;
}

void addValue(DbRows &rows, sqlite3_value *value, DbType columnType)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
        rows.addNull();
        break;
    case SQLITE_INTEGER:
        rows.addStoredInteger(sqlite3_value_int64(value), columnType);
        break;
    case SQLITE_FLOAT:
        rows.addDouble(sqlite3_value_double(value));
        break;
    case SQLITE_BLOB:
        rows.addBlob(QByteArray(static_cast<const char *>(sqlite3_value_blob(value)), sqlite3_value_bytes(value)));
        break;
    default:
        rows.addStoredText(reinterpret_cast<const char *>(sqlite3_value_text(value)), size_t(sqlite3_value_bytes(value)),
                           columnType);
        break;
    }
}

} // namespace

namespace DbSqliteReader {

DbType declaredType(QByteArrayView declared)
{
    if (declared.isNull())
        return DbType::Null;
    const QByteArray type = declared.toByteArray().toUpper();
    if (type.contains("BOOL"))
        return DbType::Boolean;
    if (type.contains("INT"))
        return DbType::Integer;
    if (type.contains("DATE") || type.contains("TIME"))
        return DbType::DateTime;
    if (type.contains("CHAR") || type.contains("CLOB") || type.contains("TEXT"))
        return DbType::Text;
    if (type.contains("BLOB"))
        return DbType::Blob;
    if (type.contains("REAL") || type.contains("FLOA") || type.contains("DOUB") || type.contains("NUM") ||
        type.contains("DEC"))
        return DbType::Double;
    return DbType::Null;
}

bool read(const DbQuery &query, DbRows &rows, QString &errorText)
{
    const Statement statement = prepare(query, errorText);
    if (!statement)
        return false;
    sqlite3_stmt *raw = statement.get();
    if (!bindAll(raw, query, errorText))
        return false;

    const int columnCount = sqlite3_column_count(raw);
    std::vector<DbColumn> columns(static_cast<size_t>(columnCount));
    for (int c = 0; c < columnCount; ++c)
        columns[size_t(c)] = {QString::fromUtf8(sqlite3_column_name(raw, c)),
                              declaredType(QByteArrayView(sqlite3_column_decltype(raw, c)))};
    if (!rows.setColumns(columns, errorText))
        return false;

    // The column's value object is read with the value functions, which
    // take no lock: the connection is used by this thread alone.
    int rc;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
        for (int c = 0; c < columnCount; ++c)
            addValue(rows, sqlite3_column_value(raw, c), columns[size_t(c)].type);
        rows.endRow();
    }
    if (rc != SQLITE_DONE) {
        errorText = errorOf(sqlite3_db_handle(raw));
        return false;
    }
    return true;
}

bool execute(const DbQuery &query, std::shared_ptr<sqlite3_stmt> &kept, int &rowsAffected, QString &errorText)
{
    if (!kept) {
        kept = prepare(query, errorText);
        if (!kept)
            return false;
    }
    sqlite3_stmt *statement = kept.get();
    sqlite3 *db = sqlite3_db_handle(statement);
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    if (!bindAll(statement, query, errorText))
        return false;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        errorText = errorOf(db);
    else
        rowsAffected = sqlite3_changes(db);
    // Reset at once, so that the statement holds no lock between runs.
    sqlite3_reset(statement);
    return rc == SQLITE_DONE;
}

bool setBusyWait(const DbConnection &connection, int timeoutMs)
{
    sqlite3 *db = handleOf(connection);
    if (!db)
        return false;
    return sqlite3_busy_handler(db, busyWait, reinterpret_cast<void *>(std::intptr_t(timeoutMs))) == SQLITE_OK;
}

} // namespace DbSqliteReader
