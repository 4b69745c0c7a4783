#pragma once

#include <QString>

class DbConnection;
class DbQuery;
class DbRows;

// Reads the rows of a statement on a SQLite connection straight through the
// SQLite library on the connection's own handle: this keeps reading large
// result sets close to the speed of the library, and gives the declared
// column types, which tell date columns from text.
namespace DbSqliteReader {

[[nodiscard]] bool read(const DbQuery &query, DbRows &rows, QString &errorText);

// Lets the connection wait for another connection's lock in steps of a
// millisecond, up to the timeout, in place of SQLite's own back-off, whose
// sleeps grow to 100 ms: with many workstations writing, a wait then ends
// soon after the lock is free. False when the connection has no handle.
bool setBusyWait(const DbConnection &connection, int timeoutMs);

} // namespace DbSqliteReader
