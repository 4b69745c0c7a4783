#include "AdminDatabase.h"

#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "platform/DbSchema.h"
#include "platform/DbSql.h"

#include <QFile>
#include <QFileInfo>

namespace {

bool fail(QString &errorText, const QString &reason)
{
    errorText = reason;
    return false;
}

bool fits(const QString &text, int limit, const QString &what, QString &errorText)
{
    if (text.size() <= limit)
        return true;
    return fail(errorText, QStringLiteral("%1 takes at most %2 characters: %3").arg(what).arg(limit).arg(text));
}

bool exec(DbQuery &query, QString &errorText)
{
    return query.exec() || fail(errorText, query.errorText());
}

// Creates a PostgreSQL database through the server's maintenance database.
bool createPostgresDatabase(DbConnectionString parts, const QString &user, const QString &password, QString &errorText)
{
    const QString name = parts.database;
    if (!DbSql::isIdentifier(name))
        return fail(errorText, QStringLiteral("a new database needs a plain name (letters, digits, _): %1").arg(name));
    parts.database = QStringLiteral("postgres");
    parts.schema.clear();
    DbConnection server;
    if (!server.open(parts.text(), user, password))
        return fail(errorText, server.errorText());
    // Quoted, so that the server keeps the name as the connection string has it.
    DbQuery create(server, QStringLiteral("CREATE DATABASE \"%1\"").arg(name));
    return exec(create, errorText);
}

} // namespace

namespace AdminDatabase {

QString schema(const DbConnection &connection)
{
    QFile file(QStringLiteral(":/db/") + DbSchema::fileName(connection.kind()));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool create(const QString &connectionString, const QString &user, const QString &password, QString &errorText)
{
    const std::optional<DbConnectionString> parts = DbConnectionString::parse(connectionString, &errorText);
    if (!parts)
        return false;
    DbConnection connection;
    if (parts->kind == DbKind::SQLite) {
        if (QFileInfo::exists(parts->file))
            return fail(errorText, QStringLiteral("%1 exists already").arg(parts->file));
        if (!connection.open(connectionString, user, password, DbConnection::OpenMode::Create))
            return fail(errorText, connection.errorText());
    } else if (!connection.open(connectionString, user, password)) {
        if (!createPostgresDatabase(*parts, user, password, errorText))
            return false;
        if (!connection.open(connectionString, user, password))
            return fail(errorText, connection.errorText());
    }
    if (!parts->schema.isEmpty()) {
        DbQuery createSchema(connection, QStringLiteral("CREATE SCHEMA IF NOT EXISTS ") + parts->schema);
        if (!exec(createSchema, errorText))
            return false;
    }
    const bool created = DbSchema::apply(connection, schema(connection), errorText);
    if (!created && parts->kind == DbKind::SQLite) {
        connection.close();
        QFile::remove(parts->file);
    }
    return created;
}

bool addStaff(DbConnection &connection, int code, const QString &name, const QString &mark, QString &errorText)
{
    if (!fits(name, 30, QStringLiteral("a staff name"), errorText) ||
        !fits(mark, 4, QStringLiteral("a staff mark"), errorText))
        return false;
    DbQuery insert(connection, QStringLiteral("INSERT INTO KaigoStuff (CD, StuffName, KIGO) VALUES (?, ?, ?)"));
    insert.addBind(code).addBind(name).addBind(mark);
    return exec(insert, errorText);
}

bool addLogin(DbConnection &connection, const QString &user, const QString &password, const QString &name,
              QString &errorText)
{
    if (user.isEmpty() || password.isEmpty())
        return fail(errorText, QStringLiteral("a login needs a user name and a password"));
    if (!fits(user, 255, QStringLiteral("a user name"), errorText) ||
        !fits(password, 255, QStringLiteral("a password"), errorText) ||
        !fits(name, 255, QStringLiteral("a login name"), errorText))
        return false;
    DbQuery insert(connection,
                   QStringLiteral("INSERT INTO LoginUser (STAFF_CD, PASS_WORD, LoginNAME) VALUES (?, ?, ?)"));
    insert.addBind(user).addBind(password).addBind(name);
    return exec(insert, errorText);
}

bool setFacility(DbConnection &connection, const QString &name, QString &errorText)
{
    if (!fits(name, 60, QStringLiteral("a facility name"), errorText))
        return false;
    DbDataSet facilities;
    facilities.setUpdateTable(QStringLiteral("Facilities"), QStringLiteral("ID"));
    if (!facilities.open(DbQuery(connection, QStringLiteral("SELECT ID, FACILITIES_NAME FROM Facilities ORDER BY ID"))))
        return fail(errorText, facilities.errorText());
    if (!(facilities.isEmpty() ? facilities.append() : facilities.edit()))
        return fail(errorText, facilities.errorText());
    facilities.setValue(u"FACILITIES_NAME", name);
    return facilities.post() || fail(errorText, facilities.errorText());
}

} // namespace AdminDatabase
