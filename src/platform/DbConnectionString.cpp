#include "platform/DbConnectionString.h"

#include "platform/DbSql.h"

#include <QHash>
#include <QRegularExpression>

namespace {

std::optional<DbConnectionString> failure(QString *errorText, const QString &reason)
{
    if (errorText)
        *errorText = QStringLiteral("connection string: ") + reason;
    return std::nullopt;
}

} // namespace

std::optional<DbConnectionString> DbConnectionString::parse(QStringView text, QString *errorText)
{
    // An ODBC string has keys of its driver's and may hold ";" in braces: taken whole.
    static const QRegularExpression odbcProvider(QStringLiteral("^\\s*provider\\s*=\\s*odbc\\s*(;|$)"),
                                                 QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch match = odbcProvider.match(text); match.hasMatch()) {
        DbConnectionString result;
        result.kind = DbKind::Odbc;
        result.odbc = text.sliced(match.capturedEnd()).trimmed().toString();
        if (result.odbc.isEmpty())
            return failure(errorText, QStringLiteral("ODBC needs the driver's connection string"));
        return result;
    }
    static const QStringList keys = {QStringLiteral("provider"), QStringLiteral("data source"),
                                     QStringLiteral("host"),     QStringLiteral("port"),
                                     QStringLiteral("database"), QStringLiteral("schema")};
    QHash<QString, QString> values;
    for (QStringView part : text.split(u';', Qt::SkipEmptyParts)) {
        if (part.trimmed().isEmpty())
            continue;
        const qsizetype eq = part.indexOf(u'=');
        if (eq < 0)
            return failure(errorText, QStringLiteral("\"%1\" is not KEY=VALUE").arg(part.trimmed()));
        const QString key = part.first(eq).trimmed().toString().toLower();
        if (!keys.contains(key))
            return failure(errorText, QStringLiteral("unknown key \"%1\"").arg(part.first(eq).trimmed()));
        values.insert(key, part.sliced(eq + 1).trimmed().toString());
    }

    const QString provider = values.value(QStringLiteral("provider"));
    DbConnectionString result;
    if (provider.compare(u"SQLite", Qt::CaseInsensitive) == 0) {
        if (values.size() > 2 || !values.contains(QStringLiteral("data source")))
            return failure(errorText, QStringLiteral("SQLite takes \"Data Source\" alone"));
        result.kind = DbKind::SQLite;
        result.file = values.value(QStringLiteral("data source"));
        if (result.file.isEmpty())
            return failure(errorText, QStringLiteral("\"Data Source\" is empty"));
        return result;
    }
    if (provider.compare(u"PostgreSQL", Qt::CaseInsensitive) == 0) {
        if (values.contains(QStringLiteral("data source")))
            return failure(errorText, QStringLiteral("PostgreSQL takes no \"Data Source\""));
        result.kind = DbKind::PostgreSQL;
        result.host = values.value(QStringLiteral("host"));
        result.database = values.value(QStringLiteral("database"));
        result.schema = values.value(QStringLiteral("schema"));
        if (result.database.isEmpty())
            return failure(errorText, QStringLiteral("PostgreSQL needs \"Database\""));
        if (values.contains(QStringLiteral("port"))) {
            const QString port = values.value(QStringLiteral("port"));
            bool ok = false;
            result.port = port.toInt(&ok);
            if (!ok || result.port <= 0 || result.port > 65535)
                return failure(errorText, QStringLiteral("bad port \"%1\"").arg(port));
        }
        if (!result.schema.isEmpty() && !DbSql::isIdentifier(result.schema))
            return failure(errorText, QStringLiteral("bad schema name \"%1\"").arg(result.schema));
        return result;
    }
    if (provider.isEmpty())
        return failure(errorText, QStringLiteral("no provider"));
    return failure(errorText, QStringLiteral("unknown provider \"%1\"").arg(provider));
}

QString DbConnectionString::text() const
{
    if (kind == DbKind::Odbc)
        return QStringLiteral("Provider=ODBC;") + odbc;
    if (kind == DbKind::SQLite)
        return QStringLiteral("Provider=SQLite;Data Source=") + file;
    QString result = QStringLiteral("Provider=PostgreSQL");
    if (!host.isEmpty())
        result += QStringLiteral(";Host=") + host;
    if (port > 0)
        result += QStringLiteral(";Port=") + QString::number(port);
    result += QStringLiteral(";Database=") + database;
    if (!schema.isEmpty())
        result += QStringLiteral(";Schema=") + schema;
    return result;
}
