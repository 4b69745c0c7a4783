#include "users/UserRegister.h"

#include "base/Sjis.h"
#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "platform/DbTransaction.h"
#include "users/TPerson.h"
#include "users/UsersLog.h"

namespace {

using Status = UserRegister::Status;

UserRegister::Result failure(Status status, const QString &message, const QString &reason)
{
    qCWarning(lcUsers).noquote() << message << reason;
    return {status, message, 0};
}

// The user's row, ready to be edited, appended to or deleted.
bool openPerson(DbDataSet &row, DbConnection &database, int cureNo)
{
    row.setUpdateTable(QStringLiteral("Person"), QStringLiteral("CureNo"));
    DbQuery query(database, QStringLiteral("SELECT * FROM Person WHERE CureNo = :cureNo"));
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

QString UserRegister::transactionLevel() const
{
    return QString::number(m_database.transactionDepth());
}

UserRegister::Result UserRegister::update(const TPerson &person)
{
    DbDataSet row;
    if (!openPerson(row, m_database, person.CureNo))
        return failure(Status::SystemError, QStringLiteral("SystemError : 利用者台帳 error "), row.errorText());
    // Deleted meanwhile at another workstation.
    if (row.isEmpty())
        return failure(Status::SystemError, QStringLiteral("SystemError : 利用者台帳 error "),
                       QStringLiteral("no user %1").arg(person.CureNo));

    DbTransaction transaction(m_database);
    if (!transaction.isActive())
        return failure(Status::SystemError,
                       QStringLiteral("*** SystemError : DB Trans Start error ") + transactionLevel(),
                       m_database.errorText());
    if (!row.edit())
        return failure(Status::SystemError, QStringLiteral("SystemError : DB Trans Start error ") + transactionLevel(),
                       row.errorText());
    person.writeTo(row, TPerson::Wishes::KeepStored);
    if (!row.post()) {
        const Result result =
            failure(Status::SystemError, QStringLiteral("SystemError : DB Trans Start error ") + transactionLevel(),
                    row.errorText());
        row.cancel();
        return result;
    }
    if (!transaction.commit())
        return failure(Status::SystemError, QStringLiteral("SystemError : DB Trans Start error ") + transactionLevel(),
                       m_database.errorText());
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
    for (rows.first(); !rows.eof(); rows.next()) {
        const QString kana = kanaField.asString();
        if (kana.contains(parts.family) && kana.indexOf(parts.given) > 0)
            return true;
    }
    return false;
}

UserRegister::Result UserRegister::insert(const TPerson &person)
{
    const std::optional<bool> duplicate = isDuplicate(person);
    if (!duplicate)
        return failure(Status::SystemError, QStringLiteral("*** SystemError : DobleCheck Error "), QString());
    if (*duplicate)
        return {Status::Duplicate, QStringLiteral("すでに登録済みです。\n確認して下さい。"), 0};

    DbDataSet row;
    if (!openPerson(row, m_database, -1))
        return failure(Status::SystemError, QStringLiteral("*** SystemError : 利用者台帳 error "), row.errorText());
    DbTransaction transaction(m_database);
    if (!transaction.isActive())
        return failure(Status::SystemError,
                       QStringLiteral("*** SystemError : DB Trans Start error ") + transactionLevel(),
                       m_database.errorText());
    TPerson added = person;
    added.Reserve01 = added.Reserve02 = added.Reserve03 = added.Reserve04 = added.Reserve05 = added.Reserve06 =
        added.Reserve07 = DateTime::None;
    added.Funn01 = added.Funn02 = added.Funn03 = added.Funn04 = added.Funn05 = added.Funn06 = added.Funn07 = 0;
    if (!row.append())
        return failure(Status::SystemError, QStringLiteral("*** SystemError 利用者台帳 登録 Error"), row.errorText());
    added.writeTo(row, TPerson::Wishes::Write);
    if (!row.post()) {
        const Result result =
            failure(Status::SystemError, QStringLiteral("*** SystemError 利用者台帳 登録 Error"), row.errorText());
        row.cancel();
        return result;
    }
    const int cureNo = row.field(u"CureNo").asInteger();
    if (!transaction.commit())
        return failure(Status::SystemError, QStringLiteral("*** SystemError 利用者台帳 登録 Error"),
                       m_database.errorText());
    return {Status::Ok, QString(), cureNo};
}

UserRegister::Result UserRegister::remove(int cureNo)
{
    DbTransaction transaction(m_database);
    if (!transaction.isActive())
        return failure(Status::SystemError, QStringLiteral("SystemError : DB Trans Start error ") + transactionLevel(),
                       m_database.errorText());
    DbDataSet row;
    if (!openPerson(row, m_database, cureNo))
        return failure(Status::SystemError, QStringLiteral("System DB Error:利用者台帳"), row.errorText());
    if (!row.isEmpty() && !row.remove())
        return failure(Status::DeleteFailed, QStringLiteral("削除に失敗しました。"), row.errorText());
    if (!transaction.commit())
        return failure(Status::DeleteFailed, QStringLiteral("削除に失敗しました。"), m_database.errorText());
    return {Status::Ok, QString(), cureNo};
}
