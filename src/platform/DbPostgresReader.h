#pragma once

#include <QString>

class DbQuery;
class DbRows;

// Reads the rows of a statement on a PostgreSQL connection. Qt runs the
// statement; the values are then taken from the client library's result as
// the server wrote them, since Qt's driver turns a timestamp into local time
// (and a wall-clock time that local time skips becomes invalid). Used where
// Qt's driver runs on the libpq the program links (DbClientLibrary).
namespace DbPostgresReader {

[[nodiscard]] bool read(const DbQuery &query, DbRows &rows, QString &errorText);

} // namespace DbPostgresReader
