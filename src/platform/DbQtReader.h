#pragma once

#include <QString>

class DbQuery;
class DbRows;

// Reads the rows of a statement through Qt's driver alone, value by value:
// the way for the partner databases on ODBC, which are small and only
// read, and for SQLite and PostgreSQL when Qt's driver runs on a client
// library other than the program's (DbClientLibrary). Each column takes its
// kind from its declared type, as on the direct ways: the type the driver
// reports for it, and on SQLite, whose driver reports dates as text, the
// type its table declares for it (DbSqliteReader::declaredType).
namespace DbQtReader {

[[nodiscard]] bool read(const DbQuery &query, DbRows &rows, QString &errorText);

} // namespace DbQtReader
