#include "platform/DbQtReader.h"

#include "platform/DbConnection.h"
#include "platform/DbQuery.h"
#include "platform/DbRows.h"
#include "platform/DbSqliteReader.h"

#include <QHash>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

DbType typeOf(QMetaType type)
{
    switch (type.id()) {
    case QMetaType::Bool:
        return DbType::Boolean;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::UChar:
        return DbType::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return DbType::Double;
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return DbType::DateTime;
    case QMetaType::QByteArray:
        return DbType::Blob;
    default:
        return DbType::Text;
    }
}

void addText(DbRows &rows, const QVariant &value, DbType columnType)
{
    const QByteArray text = value.toString().toUtf8();
    rows.addStoredText(text.constData(), size_t(text.size()), columnType);
}

// A value of a column whose kind the driver reports (PostgreSQL, ODBC).
void addValue(DbRows &rows, const QVariant &value, DbType columnType)
{
    if (value.isNull()) {
        rows.addNull();
        return;
    }
    switch (columnType) {
    case DbType::Boolean:
        rows.addBoolean(value.toBool());
        return;
    case DbType::Integer:
        rows.addInteger(value.toLongLong());
        return;
    case DbType::Double:
        rows.addDouble(value.toDouble());
        return;
    case DbType::DateTime:
        rows.addDate(value.typeId() == QMetaType::QDate ? DateTime::fromDate(value.toDate())
                                                        : DateTime::fromDateTime(value.toDateTime()));
        return;
    case DbType::Blob:
        rows.addBlob(value.toByteArray());
        return;
    case DbType::Null:
    case DbType::Text:
        break;
    }
    addText(rows, value, DbType::Text);
}

// A value as SQLite stored it: Qt's driver hands it over in the kind of
// its storage, which the column's declared kind then reads as the direct
// reader does.
void addStoredValue(DbRows &rows, const QVariant &value, DbType columnType)
{
    const DbType stored = typeOf(value.metaType());
    if (value.isNull() || (stored != DbType::Integer && stored != DbType::Text))
        addValue(rows, value, stored);
    else if (stored == DbType::Integer)
        rows.addStoredInteger(value.toLongLong(), columnType);
    else
        addText(rows, value, columnType);
}

// The declared kinds of a SQLite result's columns. Qt's driver reports
// dates as text and keeps no declared type, but names the table a column
// comes from: the table's own definition gives the type. A column that is
// no column of its table by that name (an expression, or one renamed with
// AS) is of no declared kind.
bool declaredColumns(const QSqlDatabase &db, const QSqlRecord &record, std::vector<DbColumn> &columns,
                     QString &errorText)
{
    QHash<QString, QHash<QString, QByteArray>> tables;
    for (int c = 0; c < record.count(); ++c) {
        const QString table = record.field(c).tableName();
        if (!table.isEmpty() && !tables.contains(table)) {
            QHash<QString, QByteArray> &types = tables[table];
            QSqlQuery info(db);
            info.setForwardOnly(true);
            info.prepare(QStringLiteral("SELECT name, type FROM pragma_table_info(?)"));
            info.addBindValue(table);
            if (!info.exec()) {
                errorText = info.lastError().text();
                return false;
            }
            while (info.next())
                types.insert(info.value(0).toString().toLower(), info.value(1).toString().toUtf8());
        }
        const QByteArray declared = tables.value(table).value(record.fieldName(c).toLower());
        columns[size_t(c)] = {record.fieldName(c), DbSqliteReader::declaredType(declared)};
    }
    return true;
}

} // namespace

namespace DbQtReader {

bool read(const DbQuery &query, DbRows &rows, QString &errorText)
{
    QSqlQuery sqlQuery(query.connection().sqlDatabase());
    sqlQuery.setForwardOnly(true);
    if (!query.execOn(sqlQuery, errorText))
        return false;
    const bool sqlite = query.connection().kind() == DbKind::SQLite;
    const QSqlRecord record = sqlQuery.record();
    std::vector<DbColumn> columns(size_t(record.count()));
    if (sqlite) {
        if (!declaredColumns(query.connection().sqlDatabase(), record, columns, errorText))
            return false;
    } else {
        for (int c = 0; c < record.count(); ++c)
            columns[size_t(c)] = {record.fieldName(c), typeOf(record.field(c).metaType())};
    }
    if (!rows.setColumns(columns, errorText))
        return false;
    const auto add = sqlite ? addStoredValue : addValue;
    while (sqlQuery.next()) {
        for (int c = 0; c < record.count(); ++c)
            add(rows, sqlQuery.value(c), columns[size_t(c)].type);
        rows.endRow();
    }
    // A result that ends in an error is no result.
    if (sqlQuery.lastError().isValid()) {
        errorText = sqlQuery.lastError().text();
        return false;
    }
    return true;
}

} // namespace DbQtReader
