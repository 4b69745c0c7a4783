#include "platform/DbConnection.h"

#include "platform/DbClientLibrary.h"
#include "platform/DbLog.h"
#include "platform/DbSql.h"
#include "platform/DbSqliteReader.h"
#include "platform/RaceSeam.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>

Q_LOGGING_CATEGORY(lcDb, "tamsolen.platform.db", QtWarningMsg)

namespace {

// How long a SQLite connection waits for another's lock.
constexpr int BusyTimeoutMs = 5000;

QString uniqueConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("tamsolen-db-%1").arg(++counter);
}

QString driverName(DbKind kind)
{
    switch (kind) {
    case DbKind::SQLite:
        return QStringLiteral("QSQLITE");
    case DbKind::PostgreSQL:
        return QStringLiteral("QPSQL");
    case DbKind::Odbc:
        return QStringLiteral("QODBC");
    }
    return {};
}

QString savepointName(int depth)
{
    return QStringLiteral("tamsolen_level_%1").arg(depth);
}

} // namespace

DbConnection::DbConnection() : m_name(uniqueConnectionName()) {}

DbConnection::~DbConnection()
{
    close();
}

bool DbConnection::fail(const QString &reason)
{
    m_errorText = reason;
    return false;
}

bool DbConnection::open(const QString &connectionString, const QString &user, const QString &password, OpenMode mode)
{
    close();
    m_errorText.clear();
    m_connectionString = connectionString;
    m_user = user;
    m_password = password;
    QString reason;
    const std::optional<DbConnectionString> parts = DbConnectionString::parse(connectionString, &reason);
    if (!parts)
        return fail(reason);
    m_kind = parts->kind;

    const QString driver = driverName(m_kind);
    if (!QSqlDatabase::isDriverAvailable(driver))
        return fail(QStringLiteral("the Qt SQL driver %1 is not available").arg(driver));

    m_db = QSqlDatabase::addDatabase(driver, m_name);
    if (m_kind == DbKind::SQLite) {
        if (mode == OpenMode::Existing && !QFileInfo(parts->file).isFile()) {
            close();
            return fail(QStringLiteral("database file not found: %1").arg(parts->file));
        }
        m_db.setDatabaseName(parts->file);
        // Several programs may share the file; wait for a writer rather than fail at once.
        m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
    } else if (m_kind == DbKind::PostgreSQL) {
        m_db.setHostName(parts->host);
        if (parts->port > 0)
            m_db.setPort(parts->port);
        m_db.setDatabaseName(parts->database);
        // An unreachable server must not hang the start-up.
        m_db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    } else {
        // The partner's database is only read; an unreachable server must not hang the program.
        m_db.setDatabaseName(parts->odbc);
        m_db.setConnectOptions(QStringLiteral("SQL_ATTR_ACCESS_MODE=SQL_MODE_READ_ONLY;SQL_ATTR_LOGIN_TIMEOUT=10"));
    }
    if (!m_db.open(user, password)) {
        const QString error = m_db.lastError().text();
        close();
        return fail(error.trimmed().isEmpty() ? QStringLiteral("the database could not be opened") : error);
    }
    m_clientLibraryShared = DbClientLibrary::sharedWith(*m_db.driver(), m_kind);
    if (m_kind == DbKind::SQLite) {
        // SQLite reads the file only when asked: a file that is no database
        // must fail here, not at the first query.
        // Foreign keys are off in SQLite unless each connection asks.
        if (!execInternal(QStringLiteral("SELECT COUNT(*) FROM sqlite_master")) ||
            !execInternal(QStringLiteral("PRAGMA foreign_keys = ON")) ||
            // Searches over the whole register read many pages: keep them
            // (64 MB). The file is not mapped: it may lie on a network share.
            !execInternal(QStringLiteral("PRAGMA cache_size = -65536"))) {
            const QString error = m_errorText;
            close();
            return fail(error);
        }
        if (m_clientLibraryShared)
            DbSqliteReader::setBusyWait(*this, BusyTimeoutMs);
    } else if (m_kind == DbKind::PostgreSQL) {
        // Dates are read from the server's text output, in ISO form; notices
        // (such as those of a cascading drop) are no one's business.
        bool ok = execInternal(QStringLiteral("SET DateStyle TO 'ISO, YMD'")) &&
                  execInternal(QStringLiteral("SET client_min_messages TO WARNING"));
        if (ok && !parts->schema.isEmpty())
            ok = execInternal(QStringLiteral("SET search_path TO ") + parts->schema);
        if (!ok) {
            const QString error = m_errorText;
            close();
            return fail(error);
        }
    }
    return true;
}

void DbConnection::close()
{
    if (m_db.isOpen() && m_depth > 0)
        m_db.rollback();
    m_depth = 0;
    m_lost = false;
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
}

bool DbConnection::execInternal(const QString &sql)
{
    QSqlQuery query(m_db);
    if (query.exec(sql))
        return true;
    return fail(query.lastError().text());
}

bool DbConnection::run(QStringView sql, bool readAgain, const std::function<bool(QString &)> &statement,
                       QString &errorText)
{
    // A connection lost with a server restart shows only when it is used:
    // a lone write sent on it would fail, and could not be sent again.
    if (m_kind == DbKind::PostgreSQL && m_depth == 0 && DbSql::writesRows(sql))
        return runInOwnTransaction(statement, errorText);
    return runOnce(readAgain && DbSql::onlyReads(sql), statement, errorText);
}

bool DbConnection::runOnce(bool runAgain, const std::function<bool(QString &)> &statement, QString &errorText)
{
    if (m_lost && m_depth == 0 && !reopen()) {
        errorText = m_errorText;
        return false;
    }
    if (!isOpen()) {
        errorText = QStringLiteral("the connection is not open");
        return false;
    }
    if (statement(errorText))
        return true;
    // A SQLite file is not lost; a transaction's rollback tells (see rollback).
    if (m_kind != DbKind::PostgreSQL || m_depth > 0 || answers())
        return false;
    qCWarning(lcDb) << "the connection to the server was lost:" << errorText;
    if (!reopen() || !runAgain)
        return false;
    return statement(errorText);
}

bool DbConnection::runInOwnTransaction(const std::function<bool(QString &)> &statement, QString &errorText)
{
    if (!beginTransaction()) {
        errorText = m_errorText;
        return false;
    }
    if (!statement(errorText)) {
        rollback();
        return false;
    }
    if (!commit()) {
        errorText = m_errorText;
        return false;
    }
    return true;
}

bool DbConnection::answers()
{
    // Qt's driver may have seen the connection go already.
    if (!m_db.isOpen())
        return false;
    QSqlQuery probe(m_db);
    return probe.exec(QStringLiteral("SELECT 1"));
}

bool DbConnection::reopen()
{
    const QString connectionString = m_connectionString;
    const QString user = m_user;
    const QString password = m_password;
    m_lost = !open(connectionString, user, password);
    if (m_lost)
        qCWarning(lcDb) << "the connection could not be opened again:" << m_errorText;
    return !m_lost;
}

bool DbConnection::beginTransaction(TransactionMode mode)
{
    if (m_depth > 0) {
        if (!isOpen())
            return fail(QStringLiteral("the connection is not open"));
        if (!execInternal(QStringLiteral("SAVEPOINT ") + savepointName(m_depth)))
            return false;
        ++m_depth;
        return true;
    }
    if (mode == TransactionMode::Write)
        RaceSeam::pass();
    // Nothing is written before the transaction begins: on a connection
    // that was lost it begins on the connection opened again.
    QString error;
    const bool begun = runOnce(
        true,
        [&](QString &reason) {
            QSqlQuery query(m_db);
            if (mode == TransactionMode::Write && m_kind == DbKind::SQLite) {
                if (query.exec(QStringLiteral("BEGIN IMMEDIATE")))
                    return true;
                reason = query.lastError().text();
                return false;
            }
            if (m_db.transaction())
                return true;
            reason = m_db.lastError().text();
            return false;
        },
        error);
    if (!begun)
        return fail(error);
    m_depth = 1;
    return true;
}

QString DbConnection::lockRowsClause() const
{
    return m_kind == DbKind::PostgreSQL ? QStringLiteral(" FOR UPDATE") : QString();
}

bool DbConnection::lockTableForWriting(const QString &table)
{
    if (m_depth == 0)
        return fail(QStringLiteral("no transaction is open"));
    if (m_kind != DbKind::PostgreSQL)
        return true;
    // Conflicts with itself and with every writer, not with readers.
    return execInternal(QStringLiteral("LOCK TABLE %1 IN SHARE ROW EXCLUSIVE MODE").arg(table));
}

bool DbConnection::commit()
{
    if (m_depth == 0)
        return fail(QStringLiteral("no transaction is open"));
    if (m_depth > 1) {
        if (!execInternal(QStringLiteral("RELEASE SAVEPOINT ") + savepointName(m_depth - 1))) {
            const QString error = m_errorText;
            rollback();
            return fail(error);
        }
        --m_depth;
        return true;
    }
    if (!m_db.commit()) {
        const QString error = m_db.lastError().text();
        rollback();
        return fail(error);
    }
    m_depth = 0;
    return true;
}

bool DbConnection::rollback()
{
    if (m_depth == 0)
        return fail(QStringLiteral("no transaction is open"));
    bool ok = true;
    if (m_depth > 1) {
        const QString savepoint = savepointName(m_depth - 1);
        ok = execInternal(QStringLiteral("ROLLBACK TO SAVEPOINT ") + savepoint) &&
             execInternal(QStringLiteral("RELEASE SAVEPOINT ") + savepoint);
    } else if (!m_db.rollback()) {
        ok = fail(m_db.lastError().text());
        // Only a lost connection refuses a rollback.
        m_lost = m_kind == DbKind::PostgreSQL;
    }
    --m_depth;
    if (!ok)
        qCWarning(lcDb) << "rollback failed:" << m_errorText;
    return ok;
}
