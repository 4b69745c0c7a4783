#include "scheduling/UserWishes.h"

#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbDate.h"
#include "platform/DbQuery.h"
#include "platform/DbTransaction.h"
#include "scheduling/SlotEntryCheck.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcWishes, "tamsolen.scheduling.wishes", QtWarningMsg)

QString dayColumn(QStringView prefix, int weekday)
{
    return prefix.toString() + QStringLiteral("0%1").arg(weekday + 1);
}

bool isNoWish(const QString &start)
{
    const QString trimmed = start.trimmed();
    return trimmed.isEmpty() || trimmed == u":" || trimmed == u"00:00";
}

} // namespace

namespace UserWishes {

std::optional<std::vector<WishUser>> usersOfMonth(DbConnection &database, TDateTime monthStart, int rihaType,
                                                  int kubunCode)
{
    const TDateTime first = DateTime::dateOf(monthStart);
    const TDateTime next = DateTime::fromDate(DateTime::toDate(first).addMonths(1));
    QString sql = QStringLiteral("SELECT * FROM Person WHERE NYUSHOBI_YMD < :next "
                                 "AND (TAISHOBI_YMD IS NULL OR TAISHOBI_YMD = :zero OR TAISHOBI_YMD >= :first)");
    if (rihaType < AllTypes)
        sql += QStringLiteral(" AND RihaType = :type AND (KubunCode & :code) > 0");
    DbQuery query(database, sql + QStringLiteral(" ORDER BY CureNo"));
    query.bind(u"next", DbDate{next}).bind(u"zero", DbDate{DateTime::None}).bind(u"first", DbDate{first});
    if (rihaType < AllTypes)
        query.bind(u"type", rihaType).bind(u"code", kubunCode);
    DbDataSet rows;
    if (!rows.open(query)) {
        qCWarning(lcWishes).noquote() << rows.errorText();
        return std::nullopt;
    }
    std::vector<WishUser> users;
    for (rows.first(); !rows.eof(); rows.next()) {
        WishUser user;
        user.CureNo = rows.field(u"CureNo").asInteger();
        user.Name = rows.field(u"Name").asString();
        user.Kana = rows.field(u"Kana").asString();
        user.Sex = rows.field(u"Sex").asInteger();
        user.Birth = rows.field(u"Birth").asDateTime();
        user.NyushoDate = rows.field(u"NYUSHOBI_YMD").asDateTime();
        user.TaishoDate = rows.field(u"TAISHOBI_YMD").asDateTime();
        user.RihaType = rows.field(u"RihaType").asInteger();
        user.KubunCode = rows.field(u"KubunCode").asInteger();
        for (int day = 0; day < 7; ++day) {
            user.Week[day].StartTime = DateTime::timeOf(rows.field(dayColumn(u"Reserve", day)).asDateTime());
            user.Week[day].Minutes = rows.field(dayColumn(u"Funn", day)).asInteger();
        }
        users.push_back(std::move(user));
    }
    return users;
}

WeekCheck checkWeek(const std::array<QString, 7> &starts, const std::array<QString, 7> &minutes)
{
    WeekCheck check;
    for (int day = 0; day < 7; ++day) {
        if (isNoWish(starts[day])) {
            // No wish that day, but typed minutes that are no number are
            // told rather than saved as 0.
            const QString typed = minutes[day].trimmed();
            bool number = false;
            typed.toInt(&number);
            if (!typed.isEmpty() && !number) {
                check.errorDay = day;
                check.errorInMinutes = true;
                check.message = QStringLiteral("分は数値項目です。");
                return check;
            }
            continue;
        }
        const std::optional<TDateTime> start = SlotEntryCheck::startTime(starts[day].trimmed());
        if (!start) {
            check.errorDay = day;
            check.message = QString::fromUtf16(SlotEntryCheck::StartTimeError);
            return check;
        }
        int value = 0;
        QString error = SlotEntryCheck::minutesError(minutes[day].trimmed(), value);
        // A wish becomes a slot when booked: it ends by the board's last hour.
        if (error.isEmpty())
            error = SlotEntryCheck::endError(*start, value);
        if (!error.isEmpty()) {
            check.errorDay = day;
            check.errorInMinutes = true;
            check.message = error;
            return check;
        }
        check.week[day] = {*start, value};
    }
    return check;
}

SaveResult saveWeek(DbConnection &database, int cureNo, const TUserWeekBook::Week &week)
{
    DbTransaction transaction(database, true);
    if (!transaction.isActive())
        return SaveResult::WriteFailed;
    QStringList sets;
    for (int day = 0; day < 7; ++day)
        sets
            << QStringLiteral("%1 = :r%3, %2 = :f%3").arg(dayColumn(u"Reserve", day), dayColumn(u"Funn", day)).arg(day);
    DbQuery update(database, QStringLiteral("UPDATE Person SET ") + sets.join(QStringLiteral(", ")) +
                                 QStringLiteral(" WHERE CureNo = :cureNo"));
    for (int day = 0; day < 7; ++day)
        update.bind(QStringLiteral("r%1").arg(day), DbDate{week[day].StartTime})
            .bind(QStringLiteral("f%1").arg(day), week[day].Minutes);
    update.bind(u"cureNo", cureNo);
    if (!update.exec()) {
        qCWarning(lcWishes).noquote() << update.errorText();
        return SaveResult::WriteFailed;
    }
    if (update.rowsAffected() != 1)
        return SaveResult::UserGone;
    return transaction.commit() ? SaveResult::Ok : SaveResult::WriteFailed;
}

QString startText(TDateTime start)
{
    return start == DateTime::None ? QStringLiteral("00:00") : DateTime::format(u"hh:nn", start);
}

} // namespace UserWishes
