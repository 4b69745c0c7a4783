#pragma once

#include "base/Variant.h"
#include "printing/CountedReport.h"
#include "printing/ToukeiCounts.h"

#include <QString>

#include <memory>
#include <optional>

struct AppContext;

// The printed three-month statistics ("Toukei.rpf"): a row per treatment
// type (rpUserDataset1) and a cross column per month and measure
// (rpUserDataset2), over counts taken before.
class ToukeiPrint
{
public:
    static constexpr QStringView TemplateName = u"Toukei.rpf";

    ToukeiPrint(ToukeiCounts counts, QString facilityName, TDateTime today);

    // Counts the three months ending with the month of the date and loads
    // the template from the program's folder: the printout ready to be
    // built or shown. Nullptr with the message to show when it cannot be.
    [[nodiscard]] static std::unique_ptr<ToukeiPrint> build(AppContext &context, TDateTime month, QString &message);

    // The value of a variable at the row and column (0-based); nullopt for
    // a name the printout does not know.
    [[nodiscard]] std::optional<Variant> value(const QString &name, int row, int column) const;

    // Loads the template from the folder; false when it does not load (the
    // report's LoadError() says why).
    [[nodiscard]] bool setUp(const QString &appDir);
    [[nodiscard]] TrpReport &report() { return m_report.report(); }

private:
    ToukeiCounts m_counts;
    QString m_facility;
    TDateTime m_today;
    CountedReport m_report;
};
