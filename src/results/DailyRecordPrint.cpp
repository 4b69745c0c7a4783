#include "results/DailyRecordPrint.h"

#include "core/CodeTables.h"
#include "core/EraDate.h"

namespace {

const QString IdeographicSpace = QStringLiteral("　");

} // namespace

DailyRecordPrint::DailyRecordPrint(const DailyMedicalRecord &record, QString facilityName, QString staffName,
                                   int rihaType, TDateTime now)
    : m_record(record), m_totals(record.totals()), m_facility(std::move(facilityName)),
      m_staffName(std::move(staffName)), m_rihaType(rihaType), m_now(now)
{
}

std::optional<Variant> DailyRecordPrint::value(const QString &name, int row) const
{
    if (row >= 0 && row < rowCount()) {
        const CureResult &r = m_record.rows().at(row);
        if (name == u"CureNo")
            return Variant(QStringLiteral("%1").arg(r.CureNo, 8));
        if (name == u"Shimei")
            return Variant(r.Name);
        if (name == u"Nyushobi")
            return Variant(r.NYUSHOBI_YMD == DateTime::None ? QString() : FormatEraDate(r.NYUSHOBI_YMD));
        if (name == u"PlanStart")
            return Variant(DateTime::shortTime(r.PStartTime));
        if (name == u"PlanTime")
            return Variant(QString::number(r.PMinute));
        if (name == u"ResultStart")
            return Variant(DateTime::shortTime(r.RStartTime));
        if (name == u"ResultTime")
            return Variant(QString::number(r.RMinute));
        if (name == u"Comment")
            return Variant(r.Comment.isEmpty() ? IdeographicSpace : r.Comment);
        if (name == u"Editor")
            return Variant(r.LoginName);
        for (int i = 0; i < ResultTypeFlags::Count; ++i) {
            if (name == QStringLiteral("Kubun%1").arg(i + 1, 2, 10, QLatin1Char('0')))
                return Variant(r.Flags[size_t(i)] ? QStringLiteral("○") : QStringLiteral(" "));
        }
    }
    if (name == u"Sakuseibi")
        return Variant(DateTime::format(u"ggee年mm月dd日hh時nn分", m_now));
    if (name == u"Homemei")
        return Variant(m_facility);
    if (name == u"YYMM")
        return Variant(FormatEraDate(m_record.WorkDay()));
    if (name == u"RihaType")
        return Variant(CodeName(RihaTypeNames, m_rihaType));
    if (name == u"TantouName")
        return Variant(m_staffName.isEmpty() ? IdeographicSpace : m_staffName);
    if (name == u"SumFun")
        return Variant(QString::number(m_totals.ExecMinutes));
    if (name == u"SumCnt")
        return Variant(QString::number(m_totals.ExecCount));
    return std::nullopt;
}
