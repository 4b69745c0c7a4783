#include "scheduling/BookingSummary.h"

#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbDate.h"
#include "platform/DbQuery.h"
#include "scheduling/BookingList.h"
#include "scheduling/UserWishes.h"

#include <QLoggingCategory>

#include <map>

namespace {
Q_LOGGING_CATEGORY(lcSummary, "tamsolen.scheduling.summary", QtWarningMsg)
}

namespace BookingSummary {

QString markOf(int rihaType)
{
    static const std::array<QString, 4> marks{QStringLiteral("○"), QStringLiteral("□"), QStringLiteral("△"),
                                              QStringLiteral("◇")};
    return rihaType >= 0 && rihaType < int(marks.size()) ? marks[std::size_t(rihaType)] : QString();
}

std::optional<Table> build(DbConnection &database, TDateTime month, int rihaType, int kubunCode)
{
    const TDateTime first = BookingList::monthStart(month);
    const TDateTime last = BookingList::monthEnd(month);
    const auto users = UserWishes::usersOfMonth(database, first, rihaType, kubunCode);
    if (!users)
        return std::nullopt;
    DbQuery query(database, QStringLiteral("SELECT Schedule.CureNo, TimeTable.ReserveDay FROM Schedule "
                                           "INNER JOIN TimeTable ON Schedule.WorkingNo = TimeTable.ReserveNo "
                                           "WHERE TimeTable.ReserveDay >= :from AND TimeTable.ReserveDay < :to"));
    query.bind(u"from", DbDate{first}).bind(u"to", DbDate{last + 1});
    DbDataSet rows;
    if (!rows.open(query)) {
        qCWarning(lcSummary).noquote() << rows.errorText();
        return std::nullopt;
    }
    std::map<int, std::vector<int>> days; // CureNo -> days of the month booked
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next())
        days[rows.field(u"CureNo").asInteger()].push_back(
            DateTime::toDate(rows.field(u"ReserveDay").asDateTime()).day());
    Table table;
    table.DayCount = DateTime::toDate(first).daysInMonth();
    for (const UserWishes::WishUser &user : *users) {
        Row row;
        row.CureNo = user.CureNo;
        row.Name = user.Name;
        if (const auto found = days.find(user.CureNo); found != days.end()) {
            for (int day : found->second)
                row.Marks[std::size_t(day - 1)] = markOf(user.RihaType);
            row.Count = int(found->second.size());
        }
        table.Rows.push_back(std::move(row));
    }
    return table;
}

} // namespace BookingSummary
