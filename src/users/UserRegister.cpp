#include "users/UserRegister.h"

#include "base/Sjis.h"
#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "platform/DbTransaction.h"
#include "users/TPerson.h"
#include "users/UsersLog.h"

#include <functional>

namespace {

using Status = UserRegister::Status;

// The writes of a new user mark their messages with "*** ".
const QString NewUserMark = QStringLiteral("*** ");
const QString TableError = QStringLiteral("SystemError : 利用者台帳 error ");
const QString TransactionError = QStringLiteral("SystemError : DB Trans Start error ");
const QString InsertError = QStringLiteral("*** SystemError 利用者台帳 登録 Error");
const QString CheckError = QStringLiteral("*** SystemError : DobleCheck Error ");
const QString DeleteFailed = QStringLiteral("削除に失敗しました。");

UserRegister::Result failure(Status status, const QString &message, const QString &reason)
{
    qCWarning(lcUsers).noquote() << message << reason;
    return {status, message, 0};
}

// Posts the row; a failure cancels it and is given to fail. Status Ok when
// posted.
UserRegister::Result post(DbDataSet &row, const std::function<UserRegister::Result(const QString &)> &fail)
{
    if (row.post())
        return {};
    const UserRegister::Result result = fail(row.errorText());
    row.cancel();
    return result;
}

// The user's row, ready to be edited, appended to or deleted; lockClause
// holds it against other writers until the transaction ends.
bool openPerson(DbDataSet &row, DbConnection &database, int cureNo, const QString &lockClause = {})
{
    row.setUpdateTable(QStringLiteral("Person"), QStringLiteral("CureNo"));
    DbQuery query(database, QStringLiteral("SELECT * FROM Person WHERE CureNo = :cureNo") + lockClause);
    query.bind(u"cureNo", cureNo);
    return row.open(query);
}

// The day of a date and the day after, the range a stored date of that day
// falls in.
std::pair<DbDate, DbDate> dayRange(TDateTime date)
{
    const TDateTime day = DateTime::dateOf(date);
    return {DbDate{day}, DbDate{day + 1}};
}

} // namespace

UserRegister::UserRegister(DbConnection &database) : m_database(database) {}

UserRegister::Result UserRegister::transactionError(QStringView mark, const QString &reason) const
{
    // The message names the transaction depth at the failure.
    return failure(Status::SystemError,
                   mark.toString() + TransactionError + QString::number(m_database.transactionDepth()), reason);
}

UserRegister::Result UserRegister::update(const TPerson &person)
{
    DbDataSet row;
    if (!openPerson(row, m_database, person.CureNo))
        return failure(Status::SystemError, TableError, row.errorText());
    // Deleted meanwhile at another workstation.
    if (row.isEmpty())
        return failure(Status::SystemError, TableError, QStringLiteral("no user %1").arg(person.CureNo));

    DbTransaction transaction(m_database);
    if (!transaction.isActive())
        return transactionError(NewUserMark, m_database.errorText());
    if (!row.edit())
        return transactionError({}, row.errorText());
    person.writeTo(row, TPerson::Wishes::KeepStored);
    const auto fail = [this](const QString &reason) {
        return transactionError({}, reason);
    };
    if (const Result posted = post(row, fail); posted.status != Status::Ok)
        return posted;
    if (!transaction.commit())
        return fail(m_database.errorText());
    return {Status::Ok, QString(), person.CureNo};
}

UserRegister::KanaParts UserRegister::splitKana(QStringView kana)
{
    const QString trimmed = Sjis::trim(kana);
    const qsizetype blank = trimmed.indexOf(u' ');
    if (blank < 1)
        return {};
    return {trimmed.left(blank), Sjis::trim(QStringView(trimmed).sliced(blank + 1))};
}

std::optional<bool> UserRegister::isDuplicate(const TPerson &person) const
{
    const KanaParts parts = splitKana(person.Kana);
    if (parts.family.isEmpty() && parts.given.isEmpty())
        return false;

    const auto [birthFrom, birthTo] = dayRange(person.Birth);
    const auto [startFrom, startTo] = dayRange(person.NYUSHOBI_YMD);
    DbQuery query(m_database, QStringLiteral("SELECT Kana FROM Person WHERE Sex = :sex "
                                             "AND Birth >= :birthFrom AND Birth < :birthTo "
                                             "AND NYUSHOBI_YMD >= :startFrom AND NYUSHOBI_YMD < :startTo"));
    query.bind(u"sex", person.Sex)
        .bind(u"birthFrom", birthFrom)
        .bind(u"birthTo", birthTo)
        .bind(u"startFrom", startFrom)
        .bind(u"startTo", startTo);
    DbDataSet rows;
    if (!rows.open(query)) {
        qCWarning(lcUsers).noquote() << "duplicate check:" << rows.errorText();
        return std::nullopt;
    }
    const DbField kanaField = rows.field(u"Kana");
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next()) {
        const QString kana = kanaField.asString();
        if (kana.contains(parts.family) && kana.indexOf(parts.given) > 0)
            return true;
    }
    return false;
}

UserRegister::Result UserRegister::insert(const TPerson &person)
{
    // The check and the insert in one transaction that keeps every other
    // writer of Person out, so that the same user registered at another
    // workstation at this moment cannot pass the check as well. A kana
    // without a given name is not checked and needs no lock.
    DbTransaction transaction(m_database, true);
    if (!transaction.isActive())
        return transactionError(NewUserMark, m_database.errorText());
    if (!splitKana(person.Kana).family.isEmpty() && !m_database.lockTableForWriting(QStringLiteral("Person")))
        return failure(Status::SystemError, CheckError, m_database.errorText());
    const std::optional<bool> duplicate = isDuplicate(person);
    if (!duplicate)
        return failure(Status::SystemError, CheckError, QString());
    if (*duplicate)
        return {Status::Duplicate, QStringLiteral("すでに登録済みです。\n確認して下さい。"), 0};

    DbDataSet row;
    if (!openPerson(row, m_database, -1))
        return failure(Status::SystemError, NewUserMark + TableError, row.errorText());
    TPerson added = person;
    added.Reserve01 = added.Reserve02 = added.Reserve03 = added.Reserve04 = added.Reserve05 = added.Reserve06 =
        added.Reserve07 = DateTime::None;
    added.Funn01 = added.Funn02 = added.Funn03 = added.Funn04 = added.Funn05 = added.Funn06 = added.Funn07 = 0;
    const auto fail = [](const QString &reason) {
        return failure(Status::SystemError, InsertError, reason);
    };
    if (!row.append())
        return fail(row.errorText());
    added.writeTo(row, TPerson::Wishes::Write);
    if (const Result posted = post(row, fail); posted.status != Status::Ok)
        return posted;
    const int cureNo = row.field(u"CureNo").asInteger();
    if (!transaction.commit())
        return fail(m_database.errorText());
    return {Status::Ok, QString(), cureNo};
}

UserRegister::Result UserRegister::remove(int cureNo)
{
    DbTransaction transaction(m_database, true);
    if (!transaction.isActive())
        return transactionError({}, m_database.errorText());
    // A delete of the same user at another workstation waits here and then
    // finds no row, as when the two delete one after the other.
    DbDataSet row;
    if (!openPerson(row, m_database, cureNo, m_database.lockRowsClause()))
        return failure(Status::SystemError, QStringLiteral("System DB Error:利用者台帳"), row.errorText());
    if (!row.isEmpty() && !row.remove())
        return failure(Status::DeleteFailed, DeleteFailed, row.errorText());
    if (!transaction.commit())
        return failure(Status::DeleteFailed, DeleteFailed, m_database.errorText());
    return {Status::Ok, QString(), cureNo};
}
