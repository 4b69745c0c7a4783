#include "printing/PlanPrintList.h"

#include "core/CodeTables.h"
#include "core/DateHelpers.h"
#include "core/EraDate.h"
#include "core/TKubun.h"
#include "platform/DbConnection.h"
#include "platform/DbQuery.h"
#include "printing/PrintingLog.h"

#include <QDate>

#include <algorithm>

PlanPrintList::PlanPrintList(DbConnection &database, Statement statement)
    : KanaRowList(Rows), m_database(database), m_statement(std::move(statement))
{}

TDateTime PlanPrintList::latestCutOff(TDateTime today)
{
    return FirstDayOfMonth(DateTime::fromDate(DateTime::toDate(today).addMonths(-3)));
}

bool PlanPrintList::openLatest(TDateTime today)
{
    // After the cut-off day, whatever time of day a stored date holds.
    return open(QStringLiteral("WHERE %1 >= :PFrom ").arg(m_statement.dayColumn), latestCutOff(today) + 1);
}

bool PlanPrintList::openAll()
{
    return open(QString(), DateTime::None);
}

bool PlanPrintList::open(const QString &where, TDateTime from)
{
    Rows.close();
    Rows.setFilter({});
    Rows.setFiltered(false);
    // Readings sort by character code on PostgreSQL too, as on SQLite.
    const QString kana = m_database.kind() == DbKind::PostgreSQL ? QStringLiteral("Person.Kana COLLATE \"C\"")
                                                                 : QStringLiteral("Person.Kana");
    DbQuery query(m_database, m_statement.select + where + QStringLiteral("ORDER BY ") + kana + QStringLiteral(", ") +
                                  m_statement.orderAfterKana);
    if (!where.isEmpty())
        query.bind(u"PFrom", DbDate{from});
    if (Rows.open(query))
        return true;
    qCWarning(lcPrinting).noquote() << "plan list:" << Rows.errorText();
    Rows.close();
    return false;
}

std::vector<int> PlanPrintList::keysAt(std::vector<int> positions, QStringView field) const
{
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    std::vector<int> keys;
    const int count = Rows.isOpen() ? Rows.recordCount() : 0;
    for (int position : positions) {
        if (position >= 0 && position < count)
            keys.push_back(Rows.record(position).value(field).asInteger());
    }
    return keys;
}

QString PlanPrintList::cellText(QStringView field, const DbValue &value)
{
    if (field == u"CureNo")
        return QStringLiteral("%1").arg(value.asInteger(), 8, 10, QLatin1Char('0'));
    if (field == u"PlanRegistDay")
        return FormatEraShortDate(value.asDateTime());
    if (field == u"PrcticeDay")
        return value.isNull() ? QString() : DateTime::format(u"yyyy/mm/dd", value.asDateTime());
    if (field == u"RihaType")
        return CodeName(RihaTypeNames, value.asInteger());
    if (field == u"KubunCode") {
        TKubun kubun;
        kubun.SetCode(value.asInteger());
        return kubun.LongText();
    }
    return value.asString();
}
