#include "scheduling/RequestListDump.h"

#include "scheduling/TRequestTable.h"

namespace RequestListDump {

QStringList lines(const TRequestTable &requests)
{
    QStringList result{Header};
    for (const TREQUEST_ITEM &item : requests.items())
        result << QString::asprintf("%5s %5d %7s %5d ", item.Flag ? "true " : "false", item.PNo,
                                    item.LName.toUtf8().constData(), item.ResNo) +
                      QStringLiteral("   ") + DateTime::shortDate(item.RegistDay) +
                      QString::asprintf(" %5d ", item.Stf) + QStringLiteral("    ") +
                      DateTime::format(u"hh:mm", item.StartTime) + QStringLiteral("  ") +
                      QString::asprintf(" %3d   %2d", item.Fnn, item.Cap);
    return result;
}

} // namespace RequestListDump
