#pragma once

#include <QString>

class QLockFile;

// What a writer killed part-way leaves beside its target: a temporary file
// named from nameTemplate() (with the journal SQLite keeps beside it), and
// the lock every writer of the folder takes.
namespace StaleTemporaries {

// The QTemporaryFile template for a temporary of target: "<target>.new."
// and six random letters, a name no person gives a file.
[[nodiscard]] QString nameTemplate(const QString &target);

// Removes this user's temporaries in folder whose target name matches
// targetPattern (a regular expression for the whole name); returns how many.
// Call it only while holding the lock every writer of those targets takes,
// so that none of them is in use.
int remove(const QString &folder, const QString &targetPattern);

// Takes the lock within timeoutMs. A lock whose holder died is broken: the
// lock file of a process that no longer runs (QLockFile sees to it), and
// an empty or unreadable one that a writer killed while creating it left.
[[nodiscard]] bool lock(QLockFile &lock, int timeoutMs);

} // namespace StaleTemporaries
