#include "scheduling/UserWishes.h"

#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbDate.h"
#include "platform/DbQuery.h"
#include "platform/DbTransaction.h"
#include "scheduling/SlotEntryCheck.h"

#include <QLoggingCategory>

#include <algorithm>

namespace {

Q_LOGGING_CATEGORY(lcWishes, "tamsolen.scheduling.wishes", QtWarningMsg)

QString dayColumn(QStringView prefix, int weekday)
{
    return prefix.toString() + QStringLiteral("0%1").arg(weekday + 1);
}

// A whole number as the editors hold it: blanks before it are allowed,
// nothing after it.
std::optional<int> wholeNumber(QStringView text)
{
    while (text.startsWith(u' '))
        text = text.sliced(1);
    const QStringView digits = text.startsWith(u'-') || text.startsWith(u'+') ? text.sliced(1) : text;
    if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// The start editor's "hh:mm"; a blank editor is no start. Reads the hour
// from the first two characters and the minute from the fourth and fifth.
struct StartRead
{
    std::optional<TDateTime> start;
    bool hourUnread = false;
};

StartRead readStart(const QString &text)
{
    if (QStringView(text).trimmed().isEmpty() || QStringView(text).trimmed() == u":")
        return {DateTime::None, false};
    const std::optional<int> hour = wholeNumber(QStringView(text).left(2));
    const std::optional<int> minute = wholeNumber(QStringView(text).mid(3, 2));
    if (!hour || !minute || *hour < 0 || *hour > 23 || *minute < 0 || *minute > 59)
        return {std::nullopt, !hour};
    return {DateTime::encodeTime(*hour, *minute), false};
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
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next()) {
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
    const auto fail = [&check](int day, bool inMinutes, QString message) {
        check.errorDay = day;
        check.errorInMinutes = inMinutes;
        check.message = std::move(message);
        return check;
    };
    for (int day = 0; day < 7; ++day) {
        const StartRead read = readStart(starts[day]);
        if (!read.start) {
            constexpr int Thursday = 3;
            return fail(day, false, read.hourUnread && day == Thursday ? QStringLiteral("Error 時刻の数値エラー")
                                                                       : QStringLiteral("時刻の数値エラー"));
        }
        check.week[day].StartTime = *read.start;
    }
    for (int day = 0; day < 7; ++day) {
        const std::optional<int> value = wholeNumber(minutes[day]);
        if (!value)
            return fail(day, true, QStringLiteral("作業時間(分)の数値エラー"));
        check.week[day].Minutes = *value;
    }
    // A day that gives a wish becomes a slot when booked: it must lie on the
    // boards (8:00 to 21:00) and within what the slot dialogs keep.
    for (int day = 0; day < 7; ++day) {
        const TUserWeekBook::Slot &slot = check.week[day];
        if (slot.StartTime <= 0 || slot.Minutes < 1)
            continue;
        if (!SlotEntryCheck::startTime(DateTime::format(u"hh:nn", slot.StartTime)))
            return fail(day, false, QString::fromUtf16(SlotEntryCheck::StartTimeError));
        QString error = slot.Minutes > SlotEntryCheck::MaxMinutes ? QString::fromUtf16(SlotEntryCheck::TooManyMinutes)
                                                                   : SlotEntryCheck::endError(slot.StartTime, slot.Minutes);
        if (!error.isEmpty())
            return fail(day, true, error);
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
