#include "printing/ToukeiPrint.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "core/EraDate.h"
#include "core/TMainModule.h"

ToukeiPrint::ToukeiPrint(ToukeiCounts counts, QString facilityName, TDateTime today)
    : m_counts(std::move(counts)), m_facility(std::move(facilityName)), m_today(today)
{}

std::unique_ptr<ToukeiPrint> ToukeiPrint::build(AppContext &context, TDateTime month, QString &message)
{
    ToukeiCounts counts(month);
    if (!counts.count(context.database)) {
        message = QStringLiteral("SystemError : 統計 集計 Error ");
        return nullptr;
    }
    auto print = std::make_unique<ToukeiPrint>(counts, context.mainModule.FacilityName, Clock::today());
    if (!print->setUp(context.appDir)) {
        message = print->m_report.loadErrorText();
        return nullptr;
    }
    return print;
}

std::optional<Variant> ToukeiPrint::value(const QString &name, int row, int column) const
{
    if (name == u"TokeiData")
        return Variant(m_counts.cell(row, column));
    if (name == u"Hizuke")
        return Variant(FormatEraDate(m_today));
    // 1B is the chosen month, 3B two months before it.
    for (int month = 0; month < ToukeiCounts::Months; ++month) {
        if (name == QStringLiteral("Hizuke%1B").arg(ToukeiCounts::Months - month))
            return Variant(FormatEraYearMonth(m_counts.monthStart(month)));
    }
    if (name == u"Shisetusu")
        return Variant(m_facility);
    return std::nullopt;
}

bool ToukeiPrint::setUp(const QString &appDir)
{
    return m_report.load(appDir, TemplateName, ToukeiCounts::Types, ToukeiCounts::Months * ToukeiCounts::Measures,
                         [this](const QString &name, int row, int column) { return value(name, row, column); });
}
