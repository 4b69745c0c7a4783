#include "results/PersonMedicalRecord.h"

#include "core/AppContext.h"
#include "core/TCalendor.h"
#include "core/TMainModule.h"
#include "plans/PlanStore.h"
#include "platform/DbDataSet.h"
#include "platform/DbDate.h"
#include "platform/DbQuery.h"
#include "results/ResultSheet.h"

PersonMedicalRecord::PersonMedicalRecord(const AppContext &context) : m_context(context) {}

void PersonMedicalRecord::setMonth(TDateTime date)
{
    std::tie(m_from, m_to) = ResultSheet::monthRange(date);
    m_rows.close();
}

void PersonMedicalRecord::stepMonth(int months)
{
    setMonth(DateTime::fromDate(DateTime::toDate(m_from).addMonths(months)));
}

bool PersonMedicalRecord::load(int cureNo, std::optional<int> staffCode)
{
    m_cureNo = cureNo;
    QString sql = QStringLiteral("SELECT * FROM CureResults WHERE CureDate >= :PFromDate AND CureDate < :PToDate "
                                 "AND CureNo = :PCureNo");
    if (staffCode)
        sql += QStringLiteral(" AND StuffCode = :PStuffCode");
    DbQuery query(m_context.database, sql + QStringLiteral(" ORDER BY CureDate, RStartTime, ResultNo"));
    query.bind(u"PFromDate", DbDate{m_from}).bind(u"PToDate", DbDate{m_to}).bind(u"PCureNo", cureNo);
    if (staffCode)
        query.bind(u"PStuffCode", *staffCode);
    return m_rows.open(query);
}

std::vector<TLineData> PersonMedicalRecord::dayLines() const
{
    TCalendor calendor;
    calendor.SetCalendorMonth(m_from);
    const int days = DateTime::toDate(m_from).daysInMonth();
    std::vector<TLineData> lines;
    const std::vector<CureResult> &rows = m_rows.rows();
    auto next = rows.begin();
    for (int day = 1; day <= days; ++day) {
        // The rows come by day; those of the day are [day, day + 1).
        const TDateTime end = m_from + day;
        auto first = next;
        while (next != rows.end() && next->CureDate < end)
            ++next;
        lines.push_back(TLineData::build(calendor.IsSunday(day - 1) == u'1', calendor.DayCaption(day - 1),
                                         std::span<const CureResult>(first, next)));
    }
    return lines;
}

PersonMedicalRecord::Legend PersonMedicalRecord::legend() const
{
    Legend legend;
    const StaffDirectory &staff = m_context.mainModule.staff();
    for (int i = 0; i < LegendSize && i < staff.count(); ++i) {
        legend.Tk[size_t(i)] = staff.kigoAt(i);
        legend.TkName[size_t(i)] = staff.nameAt(i);
    }
    return legend;
}

std::optional<PersonMedicalRecord::LatestPlan> PersonMedicalRecord::latestPlan(QString &message) const
{
    DbQuery query(
        m_context.database,
        QStringLiteral("SELECT RihaPlan.PlanNo, RihaPlan.PlanRegistDay, RihaPlan.PlanData, Person.* FROM RihaPlan "
                       "INNER JOIN Person ON RihaPlan.CureNo = Person.CureNo WHERE RihaPlan.CureNo = :PCureNo "
                       "ORDER BY RihaPlan.PlanRegistDay DESC, RihaPlan.PlanNo DESC"));
    query.bind(u"PCureNo", m_cureNo);
    DbDataSet rows;
    if (!rows.open(query)) {
        message = QStringLiteral("*** System Error : データエラー");
        return std::nullopt;
    }
    if (rows.isEmpty()) {
        message = QStringLiteral("リハビリ計画書データが見つかりません。");
        return std::nullopt;
    }
    LatestPlan plan;
    plan.Person = TPerson::fromRow(rows);
    plan.PlanRegistDay = rows.field(u"PlanRegistDay").asDateTime();
    PlanStore::Result result;
    const std::optional<TPlanData> body = PlanStore::body(rows, result);
    if (!body) {
        message = result.message;
        return std::nullopt;
    }
    plan.Program = body->Program;
    return plan;
}
