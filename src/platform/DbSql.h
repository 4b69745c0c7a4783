#pragma once

#include <QString>

// Helpers for the SQL text that the database layer writes itself. Names of
// tables, columns and schemas go into that text unquoted, so that both
// databases fold them alike; they must be plain identifiers.
namespace DbSql {

// A letter or "_", then letters, digits or "_" (ASCII only).
[[nodiscard]] bool isIdentifier(QStringView name);

// Whether the statement only reads: it begins with SELECT.
[[nodiscard]] bool onlyReads(QStringView sql);
// Whether the statement writes rows: it begins with INSERT, UPDATE or DELETE.
[[nodiscard]] bool writesRows(QStringView sql);

} // namespace DbSql
