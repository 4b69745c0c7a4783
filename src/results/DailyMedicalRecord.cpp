#include "results/DailyMedicalRecord.h"

#include "platform/DbDate.h"
#include "platform/DbQuery.h"
#include "core/AppContext.h"
#include "core/TMainModule.h"

bool DailyMedicalRecord::load(TDateTime day, int staffCode, int rihaType)
{
    m_day = DateTime::dateOf(day);
    DbQuery query(m_context.database, QStringLiteral("SELECT * FROM CureResults WHERE CureDate >= :PFromDate AND "
                                                 "CureDate < :PToDate AND StuffCode = :PStuffCode AND "
                                                 "RihaType = :PRihaType ORDER BY CureDate, RStartTime, ResultNo"));
    query.bind(u"PFromDate", DbDate{m_day})
        .bind(u"PToDate", DbDate{m_day + 1})
        .bind(u"PStuffCode", staffCode)
        .bind(u"PRihaType", rihaType);
    return m_rows.open(query);
}

DailyMedicalRecord::Totals DailyMedicalRecord::totals() const
{
    Totals totals;
    for (const CureResult &row : m_rows.rows()) {
        if (row.PMinute > 0) {
            ++totals.PlanCount;
            totals.PlanMinutes += row.PMinute;
        }
        if (row.RMinute > 0) {
            ++totals.ExecCount;
            totals.ExecMinutes += row.RMinute;
        }
    }
    return totals;
}
