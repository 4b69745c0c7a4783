#include "printing/ToukeiPrint.h"

#include "core/EraDate.h"

ToukeiPrint::ToukeiPrint(ToukeiCounts counts, QString facilityName, TDateTime today)
    : m_counts(std::move(counts)), m_facility(std::move(facilityName)), m_today(today),
      m_report(ToukeiCounts::Types, ToukeiCounts::Months * ToukeiCounts::Measures,
               [this](const QString &name, int row, int column) { return value(name, row, column); })
{}

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
