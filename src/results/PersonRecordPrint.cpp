#include "results/PersonRecordPrint.h"

#include "core/CodeTables.h"
#include "core/EraDate.h"

namespace {

QString eraDate(TDateTime date)
{
    return date == DateTime::None ? QString() : FormatEraDate(date);
}

} // namespace

PersonRecordPrint::PersonRecordPrint(const PersonMedicalRecord &record, PersonMedicalRecord::LatestPlan plan,
                                     QString facilityName)
    : m_lines(record.dayLines()), m_legend(record.legend()), m_plan(std::move(plan)), m_yearMonth(record.YearMonth()),
      m_facility(std::move(facilityName))
{
    for (const TLineData &line : m_lines) {
        m_funnTotal += line.Funn;
        m_cntTotal += line.Count;
    }
}

std::optional<Variant> PersonRecordPrint::lineValue(const QString &name, const TLineData &line) const
{
    if (name == u"COLOR")
        return Variant(line.COLOR);
    if (name == u"DayWeek")
        return Variant(line.DayWeek);
    if (name == u"Start")
        return Variant(line.Start == DateTime::None ? QString() : DateTime::shortTime(line.Start));
    if (name == u"Funn")
        return Variant(QString::number(line.Funn));
    if (name == u"RsType")
        return Variant(line.RsType);
    if (name == u"Count")
        return Variant(QString::number(line.Count));
    if (name == u"Toki")
        return Variant(QString());
    if (name == u"Login")
        return Variant(line.Login);
    for (size_t i = 0; i < TLineData::MarkNames.size(); ++i) {
        if (name == TLineData::MarkNames[i])
            return Variant(line.*TLineData::MarkFields[i]);
    }
    return std::nullopt;
}

std::optional<Variant> PersonRecordPrint::value(const QString &name, int line) const
{
    if (line >= 0 && line < dayCount()) {
        if (auto v = lineValue(name, m_lines[size_t(line)]))
            return v;
    }
    const TPerson &h = m_plan.Person;
    if (name == u"CureNo")
        return Variant(QString::number(h.CureNo));
    if (name == u"BeginDay")
        return Variant(eraDate(h.NYUSHOBI_YMD));
    if (name == u"EndDay")
        return Variant(eraDate(h.TAISHOBI_YMD));
    if (name == u"Name")
        return Variant(h.Name);
    if (name == u"Sex")
        return Variant(CodeName(SexNames, h.Sex));
    if (name == u"NRType")
        return Variant(CodeName(RihaTypeNames, h.RihaType));
    if (name == u"Birth")
        return Variant(eraDate(h.Birth));
    if (name == u"Jiritsu")
        return Variant(CodeName(JiritsuNames, h.Jiritsu_KBN));
    if (name == u"Ninchi")
        return Variant(CodeName(NinchiNames, h.Ninchi_KBN));
    if (name == u"Kaigo")
        return Variant(CodeName(YoukaigoNames, h.YOUKAIGO_KBN));
    if (name == u"RegDay")
        return Variant(eraDate(m_plan.PlanRegistDay));
    if (name.startsWith(u"Program") && name.size() == 8 && name[7] >= u'1' && name[7] <= u'6')
        return Variant(m_plan.Program[size_t(name[7].unicode() - u'1')]);
    if (name == u"Hizuke")
        return Variant(FormatEraYearMonth(m_yearMonth));
    if (name == u"Shisetsu")
        return Variant(m_facility);
    if (name == u"FunnTotal")
        return Variant(QString::number(m_funnTotal));
    if (name == u"CntTotal")
        return Variant(QString::number(m_cntTotal));
    for (int i = 0; i < PersonMedicalRecord::LegendSize; ++i) {
        if (name == QStringLiteral("Tk%1").arg(i + 1))
            return Variant(m_legend.Tk[size_t(i)]);
        if (name == QStringLiteral("TkName%1").arg(i + 1))
            return Variant(m_legend.TkName[size_t(i)]);
    }
    return std::nullopt;
}
