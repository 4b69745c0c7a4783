#pragma once

#include "platform/DbConnectionString.h"

#include <QSqlDatabase>
#include <QString>

// A connection to the main database (SQLite or PostgreSQL), opened from a
// connection string with the user and password given apart. Each connection
// has a Qt connection name of its own, released on close.
//
// Transactions nest: the outermost begin starts a transaction, each inner one
// a savepoint, so that an inner rollback undoes only its own part. Queries
// and data sets refer to their connection, which must outlive them.
class DbConnection
{
public:
    // Existing: a SQLite file that is missing fails to open (a mistyped path
    // must not yield a new empty database). Create: it is created.
    enum class OpenMode { Existing, Create };

    DbConnection();
    ~DbConnection();
    DbConnection(const DbConnection &) = delete;
    DbConnection &operator=(const DbConnection &) = delete;

    // Closes any open connection first. False with the reason in errorText
    // for a bad connection string, a driver that does not load, or a
    // database that cannot be opened.
    [[nodiscard]] bool open(const QString &connectionString, const QString &user = {}, const QString &password = {},
                            OpenMode mode = OpenMode::Existing);
    // Rolls back an open transaction, then releases the connection.
    void close();

    [[nodiscard]] bool isOpen() const { return m_db.isOpen(); }
    [[nodiscard]] DbKind kind() const { return m_kind; }
    [[nodiscard]] const QString &errorText() const { return m_errorText; }

    // Write: the outermost level takes the database's write lock at once
    // (SQLite's BEGIN IMMEDIATE), so that what it reads before writing
    // cannot change under it; PostgreSQL locks rows by the statements
    // themselves (see lockRowsClause). Inner levels ignore the mode.
    enum class TransactionMode { Read, Write };

    [[nodiscard]] bool beginTransaction(TransactionMode mode = TransactionMode::Read);
    // Commits the innermost level. A failed outermost commit rolls back.
    [[nodiscard]] bool commit();
    // Rolls back the innermost level; the depth drops even when the
    // database reports an error (which is logged and kept in errorText).
    bool rollback();
    [[nodiscard]] int transactionDepth() const { return m_depth; }
    [[nodiscard]] bool inTransaction() const { return m_depth > 0; }

    // " FOR UPDATE" on PostgreSQL, to end a SELECT whose rows the
    // transaction writes on; empty on SQLite, where a Write transaction
    // holds the whole file.
    [[nodiscard]] QString lockRowsClause() const;
    // Inside a Write transaction: keeps other connections from writing the
    // table (they may still read it) until the transaction ends, so that
    // rows it counts cannot appear under it. SQLite's Write transaction
    // holds the whole file already. table is a name of the code's own.
    [[nodiscard]] bool lockTableForWriting(const QString &table);

    // The Qt connection, for the database layer's own classes.
    [[nodiscard]] QSqlDatabase sqlDatabase() const { return m_db; }

private:
    bool execInternal(const QString &sql);
    bool fail(const QString &reason);

    QString m_name;
    QSqlDatabase m_db;
    DbKind m_kind = DbKind::SQLite;
    int m_depth = 0;
    QString m_errorText;
};
