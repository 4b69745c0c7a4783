#pragma once

#include "base/Variant.h"
#include "plans/TPractice.h"

#include <QString>

#include <optional>

class StaffDirectory;

// The values of the printed practice plan ("PracticePlan.rpf") for one
// record: the first evaluation table in 15 lines (its rows 0 to 3, a blank
// line, rows 4 to 12, a blank line), the second in 8, the texts (those of
// the header's one-row boxes as one paragraph without empty lines), the
// check boxes and the care team by the staff's names.
class PracticePlanPrint
{
public:
    static constexpr int Table1Lines = 15;
    static constexpr int Table2Lines = 8;

    // The staff list is the data module's, read as the values are asked.
    PracticePlanPrint(TPractice record, const StaffDirectory &staff, QString facilityName);

    // The value of a template variable on the lines (0-based) of the two
    // tables; nullopt for a name not its own, and for a table line past
    // the table.
    [[nodiscard]] std::optional<Variant> value(const QString &name, int line1, int line2) const;

    // The first table's row printed on a line; nullopt on a blank line.
    [[nodiscard]] static std::optional<int> table1Row(int line);

private:
    [[nodiscard]] std::optional<Variant> tableValue(const QString &name, int line1, int line2) const;
    [[nodiscard]] std::optional<Variant> textValue(const QString &name) const;
    [[nodiscard]] QString staffName(qint32 code) const;

    TPractice m_record;
    const StaffDirectory *m_staff;
    QString m_facilityName;
};
