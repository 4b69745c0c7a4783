#include "users/PartnerConnectionString.h"

#include "platform/DbConnectionString.h"

#include <QHash>

namespace {

// An ODBC value in braces when it holds what would end it.
QString odbcValue(const QString &value)
{
    if (!value.contains(u';') && !value.contains(u'{') && !value.contains(u'}') && value.trimmed() == value)
        return value;
    QString escaped = value;
    escaped.replace(u'}', QStringLiteral("}}"));
    return u'{' + escaped + u'}';
}

// The key-value pairs of an ODBC string, keys in lower case; braces honoured.
QHash<QString, QString> odbcPairs(QStringView text)
{
    QHash<QString, QString> pairs;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype eq = text.indexOf(u'=', pos);
        if (eq < 0)
            break;
        const QString key = text.sliced(pos, eq - pos).trimmed().toString().toLower();
        QString value;
        pos = eq + 1;
        if (pos < text.size() && text[pos] == u'{') {
            for (++pos; pos < text.size(); ++pos) {
                if (text[pos] == u'}') {
                    if (pos + 1 < text.size() && text[pos + 1] == u'}') {
                        value += u'}';
                        ++pos;
                        continue;
                    }
                    ++pos;
                    break;
                }
                value += text[pos];
            }
            const qsizetype end = text.indexOf(u';', pos);
            pos = end < 0 ? text.size() : end + 1;
        } else {
            const qsizetype end = text.indexOf(u';', pos);
            value = text.sliced(pos, (end < 0 ? text.size() : end) - pos).trimmed().toString();
            pos = end < 0 ? text.size() : end + 1;
        }
        pairs.insert(key, value);
    }
    return pairs;
}

QString fail(QString *errorText, const QString &reason)
{
    if (errorText)
        *errorText = reason;
    return {};
}

} // namespace

QString PartnerConnectionString::text(QString *errorText) const
{
    if (usesServer(driver) && server.trimmed().isEmpty())
        return fail(errorText, QStringLiteral("サーバーを入力してください。"));
    if (usesServer(driver) && database.trimmed().isEmpty())
        return fail(errorText, QStringLiteral("データベースを入力してください。"));
    if (!usesServer(driver) && file.trimmed().isEmpty())
        return fail(errorText, QStringLiteral("ファイルを選んでください。"));
    switch (driver) {
    case Driver::SqlServer: {
        // UTF-8 between FreeTDS and the program; the server's own code page is FreeTDS's business.
        QString result = QStringLiteral("Provider=ODBC;Driver=FreeTDS;Server=") + odbcValue(server.trimmed());
        if (port > 0)
            result += QStringLiteral(";Port=") + QString::number(port);
        return result + QStringLiteral(";Database=") + odbcValue(database.trimmed()) +
               QStringLiteral(";TDS_Version=7.4;ClientCharset=UTF-8");
    }
    case Driver::AccessFile:
        return QStringLiteral("Provider=ODBC;Driver=MDBTools;DBQ=") + odbcValue(file.trimmed());
    case Driver::PostgreSQL: {
        DbConnectionString parts;
        parts.kind = DbKind::PostgreSQL;
        parts.host = server.trimmed();
        parts.port = port > 0 ? port : -1;
        parts.database = database.trimmed();
        return parts.text();
    }
    case Driver::SQLite:
        return QStringLiteral("Provider=SQLite;Data Source=") + file.trimmed();
    }
    return {};
}

std::optional<PartnerConnectionString> PartnerConnectionString::parse(const QString &text)
{
    const std::optional<DbConnectionString> parts = DbConnectionString::parse(text);
    if (!parts)
        return std::nullopt;
    PartnerConnectionString result;
    switch (parts->kind) {
    case DbKind::SQLite:
        result.driver = Driver::SQLite;
        result.file = parts->file;
        return result;
    case DbKind::PostgreSQL:
        result.driver = Driver::PostgreSQL;
        result.server = parts->host;
        result.port = qMax(parts->port, 0);
        result.database = parts->database;
        return result;
    case DbKind::Odbc:
        break;
    }
    const QHash<QString, QString> pairs = odbcPairs(parts->odbc);
    const QString driver = pairs.value(QStringLiteral("driver"));
    if (driver.compare(u"FreeTDS", Qt::CaseInsensitive) == 0) {
        result.driver = Driver::SqlServer;
        result.server = pairs.value(QStringLiteral("server"));
        result.port = pairs.value(QStringLiteral("port")).toInt();
        result.database = pairs.value(QStringLiteral("database"));
        return result;
    }
    if (driver.compare(u"MDBTools", Qt::CaseInsensitive) == 0) {
        result.driver = Driver::AccessFile;
        result.file = pairs.value(QStringLiteral("dbq"));
        return result;
    }
    return std::nullopt;
}
