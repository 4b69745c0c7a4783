#pragma once

#include "base/Variant.h"

#include <QString>

#include <functional>
#include <optional>

class DailyMedicalRecord;
class PersonMedicalRecord;
class TrpReport;
class TrpUserDataset;
struct AppContext;

// The two printouts of the results forms, built by the report engine from
// the templates beside the program.
class ResultPrintouts
{
public:
    static constexpr QStringView PersonTemplate = u"RihaPersonKirokusho.rpf";
    static constexpr QStringView DailyTemplate = u"DailyMedicalRecord.rpf";
    using Values = std::function<std::optional<Variant>(const QString &name, int row)>;

    explicit ResultPrintouts(AppContext &context) : m_context(context) {}

    // Build the printout and show its preview; a failure has shown its box.
    bool printPersonRecord(const PersonMedicalRecord &record);
    bool printDaily(const DailyMedicalRecord &record, const QString &staffName, int rihaType);

    // Loads the template into the report and walks rpUserDataset1 over the
    // rows, answering every variable from values; false when the template
    // does not load.
    [[nodiscard]] static bool setUp(TrpReport &report, TrpUserDataset &dataset, const QString &templateFile, int rows,
                                    Values values);

private:
    bool show(QStringView templateName, int rows, Values values);

    AppContext &m_context;
};
