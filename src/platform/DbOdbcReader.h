#pragma once

#include <QString>

class DbQuery;
class DbRows;

// Reads the rows of a statement on an ODBC connection through Qt's driver,
// value by value: the partner databases are small and only read, so the
// plain way serves. Each column takes its kind from the type the driver
// reports for it.
namespace DbOdbcReader {

[[nodiscard]] bool read(const DbQuery &query, DbRows &rows, QString &errorText);

} // namespace DbOdbcReader
