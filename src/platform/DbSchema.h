#pragma once

#include "platform/DbConnectionString.h"

#include <QStringList>

class DbConnection;

// The table definitions of db/: one script per kind of database, applied
// statement by statement in one transaction.
namespace DbSchema {

// "sqlite.sql" or "postgresql.sql".
[[nodiscard]] QString fileName(DbKind kind);

// The statements of a script: split at ";" outside quotes and "--" comments,
// empty ones dropped.
[[nodiscard]] QStringList statements(QStringView script);

// Runs every statement of the script; on failure nothing is applied and
// errorText names the failing statement.
[[nodiscard]] bool apply(DbConnection &connection, QStringView script, QString &errorText);
// The same with the script read from a file (UTF-8).
[[nodiscard]] bool applyFile(DbConnection &connection, const QString &path, QString &errorText);

} // namespace DbSchema
