#pragma once

#include "platform/DbConnectionString.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>

// A connection to the main database (SQLite or PostgreSQL), opened from a
// connection string with the user and password given apart. Each connection
// has a Qt connection name of its own, released on close.
//
// Transactions nest: the outermost begin starts a transaction, each inner one
// a savepoint, so that an inner rollback undoes only its own part. Queries
// and data sets refer to their connection, which must outlive them.
//
// A PostgreSQL server may restart while the program runs: a connection that
// is lost is opened again with the settings it was opened with (see run).
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
    // Whether the layer's own classes use the client library the program
    // links on the handles of Qt's driver: checked at open (see
    // DbClientLibrary); otherwise every statement goes through the driver.
    [[nodiscard]] bool clientLibraryShared() const { return m_clientLibraryShared; }
    // Takes the way through Qt's driver alone until the next open, as for a
    // driver on a library of its own (for the tests of that way).
    void useQtDriverOnly() { m_clientLibraryShared = false; }

    // Runs a statement of the database layer's own classes: sql is its
    // text, and `statement` runs it and returns false with the reason in
    // errorText. When it fails on PostgreSQL outside a transaction because
    // the connection was lost, the connection is opened again, and a
    // statement that only reads runs once more unless readAgain is false
    // (a read that hands its rows over as they come). A statement that
    // writes rows never runs twice: outside a transaction on PostgreSQL it
    // runs in a transaction of its own, whose begin finds a lost connection
    // and opens it again before the write is sent; a write cut off on its
    // way fails, and the server rolls it back. A transaction cut off by a
    // lost connection fails as a whole, and the connection is opened again
    // before the next statement after it has ended.
    [[nodiscard]] bool run(QStringView sql, bool readAgain, const std::function<bool(QString &errorText)> &statement,
                           QString &errorText);

private:
    bool execInternal(const QString &sql);
    // run() without the own transaction: a statement that fails on a lost
    // connection runs once more on the connection opened again if runAgain.
    [[nodiscard]] bool runOnce(bool runAgain, const std::function<bool(QString &errorText)> &statement,
                               QString &errorText);
    [[nodiscard]] bool runInOwnTransaction(const std::function<bool(QString &errorText)> &statement,
                                           QString &errorText);
    bool fail(const QString &reason);
    // After a failed statement outside a transaction: whether the server
    // still answers on this connection.
    [[nodiscard]] bool answers();
    // Opens the connection again with the settings of the last open().
    [[nodiscard]] bool reopen();

    QString m_name;
    QSqlDatabase m_db;
    DbKind m_kind = DbKind::SQLite;
    bool m_clientLibraryShared = false;
    int m_depth = 0;
    QString m_errorText;
    // What the connection was opened with, to open it again when lost.
    QString m_connectionString;
    QString m_user;
    QString m_password;
    // The connection was lost: it is opened again before the next statement
    // outside a transaction.
    bool m_lost = false;
};
