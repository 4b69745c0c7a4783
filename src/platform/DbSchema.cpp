#include "platform/DbSchema.h"

#include "platform/DbConnection.h"
#include "platform/DbQuery.h"
#include "platform/DbTransaction.h"

#include <QFile>

namespace DbSchema {

QString fileName(DbKind kind)
{
    return kind == DbKind::SQLite ? QStringLiteral("sqlite.sql") : QStringLiteral("postgresql.sql");
}

QStringList statements(QStringView script)
{
    QStringList result;
    QString current;
    bool hasCode = false;
    QChar quote;
    for (qsizetype i = 0; i < script.size(); ++i) {
        const QChar c = script[i];
        if (!quote.isNull()) {
            current += c;
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == u'-' && i + 1 < script.size() && script[i + 1] == u'-') {
            while (i < script.size() && script[i] != u'\n')
                ++i;
            current += u'\n';
            continue;
        }
        if (c == u';') {
            if (hasCode)
                result.append(current.trimmed());
            current.clear();
            hasCode = false;
            continue;
        }
        if (c == u'\'' || c == u'"')
            quote = c;
        hasCode = hasCode || !c.isSpace();
        current += c;
    }
    if (hasCode)
        result.append(current.trimmed());
    return result;
}

bool apply(DbConnection &connection, QStringView script, QString &errorText)
{
    DbTransaction transaction(connection);
    if (!transaction.isActive()) {
        errorText = connection.errorText();
        return false;
    }
    for (const QString &statement : statements(script)) {
        DbQuery query(connection, statement);
        if (!query.exec()) {
            errorText = QStringLiteral("%1\nin: %2").arg(query.errorText(), statement);
            return false;
        }
    }
    if (!transaction.commit()) {
        errorText = connection.errorText();
        return false;
    }
    return true;
}

bool applyFile(DbConnection &connection, const QString &path, QString &errorText)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        errorText = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return apply(connection, QString::fromUtf8(file.readAll()), errorText);
}

} // namespace DbSchema
