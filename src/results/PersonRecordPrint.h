#pragma once

#include "base/Variant.h"
#include "results/PersonMedicalRecord.h"

#include <QString>

#include <optional>
#include <vector>

// The values of the per-user results record ("RihaPersonKirokusho.rpf"):
// one day line per day of the loaded month, the user's register values and
// programme texts of the latest plan, the totals and the staff legend.
class PersonRecordPrint
{
public:
    PersonRecordPrint(const PersonMedicalRecord &record, PersonMedicalRecord::LatestPlan plan, QString facilityName);

    [[nodiscard]] int dayCount() const { return int(m_lines.size()); }
    [[nodiscard]] qint64 FunnTotal() const { return m_funnTotal; }
    [[nodiscard]] int CntTotal() const { return m_cntTotal; }
    // The value of a report variable on the day line (0-based); nullopt
    // for a name the printout does not know.
    [[nodiscard]] std::optional<Variant> value(const QString &name, int line) const;

private:
    [[nodiscard]] std::optional<Variant> lineValue(const QString &name, const TLineData &line) const;

    std::vector<TLineData> m_lines;
    PersonMedicalRecord::Legend m_legend;
    PersonMedicalRecord::LatestPlan m_plan;
    TDateTime m_yearMonth;
    QString m_facility;
    qint64 m_funnTotal = 0;
    int m_cntTotal = 0;
};
