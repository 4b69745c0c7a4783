#pragma once

#include <QString>

#include <optional>

class DbConnection;
struct TPerson;

// The writes of the user register on the main database: update an existing
// user, insert a new one after the duplicate check, delete one. Each runs in
// a transaction of its own, which every failure rolls back. The results
// carry the message to show.
class UserRegister
{
public:
    enum class Status {
        Ok,
        Duplicate,   // a user with the same kana, birth date, sex and start date is stored
        SystemError, // nothing was written
        DeleteFailed // the delete itself failed; nothing was deleted
    };

    struct Result
    {
        Status status = Status::Ok;
        QString message;
        int cureNo = 0; // of the user written
    };

    // The family and given name of a kana reading (split at its first blank);
    // both empty when the trimmed reading has no blank after its first character.
    struct KanaParts
    {
        QString family;
        QString given;
    };

    explicit UserRegister(DbConnection &database);

    // Writes every column of the user's row but the weekly wishes, which
    // stay as stored. A user no longer stored is an error.
    [[nodiscard]] Result update(const TPerson &person);
    // Stores the user as a new one with no weekly wishes, unless the
    // duplicate check finds it; the check and the insert run in one write
    // transaction that other registrations wait for. The result carries
    // the new user number.
    [[nodiscard]] Result insert(const TPerson &person);
    // Deletes the user's row (and nothing of other tables).
    [[nodiscard]] Result remove(int cureNo);

    [[nodiscard]] static KanaParts splitKana(QStringView kana);
    // True when a stored user has the same birth date, sex and start date
    // and a kana holding the family name and, after its first character,
    // the given name; false without a family and given name. nullopt when
    // the stored users cannot be read.
    [[nodiscard]] std::optional<bool> isDuplicate(const TPerson &person) const;

private:
    // A failure of the transaction or of a write inside it; mark is "*** "
    // for the writes of a new user, else empty.
    [[nodiscard]] Result transactionError(QStringView mark, const QString &reason) const;

    DbConnection &m_database;
};
