#pragma once

#include "base/Variant.h"
#include "results/DailyMedicalRecord.h"

#include <QString>

#include <optional>

// The values of the daily results printout ("DailyMedicalRecord.rpf"),
// one report line per loaded row; the header is the loaded day, staff
// member and form, whatever the conditions show by now.
class DailyRecordPrint
{
public:
    DailyRecordPrint(const DailyMedicalRecord &record, QString facilityName, QString staffName, int rihaType,
                     TDateTime now);

    [[nodiscard]] int rowCount() const { return m_record.rows().size(); }
    [[nodiscard]] std::optional<Variant> value(const QString &name, int row) const;

private:
    const DailyMedicalRecord &m_record;
    DailyMedicalRecord::Totals m_totals;
    QString m_facility;
    QString m_staffName;
    int m_rihaType;
    TDateTime m_now;
};
