#include "platform/DbPostgresReader.h"

#include "platform/DbConnection.h"
#include "platform/DbLog.h"
#include "platform/DbQuery.h"
#include "platform/DbRows.h"

#include <QSqlQuery>
#include <QSqlResult>

#include <charconv>
#include <libpq-fe.h>

namespace {

// Type ids of the server's built-in types (pg_type.oid), fixed since long.
DbType typeOfOid(Oid oid)
{
    switch (oid) {
    case 16: // bool
        return DbType::Boolean;
    case 20: // int8
    case 21: // int2
    case 23: // int4
    case 26: // oid
        return DbType::Integer;
    case 700:  // float4
    case 701:  // float8
    case 1700: // numeric
        return DbType::Double;
    case 17: // bytea
        return DbType::Blob;
    case 1082: // date
    case 1114: // timestamp
    case 1184: // timestamptz
        return DbType::DateTime;
    default:
        return DbType::Text;
    }
}

void addValue(DbRows &rows, const char *text, int size, DbType type)
{
    const char *end = text + size;
    switch (type) {
    case DbType::Boolean:
        rows.addBoolean(size > 0 && text[0] == 't');
        return;
    case DbType::Integer: {
        qint64 value = 0;
        if (std::from_chars(text, end, value).ec == std::errc()) {
            rows.addInteger(value);
            return;
        }
        break;
    }
    case DbType::Double: {
        double value = 0;
        if (std::from_chars(text, end, value).ec == std::errc()) {
            rows.addDouble(value);
            return;
        }
        break;
    }
    case DbType::Blob: {
        size_t length = 0;
        unsigned char *bytes = PQunescapeBytea(reinterpret_cast<const unsigned char *>(text), &length);
        if (!bytes)
            break;
        rows.addBlob(QByteArray(reinterpret_cast<const char *>(bytes), qsizetype(length)));
        PQfreemem(bytes);
        return;
    }
    case DbType::DateTime:
        if (const std::optional<DbDate> date = DbDate::parse(std::string_view(text, size_t(size)))) {
            rows.addDate(date->value);
            return;
        }
        break;
    case DbType::Null:
    case DbType::Text:
        break;
    }
    if (type != DbType::Text)
        qCWarning(lcDb) << "kept as text:" << QByteArray(text, size);
    rows.addText(text, size_t(size));
}

} // namespace

namespace DbPostgresReader {

bool read(const DbQuery &query, DbRows &rows, QString &errorText)
{
    QSqlQuery sqlQuery(query.connection().sqlDatabase());
    // Not forward-only: the driver then keeps the whole result at hand.
    sqlQuery.setForwardOnly(false);
    if (!query.execOn(sqlQuery, errorText))
        return false;
    const QVariant handle = sqlQuery.result()->handle();
    const bool isResult = qstrcmp(handle.typeName(), "PGresult*") == 0 || qstrcmp(handle.typeName(), "pg_result*") == 0;
    const PGresult *result = isResult ? *static_cast<PGresult *const *>(handle.constData()) : nullptr;
    if (!result) {
        errorText = QStringLiteral("no result from the PostgreSQL driver");
        return false;
    }

    const int columnCount = PQnfields(result);
    const int rowCount = PQntuples(result);
    std::vector<DbColumn> columns(static_cast<size_t>(columnCount));
    for (int c = 0; c < columnCount; ++c)
        columns[size_t(c)] = {QString::fromUtf8(PQfname(result, c)), typeOfOid(PQftype(result, c))};
    if (!rows.setColumns(columns, errorText))
        return false;
    for (int r = 0; r < rowCount; ++r) {
        for (int c = 0; c < columnCount; ++c) {
            if (PQgetisnull(result, r, c))
                rows.addNull();
            else
                addValue(rows, PQgetvalue(result, r, c), PQgetlength(result, r, c), columns[size_t(c)].type);
        }
        rows.endRow();
    }
    return true;
}

} // namespace DbPostgresReader
