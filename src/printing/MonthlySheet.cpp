#include "printing/MonthlySheet.h"

#include "core/EraDate.h"
#include "core/TMainModule.h"
#include "platform/DbDataSet.h"
#include "platform/DbDate.h"
#include "platform/DbQuery.h"
#include "results/ResultSheet.h"

MonthlySheet::MonthlySheet(const MonthlyChoice &choice, const TMainModule &module, TDateTime today)
    : m_choice(choice), m_dayCount(DateTime::toDate(choice.month).daysInMonth()), m_sakuseibi(FormatEraDate(today)),
      m_facility(module.FacilityName), m_staff(module.staff())
{
    std::tie(m_from, m_to) = ResultSheet::monthRange(choice.month);
    m_calendor.SetCalendorMonth(m_from);
    m_monthText = FormatEraYearMonth(m_from);
}

QString MonthlySheet::userText(const CureResult &row)
{
    return ResultSheet::cureNoText(row.CureNo) + QLatin1Char(' ') + row.Name;
}

std::optional<Variant> MonthlySheet::value(const QString &name, int day) const
{
    const bool inMonth = day >= 0 && day < m_dayCount;
    if (name == u"Week")
        return Variant(inMonth ? m_calendor.WeekName(day) : QString());
    if (name == u"DayStr")
        return Variant(inMonth ? m_calendor.DayText(day) : QString());
    if (name == u"Sakuseibi")
        return Variant(m_sakuseibi);
    if (name == u"Home")
        return Variant(m_facility);
    for (const QStringView prefix : {QStringView(u"TkName"), QStringView(u"Tk")}) {
        if (!name.startsWith(prefix))
            continue;
        bool ok = false;
        const int entry = QStringView(name).mid(prefix.size()).toInt(&ok);
        if (!ok || entry < 1 || entry > PrintedLegend)
            return std::nullopt;
        return Variant(prefix.size() == 2 ? m_staff.kigoAt(entry - 1) : m_staff.nameAt(entry - 1));
    }
    return std::nullopt;
}

MonthlySheet::Read MonthlySheet::read(DbConnection &database, std::optional<int> rihaType, const QString &orderBy,
                                      std::vector<CureResult> &rows) const
{
    QString sql = QStringLiteral("SELECT * FROM CureResults WHERE CureDate >= :PFromDate AND CureDate < :PToDate");
    if (rihaType)
        sql += QStringLiteral(" AND RihaType = :PRihaType");
    if (m_choice.staffCode)
        sql += QStringLiteral(" AND StuffCode = :PStuffCode");
    DbQuery query(database, sql + QStringLiteral(" ORDER BY ") + orderBy);
    query.bind(u"PFromDate", DbDate{m_from}).bind(u"PToDate", DbDate{m_to});
    if (rihaType)
        query.bind(u"PRihaType", *rihaType);
    if (m_choice.staffCode)
        query.bind(u"PStuffCode", *m_choice.staffCode);
    DbDataSet data;
    if (!data.open(query))
        return Read::Failed;
    rows.clear();
    // The rows are held whole, not paged: a move cannot fail.
    for (data.first(); !data.eof(); (void)data.next())
        rows.push_back(CureResult::fromRow(data));
    return rows.empty() ? Read::Empty : Read::Rows;
}
