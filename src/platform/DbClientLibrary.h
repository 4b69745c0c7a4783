#pragma once

#include "platform/DbConnectionString.h"

class QSqlDriver;

// The database layer reads SQLite and PostgreSQL results, and writes large
// PostgreSQL inserts, through the client library the program links, on the
// handles of Qt's drivers. That is sound only when the driver runs on that
// very library: a Qt built with a copy of its own (of another version, or
// one never set up in this program) has handles that only its copy may use.
namespace DbClientLibrary {

// Whether the loaded driver resolves the library's functions to the ones
// the program links; false for ODBC, whose library is not used.
[[nodiscard]] bool sharedWith(const QSqlDriver &driver, DbKind kind);

} // namespace DbClientLibrary
