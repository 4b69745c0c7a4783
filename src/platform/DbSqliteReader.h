#pragma once

#include "platform/DbValue.h"

#include <QByteArrayView>
#include <QString>

#include <memory>

class DbConnection;
class DbQuery;
class DbRows;
struct sqlite3_stmt;

// Reads the rows of a statement on a SQLite connection straight through the
// SQLite library on the connection's own handle: this keeps reading large
// result sets close to the speed of the library, and gives the declared
// column types, which tell date columns from text. Used where Qt's driver
// runs on the SQLite library the program links (DbClientLibrary).
namespace DbSqliteReader {

[[nodiscard]] bool read(const DbQuery &query, DbRows &rows, QString &errorText);

// The kind of a column from its declared type ("VARCHAR(40)", "TIMESTAMP"),
// after SQLite's own affinity rules, with dates and Booleans told apart by
// name; Null for none (an expression), whose values keep their own kinds.
[[nodiscard]] DbType declaredType(QByteArrayView declared);

// Runs a statement that returns no rows with the query's bindings, keeping it
// prepared in kept for the next run of the same query.
[[nodiscard]] bool execute(const DbQuery &query, std::shared_ptr<sqlite3_stmt> &kept, int &rowsAffected,
                           QString &errorText);

// Lets the connection wait for another connection's lock in steps of a
// millisecond, up to the timeout, in place of SQLite's own back-off, whose
// sleeps grow to 100 ms: with many workstations writing, a wait then ends
// soon after the lock is free. False when the connection has no handle.
bool setBusyWait(const DbConnection &connection, int timeoutMs);

} // namespace DbSqliteReader
