#pragma once

#include <QString>

// The demo's SQLite database, as `tamsolen-admin demo` prepares it.
namespace DemoDatabase {

// "Provider=SQLite;Data Source=<file>".
[[nodiscard]] QString connectionString(const QString &file);

// Creates the file with its tables and demo rows when it is missing (it
// appears only when complete; created says so), or checks that an existing
// file is a SQLite database with the demo login. On failure errorText gives
// the reason.
[[nodiscard]] bool prepare(const QString &file, bool &created, QString &errorText);

} // namespace DemoDatabase
