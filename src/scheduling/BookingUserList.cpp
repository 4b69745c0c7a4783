#include "scheduling/BookingUserList.h"

#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"

#include <QLoggingCategory>

namespace {
Q_LOGGING_CATEGORY(lcUserList, "tamsolen.scheduling.users", QtWarningMsg)
}

namespace BookingUserList {

std::optional<std::vector<BookingUser>> read(DbConnection &database, int rihaType, int kubunCode)
{
    DbQuery query(database, QStringLiteral("SELECT CureNo, Name, RihaType, KubunCode, NYUSHOBI_YMD, TAISHOBI_YMD "
                                           "FROM Person WHERE RihaType = :type AND (KubunCode & :code) > 0 "
                                           "ORDER BY Kana, CureNo"));
    query.bind(u"type", rihaType).bind(u"code", kubunCode);
    DbDataSet rows;
    if (!rows.open(query)) {
        qCWarning(lcUserList).noquote() << rows.errorText();
        return std::nullopt;
    }
    std::vector<BookingUser> users;
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next())
        users.push_back({rows.field(u"CureNo").asInteger(), rows.field(u"NYUSHOBI_YMD").asDateTime(),
                         rows.field(u"TAISHOBI_YMD").asDateTime(), rows.field(u"RihaType").asInteger(),
                         rows.field(u"KubunCode").asInteger(), rows.field(u"Name").asString()});
    return users;
}

} // namespace BookingUserList
