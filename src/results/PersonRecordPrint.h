#pragma once

#include "base/Variant.h"
#include "results/PersonMedicalRecord.h"

#include <QString>

#include <optional>
#include <vector>

// The values of the per-user results record ("RihaPersonKirokusho.rpf"),
// taken from the loaded month: one day line per day of the month, the
// user's register values of the month's first result, the totals and the
// staff legend.
class PersonRecordPrint
{
public:
    PersonRecordPrint(const PersonMedicalRecord &record, QString facilityName);

    [[nodiscard]] int dayCount() const { return int(m_lines.size()); }
    [[nodiscard]] int FunnTotal() const { return m_funnTotal; }
    [[nodiscard]] int CntTotal() const { return m_cntTotal; }
    // The value of a report variable on the day line (0-based); nullopt
    // for a name the printout does not know.
    [[nodiscard]] std::optional<Variant> value(const QString &name, int line) const;

private:
    [[nodiscard]] std::optional<Variant> lineValue(const QString &name, const TLineData &line) const;

    std::vector<TLineData> m_lines;
    PersonMedicalRecord::Legend m_legend;
    CureResult m_header;
    TDateTime m_yearMonth;
    QString m_facility;
    int m_funnTotal = 0;
    int m_cntTotal = 0;
};
