#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <span>

class DbConnection;
class DbQuery;
class DbValue;
struct pg_conn;

// Appends many rows to one table in few round trips. On PostgreSQL the rows
// go to the server as one COPY through the client library on the
// connection's own handle (Qt's driver would format every parameter of
// every row into the statement text); elsewhere, and where Qt's driver
// runs on a library of its own (DbClientLibrary), one INSERT is kept
// prepared and run for each row. Values are data only, never SQL; the
// table and column names are the program's own.
//
// Runs inside the caller's transaction: a row the database refuses may be
// reported only by finish(), and whatever was written before it stays
// until the caller rolls back.
class DbBulkInsert
{
public:
    DbBulkInsert(DbConnection &connection, const QString &table, const QStringList &columns);
    // An unfinished COPY is ended as failed, so the server keeps none of it.
    ~DbBulkInsert();
    DbBulkInsert(const DbBulkInsert &) = delete;
    DbBulkInsert &operator=(const DbBulkInsert &) = delete;

    // Writes a row, one value per column in their order; false with the
    // reason in errorText, after which nothing more is written.
    [[nodiscard]] bool add(std::span<const DbValue> row);
    // Ends the rows; false when the database refused any of them.
    [[nodiscard]] bool finish();

    [[nodiscard]] const QString &errorText() const { return m_errorText; }

private:
    bool fail(const QString &reason);
    bool startCopy();
    bool sendCopied();
    void abortCopy(const QString &reason);

    QString m_table;
    QStringList m_columns;
    // PostgreSQL: the connection, the rows not yet sent, whether COPY runs.
    pg_conn *m_pg = nullptr;
    QByteArray m_copied;
    bool m_copying = false;
    // Other databases: the kept INSERT.
    std::unique_ptr<DbQuery> m_insert;
    bool m_failed = false;
    QString m_errorText;
};
