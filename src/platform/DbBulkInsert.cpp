#include "platform/DbBulkInsert.h"

#include "platform/DbConnection.h"
#include "platform/DbQuery.h"
#include "platform/DbValue.h"

#include <QSqlDriver>

#include <charconv>
#include <libpq-fe.h>

namespace {

// Sent to the server whenever this much has gathered: large enough that a
// round trip carries many rows, small enough to hold no whole file.
constexpr qsizetype CopyChunk = 256 * 1024;

pg_conn *postgresHandle(const DbConnection &connection)
{
    const QVariant handle = connection.sqlDatabase().driver()->handle();
    const bool isConnection = qstrcmp(handle.typeName(), "PGconn*") == 0 || qstrcmp(handle.typeName(), "pg_conn*") == 0;
    return isConnection ? *static_cast<pg_conn *const *>(handle.constData()) : nullptr;
}

template <typename Number> void appendNumber(QByteArray &out, Number value)
{
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end - digits);
}

// A text in COPY's text form: the backslash escapes the separator, line
// breaks and itself. The runs between them go over whole.
void appendText(QByteArray &out, const QByteArray &utf8)
{
    qsizetype run = 0;
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char *escaped = nullptr;
        switch (utf8[i]) {
        case '\\':
            escaped = "\\\\";
            break;
        case '\t':
            escaped = "\\t";
            break;
        case '\n':
            escaped = "\\n";
            break;
        case '\r':
            escaped = "\\r";
            break;
        default:
            continue;
        }
        out.append(utf8.constData() + run, i - run).append(escaped);
        run = i + 1;
    }
    out.append(utf8.constData() + run, utf8.size() - run);
}

// Appends the value as COPY reads it; false for a date beyond the calendar.
bool appendValue(QByteArray &out, const DbValue &value)
{
    switch (value.type()) {
    case DbType::Null:
        out.append("\\N");
        return true;
    case DbType::Integer:
        appendNumber(out, value.asLargeInt());
        return true;
    case DbType::Double:
        appendNumber(out, value.asDouble());
        return true;
    case DbType::Boolean:
        out.append(value.asBoolean() ? 't' : 'f');
        return true;
    case DbType::Text: {
        // A null text is NULL, as Qt's driver binds it.
        const QString text = value.asString();
        if (text.isNull())
            out.append("\\N");
        else
            appendText(out, text.toUtf8());
        return true;
    }
    case DbType::DateTime: {
        // Empty for a date beyond the calendar.
        const QString text = DbDate{value.asDateTime()}.text();
        out.append(text.toLatin1());
        return !text.isEmpty();
    }
    case DbType::Blob:
        // bytea's hex form, its backslash doubled for COPY.
        out.append("\\\\x").append(value.asBytes().toHex());
        return true;
    }
    return true;
}

QString resultError(PGresult *result, pg_conn *connection)
{
    const char *message = result ? PQresultErrorMessage(result) : "";
    return QString::fromUtf8(*message ? message : PQerrorMessage(connection)).trimmed();
}

} // namespace

DbBulkInsert::DbBulkInsert(DbConnection &connection, const QString &table, const QStringList &columns)
    : m_table(table), m_columns(columns)
{
    if (connection.kind() == DbKind::PostgreSQL && connection.isOpen() && connection.clientLibraryShared()) {
        m_pg = postgresHandle(connection);
        if (!m_pg)
            fail(QStringLiteral("no PostgreSQL handle on the connection"));
        return;
    }
    const QString places = QStringList(columns.size(), QStringLiteral("?")).join(u", ");
    m_insert = std::make_unique<DbQuery>(connection, QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") +
                                                         columns.join(u", ") + QStringLiteral(") VALUES (") + places +
                                                         QLatin1Char(')'));
    m_insert->keepPrepared();
}

DbBulkInsert::~DbBulkInsert()
{
    if (m_copying)
        abortCopy(QStringLiteral("the rows were not finished"));
}

bool DbBulkInsert::fail(const QString &reason)
{
    m_failed = true;
    m_errorText = reason;
    if (m_copying)
        abortCopy(reason);
    return false;
}

bool DbBulkInsert::add(std::span<const DbValue> row)
{
    if (m_failed)
        return false;
    if (row.size() != size_t(m_columns.size()))
        return fail(QStringLiteral("%1 values for %2 columns").arg(row.size()).arg(m_columns.size()));
    if (m_insert) {
        m_insert->clearBindings();
        for (const DbValue &value : row)
            m_insert->addBind(value);
        return m_insert->exec() || fail(m_insert->errorText());
    }
    if (!m_copying && !startCopy())
        return false;
    for (size_t i = 0; i < row.size(); ++i) {
        if (i > 0)
            m_copied.append('\t');
        if (!appendValue(m_copied, row[i]))
            return fail(QStringLiteral("date value %1 is out of range").arg(row[i].asDateTime()));
    }
    m_copied.append('\n');
    return m_copied.size() < CopyChunk || sendCopied();
}

bool DbBulkInsert::startCopy()
{
    if (PQtransactionStatus(m_pg) == PQTRANS_ACTIVE)
        return fail(QStringLiteral("the connection is busy with another statement"));
    const QByteArray sql = (QStringLiteral("COPY ") + m_table + QStringLiteral(" (") + m_columns.join(u", ") +
                            QStringLiteral(") FROM STDIN"))
                               .toUtf8();
    PGresult *result = PQexec(m_pg, sql.constData());
    const bool started = PQresultStatus(result) == PGRES_COPY_IN;
    const QString error = started ? QString() : resultError(result, m_pg);
    PQclear(result);
    if (!started)
        return fail(error);
    m_copying = true;
    return true;
}

bool DbBulkInsert::sendCopied()
{
    if (PQputCopyData(m_pg, m_copied.constData(), int(m_copied.size())) != 1)
        return fail(QString::fromUtf8(PQerrorMessage(m_pg)).trimmed());
    m_copied.resize(0); // keeps its room for the next rows
    return true;
}

bool DbBulkInsert::finish()
{
    if (m_failed)
        return false;
    if (!m_copying)
        return true;
    if (!m_copied.isEmpty() && !sendCopied())
        return false;
    m_copying = false;
    if (PQputCopyEnd(m_pg, nullptr) != 1)
        return fail(QString::fromUtf8(PQerrorMessage(m_pg)).trimmed());
    QString error;
    while (PGresult *result = PQgetResult(m_pg)) {
        if (PQresultStatus(result) != PGRES_COMMAND_OK && error.isEmpty())
            error = resultError(result, m_pg);
        PQclear(result);
    }
    return error.isEmpty() || fail(error);
}

void DbBulkInsert::abortCopy(const QString &reason)
{
    m_copying = false;
    m_copied.clear();
    // The server drops the whole COPY; its error result is read away so
    // that the connection is ready for the caller's rollback.
    if (PQputCopyEnd(m_pg, reason.toUtf8().constData()) == 1) {
        while (PGresult *result = PQgetResult(m_pg))
            PQclear(result);
    }
}
