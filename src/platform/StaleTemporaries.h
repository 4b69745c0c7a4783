#pragma once

#include <QString>

// The temporary files a writer killed part-way leaves beside its target:
// "<target>.XXXXXX", the names QSaveFile and QTemporaryFile give (six random
// letters), and the journal SQLite keeps beside such a file. Six lower-case
// letters are taken for a word ("x.reg.backup") and left alone.
namespace StaleTemporaries {

// Removes this user's temporaries in folder whose target name matches
// targetPattern (a regular expression for the whole name); returns how many.
// Call it only while holding the lock every writer of those targets takes,
// so that none of them is in use.
int remove(const QString &folder, const QString &targetPattern);

} // namespace StaleTemporaries
