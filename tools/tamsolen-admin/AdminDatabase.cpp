#include "AdminDatabase.h"

#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "platform/DbSchema.h"
#include "platform/DbSql.h"
#include "platform/DbTransaction.h"
#include "platform/StaleTemporaries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QTemporaryFile>

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

// The tables, then what fill adds.
bool build(DbConnection &connection, const DbConnectionString &parts, const AdminDatabase::Fill &fill,
           QString &errorText)
{
    if (!parts.schema.isEmpty()) {
        DbQuery createSchema(connection, QStringLiteral("CREATE SCHEMA IF NOT EXISTS ") + parts.schema);
        if (!exec(createSchema, errorText))
            return false;
    }
    return DbSchema::apply(connection, AdminDatabase::schema(connection), errorText) &&
           (!fill || fill(connection, errorText));
}

// Removes the temporary file and its journal unless it was renamed.
class TemporaryDatabase
{
public:
    explicit TemporaryDatabase(QString fileName) : m_fileName(std::move(fileName)) {}
    ~TemporaryDatabase()
    {
        if (m_fileName.isEmpty())
            return;
        QFile::remove(m_fileName);
        QFile::remove(m_fileName + QStringLiteral("-journal"));
    }
    TemporaryDatabase(const TemporaryDatabase &) = delete;
    TemporaryDatabase &operator=(const TemporaryDatabase &) = delete;

    [[nodiscard]] const QString &fileName() const { return m_fileName; }
    // Refuses to replace a file that is there.
    [[nodiscard]] bool renameTo(const QString &target, QString &errorText)
    {
        QFile file(m_fileName);
        if (!file.rename(target))
            return fail(errorText,
                        QStringLiteral("cannot rename %1 to %2: %3").arg(m_fileName, target, file.errorString()));
        m_fileName.clear();
        return true;
    }

private:
    QString m_fileName;
};

// Builds the new SQLite file under a temporary name beside it and renames it
// into place only when complete, so that a create killed part-way leaves no
// half-built database under the target's name.
bool createSqlite(DbConnectionString parts, const AdminDatabase::Fill &fill, QString &errorText)
{
    const QFileInfo target(parts.file);
    if (!QDir().mkpath(target.absolutePath()))
        return fail(errorText, QStringLiteral("cannot create the folder of %1").arg(parts.file));
    // Every create of this file holds the lock, so temporaries found under it were left by a killed one.
    QLockFile lock(parts.file + QStringLiteral(".lock"));
    if (!StaleTemporaries::lock(lock, 10000))
        return fail(errorText, QStringLiteral("%1 is being created by another program").arg(parts.file));
    if (target.exists())
        return fail(errorText, QStringLiteral("%1 exists already").arg(parts.file));
    StaleTemporaries::remove(target.absolutePath(), QRegularExpression::escape(target.fileName()));

    QTemporaryFile reserved(StaleTemporaries::nameTemplate(parts.file));
    reserved.setAutoRemove(false);
    if (!reserved.open())
        return fail(errorText,
                    QStringLiteral("cannot create a file beside %1: %2").arg(parts.file, reserved.errorString()));
    TemporaryDatabase temporary(reserved.fileName());
    // SQLite opens the file itself; a second descriptor closed later would drop its locks.
    reserved.close();
    {
        const QString file = std::exchange(parts.file, temporary.fileName());
        DbConnection connection;
        if (!connection.open(parts.text(), {}, {}))
            return fail(errorText, connection.errorText());
        if (!build(connection, parts, fill, errorText))
            return false;
        parts.file = file;
    }
    return temporary.renameTo(parts.file, errorText);
}

bool hasSlotKey(DbConnection &connection, bool &has, QString &errorText)
{
    DbDataSet keys;
    const QString sql =
        connection.kind() == DbKind::SQLite
            ? QStringLiteral("SELECT \"table\" AS Target FROM pragma_foreign_key_list('Schedule')")
            : QStringLiteral("SELECT constraint_name AS Target FROM information_schema.table_constraints "
                             "WHERE table_schema = current_schema() AND table_name = 'schedule' AND "
                             "constraint_type = 'FOREIGN KEY'");
    if (!keys.open(DbQuery(connection, sql)))
        return fail(errorText, keys.errorText());
    has = !keys.isEmpty();
    return true;
}

// SQLite adds a foreign key only with the table: the bookings move into a
// table made from the current schema, keeping their keys and the key counter.
bool rebuildSqliteSchedule(DbConnection &connection, QString &errorText)
{
    QString create;
    for (const QString &statement : DbSchema::statements(AdminDatabase::schema(connection))) {
        if (statement.contains(QStringLiteral("CREATE TABLE Schedule ")))
            create = statement;
    }
    if (create.isEmpty())
        return fail(errorText, QStringLiteral("the schema has no Schedule table"));
    const QStringList steps = {
        create.replace(QStringLiteral("CREATE TABLE Schedule "), QStringLiteral("CREATE TABLE ScheduleUpgrade ")),
        QStringLiteral("INSERT INTO ScheduleUpgrade (ScheduleNo, WorkingNo, CureNo, Comment, CreateDate) "
                       "SELECT ScheduleNo, WorkingNo, CureNo, Comment, CreateDate FROM Schedule"),
        QStringLiteral("CREATE TEMP TABLE ScheduleCounter AS SELECT seq FROM sqlite_sequence WHERE name = 'Schedule'"),
        QStringLiteral("DROP TABLE Schedule"),
        QStringLiteral("ALTER TABLE ScheduleUpgrade RENAME TO Schedule"),
        QStringLiteral("UPDATE sqlite_sequence SET seq = MAX(seq, (SELECT seq FROM ScheduleCounter)) "
                       "WHERE name = 'Schedule' AND EXISTS (SELECT 1 FROM ScheduleCounter)"),
        QStringLiteral("INSERT INTO sqlite_sequence (name, seq) SELECT 'Schedule', seq FROM ScheduleCounter "
                       "WHERE NOT EXISTS (SELECT 1 FROM sqlite_sequence WHERE name = 'Schedule')"),
        QStringLiteral("DROP TABLE ScheduleCounter"),
        QStringLiteral("CREATE INDEX ScheduleUser ON Schedule (CureNo)"),
    };
    for (const QString &step : steps) {
        DbQuery query(connection, step);
        if (!exec(query, errorText))
            return false;
    }
    return true;
}

// Removes the bookings of deleted slots and gives the others the key to
// their slot.
bool addSlotKey(DbConnection &connection, int &removedBookings, QString &errorText)
{
    DbQuery orphans(connection, QStringLiteral("DELETE FROM Schedule WHERE WorkingNo NOT IN (SELECT ReserveNo FROM "
                                               "TimeTable)"));
    if (!exec(orphans, errorText))
        return false;
    removedBookings = orphans.rowsAffected();
    if (connection.kind() == DbKind::SQLite)
        return rebuildSqliteSchedule(connection, errorText);
    DbQuery key(connection, QStringLiteral("ALTER TABLE Schedule ADD FOREIGN KEY (WorkingNo) REFERENCES "
                                           "TimeTable (ReserveNo) ON DELETE CASCADE"));
    return exec(key, errorText);
}

// Creates the indexes of the current schema that the database lacks.
bool addMissingIndexes(DbConnection &connection, QString &errorText)
{
    const QString create = QStringLiteral("CREATE INDEX ");
    for (const QString &statement : DbSchema::statements(AdminDatabase::schema(connection))) {
        const qsizetype at = statement.indexOf(create);
        if (at < 0)
            continue;
        DbQuery query(connection, create + QStringLiteral("IF NOT EXISTS ") + statement.mid(at + create.size()));
        if (!exec(query, errorText))
            return false;
    }
    return true;
}

} // namespace

namespace AdminDatabase {

QString schema(const DbConnection &connection)
{
    QFile file(QStringLiteral(":/db/") + DbSchema::fileName(connection.kind()));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool create(const QString &connectionString, const QString &user, const QString &password, QString &errorText,
            const Fill &fill)
{
    const std::optional<DbConnectionString> parts = DbConnectionString::parse(connectionString, &errorText);
    if (!parts)
        return false;
    if (parts->kind == DbKind::Odbc)
        return fail(errorText,
                    QStringLiteral("the main database is SQLite or PostgreSQL; ODBC is for the partner link"));
    if (parts->kind == DbKind::SQLite)
        return createSqlite(*parts, fill, errorText);
    DbConnection connection;
    if (!connection.open(connectionString, user, password)) {
        if (!createPostgresDatabase(*parts, user, password, errorText))
            return false;
        if (!connection.open(connectionString, user, password))
            return fail(errorText, connection.errorText());
    }
    return build(connection, *parts, fill, errorText);
}

bool isStaffCode(const QString &text, int &code)
{
    bool ok = false;
    code = text.toInt(&ok);
    return ok && code >= 1;
}

bool upgrade(DbConnection &connection, int &removedBookings, QString &errorText)
{
    removedBookings = 0;
    // The key is looked for under the lock, so that an upgrade run at the
    // same time from another machine does not add it twice.
    DbTransaction transaction(connection, true);
    if (!transaction.isActive() || !connection.lockTableForWriting(QStringLiteral("Schedule")))
        return fail(errorText, connection.errorText());
    bool keyed = false;
    if (!hasSlotKey(connection, keyed, errorText))
        return false;
    if (!keyed && !addSlotKey(connection, removedBookings, errorText))
        return false;
    if (!addMissingIndexes(connection, errorText))
        return false;
    return transaction.commit() || fail(errorText, connection.errorText());
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
