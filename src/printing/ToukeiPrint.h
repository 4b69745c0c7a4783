#pragma once

#include "base/Variant.h"
#include "printing/CountedReport.h"
#include "printing/ToukeiCounts.h"

#include <QString>

#include <optional>

// The printed three-month statistics ("Toukei.rpf"): a row per treatment
// type (rpUserDataset1) and a cross column per month and measure
// (rpUserDataset2), over counts taken before.
class ToukeiPrint
{
public:
    static constexpr QStringView TemplateName = u"Toukei.rpf";

    ToukeiPrint(ToukeiCounts counts, QString facilityName, TDateTime today);

    // The value of a variable at the row and column (0-based); nullopt for
    // a name the printout does not know.
    [[nodiscard]] std::optional<Variant> value(const QString &name, int row, int column) const;

    [[nodiscard]] TrpReport &report() { return m_report.report(); }

private:
    ToukeiCounts m_counts;
    QString m_facility;
    TDateTime m_today;
    CountedReport m_report;
};
