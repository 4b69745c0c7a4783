#pragma once

#include <QString>

class DbQuery;
class DbRows;

// Reads the rows of a statement on a SQLite connection straight through the
// SQLite library on the connection's own handle: this keeps reading large
// result sets close to the speed of the library, and gives the declared
// column types, which tell date columns from text.
namespace DbSqliteReader {

[[nodiscard]] bool read(const DbQuery &query, DbRows &rows, QString &errorText);

} // namespace DbSqliteReader
