#include "scheduling/BookingList.h"

#include "core/CodeTables.h"
#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbDate.h"
#include "platform/DbQuery.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcBookingList, "tamsolen.scheduling.bookinglist", QtWarningMsg)

const QString Select = QStringLiteral(
    "SELECT Schedule.ScheduleNo, Schedule.WorkingNo, TimeTable.ReserveDay, TimeTable.StuffCode, "
    "KaigoStuff.StuffName, TimeTable.StartTime, TimeTable.WorkingMin, TimeTable.Capacity, Person.CureNo, "
    "Person.Name, Person.RihaType, Person.KubunCode, Person.NYUSHOBI_YMD "
    "FROM ((Schedule INNER JOIN TimeTable ON Schedule.WorkingNo = TimeTable.ReserveNo) "
    "INNER JOIN Person ON Schedule.CureNo = Person.CureNo) "
    "LEFT JOIN KaigoStuff ON TimeTable.StuffCode = KaigoStuff.CD "
    "WHERE TimeTable.ReserveDay >= :from AND TimeTable.ReserveDay < :to AND ");
const QString Order = QStringLiteral(" ORDER BY TimeTable.ReserveDay, TimeTable.StuffCode, TimeTable.StartTime, "
                                     "Schedule.ScheduleNo");

std::optional<BookingList::Rows> read(DbConnection &database, const QString &condition, int key, TDateTime from,
                                      TDateTime to)
{
    DbQuery query(database, Select + condition + Order);
    query.bind(u"key", key)
        .bind(u"from", DbDate{DateTime::dateOf(from)})
        .bind(u"to", DbDate{DateTime::dateOf(to) + 1});
    DbDataSet rows;
    if (!rows.open(query)) {
        qCWarning(lcBookingList).noquote() << rows.errorText();
        return std::nullopt;
    }
    BookingList::Rows result;
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next()) {
        BookingList::Row row;
        row.ScheduleNo = rows.field(u"ScheduleNo").asInteger();
        row.WorkingNo = rows.field(u"WorkingNo").asInteger();
        row.ReserveDay = rows.field(u"ReserveDay").asDateTime();
        row.StuffCode = rows.field(u"StuffCode").asInteger();
        row.StuffName = rows.field(u"StuffName").asString();
        row.StartTime = rows.field(u"StartTime").asDateTime();
        row.WorkingMin = rows.field(u"WorkingMin").asInteger();
        row.Capacity = rows.field(u"Capacity").asInteger();
        row.CureNo = rows.field(u"CureNo").asInteger();
        row.Name = rows.field(u"Name").asString();
        row.RihaType = rows.field(u"RihaType").asInteger();
        row.KubunCode = rows.field(u"KubunCode").asInteger();
        row.NyushoDate = rows.field(u"NYUSHOBI_YMD").asDateTime();
        result.push_back(std::move(row));
    }
    return result;
}

} // namespace

namespace BookingList {

std::optional<Rows> ofStaff(DbConnection &database, int staffCode, TDateTime from, TDateTime to)
{
    return read(database, QStringLiteral("TimeTable.StuffCode = :key"), staffCode, from, to);
}

std::optional<Rows> ofUser(DbConnection &database, int cureNo, TDateTime month)
{
    return read(database, QStringLiteral("Schedule.CureNo = :key"), cureNo, monthStart(month), monthEnd(month));
}

QString kubunWords(int kubunCode, QStringView separator)
{
    if (kubunCode < 0)
        return {};
    QString words;
    const std::array<std::pair<int, QStringView>, 4> bits{
        {{KubunTanki, u"短期集中"}, {KubunNinchi, u"認知症"}, {KubunShudan, u"集団"}, {KubunKobetsu, u"個別"}}};
    for (const auto &[bit, word] : bits)
        if (kubunCode & bit)
            words += word.toString() + separator.toString();
    return words;
}

TDateTime monthStart(TDateTime date)
{
    const QDate day = DateTime::toDate(date);
    return DateTime::encodeDate(day.year(), day.month(), 1);
}

TDateTime monthEnd(TDateTime date)
{
    const QDate day = DateTime::toDate(date);
    return DateTime::encodeDate(day.year(), day.month(), day.daysInMonth());
}

} // namespace BookingList
