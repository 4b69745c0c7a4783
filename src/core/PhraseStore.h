#pragma once

#include "platform/DbDataSet.h"

#include <QString>
#include <QStringList>

#include <optional>

class DbConnection;
class DbTransaction;

// The stock phrases of the Comment table, grouped by a program name and a
// code; a group's phrases are listed in the order they were added.
// CommentTable holds the rows of the group being edited.
class PhraseStore
{
public:
    enum class Status {
        Ok,
        TooLong,     // the text is longer than MaxTextBytes
        OpenFailed,  // the group's rows could not be read
        BeginFailed, // no transaction could be begun
        WriteFailed  // the row could not be written or deleted; nothing changed
    };

    // In Shift-JIS bytes: 254 half-width or 127 full-width characters.
    static constexpr qsizetype MaxTextBytes = 254;

    explicit PhraseStore(DbConnection &database);

    // The phrases of a group; nullopt when they cannot be read.
    [[nodiscard]] std::optional<QStringList> read(const QString &programName, int code) const;

    // Reads the rows of a group into CommentTable.
    [[nodiscard]] bool open(const QString &programName, int code);
    void close() { CommentTable.close(); }

    // Adds a phrase to the group, each in a transaction of its own. An
    // empty text is a phrase too.
    [[nodiscard]] Status append(const QString &text);
    // Deletes the phrase with that key from the group.
    [[nodiscard]] Status remove(int commentId);

    DbDataSet CommentTable;

private:
    // Reads the group again, dropping rows that a rollback left in memory.
    [[nodiscard]] bool reopen();
    // Commits a write that succeeded, else rolls it back; either failure
    // reads the group again.
    [[nodiscard]] Status finishWrite(DbTransaction &transaction, bool written);

    DbConnection &m_database;
    QString m_programName;
    int m_code = 0;
};
