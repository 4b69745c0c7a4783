#include "platform/DbQtReader.h"

#include "platform/DbConnection.h"
#include "platform/DbQuery.h"
#include "platform/DbRows.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

// "yyyy-MM-dd HH:mm:ss.zzz", the form in which SQLite holds a date.
constexpr qsizetype StoredDateLength = 23;

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

void addValue(DbRows &rows, const QVariant &value, DbType columnType, bool datesAsText)
{
    if (value.isNull()) {
        rows.addNull();
        return;
    }
    const DbType type = columnType != DbType::Null ? columnType : typeOf(value.metaType());
    switch (type) {
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
    const QByteArray text = value.toString().toUtf8();
    if (datesAsText) {
        if (const std::optional<DbDate> date = DbDate::parse(std::string_view(text.constData(), size_t(text.size())));
            date && text.size() == StoredDateLength) {
            rows.addDate(date->value);
            return;
        }
    }
    rows.addText(text.constData(), size_t(text.size()));
}

} // namespace

namespace DbQtReader {

bool read(const DbQuery &query, DbRows &rows, QString &errorText)
{
    QSqlQuery sqlQuery(query.connection().sqlDatabase());
    sqlQuery.setForwardOnly(true);
    if (!query.execOn(sqlQuery, errorText))
        return false;
    const bool datesAsText = query.connection().kind() == DbKind::SQLite;
    const QSqlRecord record = sqlQuery.record();
    std::vector<DbColumn> columns(size_t(record.count()));
    for (int c = 0; c < record.count(); ++c) {
        const DbType type = typeOf(record.field(c).metaType());
        columns[size_t(c)] = {record.fieldName(c), datesAsText && type == DbType::Text ? DbType::Null : type};
    }
    if (!rows.setColumns(columns, errorText))
        return false;
    while (sqlQuery.next()) {
        for (int c = 0; c < record.count(); ++c)
            addValue(rows, sqlQuery.value(c), columns[size_t(c)].type, datesAsText);
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
