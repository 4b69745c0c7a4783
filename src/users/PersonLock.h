#pragma once

#include <QString>

class DbConnection;

// Keeps the writes about one user at several workstations apart. Inside a
// Write transaction it holds the user's Person row until the transaction
// ends (FOR UPDATE on PostgreSQL; SQLite's Write transaction holds the whole
// file already), so that what the writer reads next cannot change under it.
// A user no longer stored leaves no row to hold: the table the writer
// writes is then locked against other writers instead.
namespace PersonLock {

// False with the database's reason when the lock could not be taken.
[[nodiscard]] bool hold(DbConnection &database, int cureNo, const QString &table, QString &errorText);

} // namespace PersonLock
