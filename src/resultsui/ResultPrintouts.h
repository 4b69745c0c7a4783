#pragma once

#include "reportui/TemplatePrintout.h"

#include <QString>

#include <functional>
#include <optional>

class DailyMedicalRecord;
class PersonMedicalRecord;
struct AppContext;

// The two printouts of the results forms, built by the report engine from
// the templates beside the program.
class ResultPrintouts
{
public:
    static constexpr QStringView PersonTemplate = u"RihaPersonKirokusho.rpf";
    static constexpr QStringView DailyTemplate = u"DailyMedicalRecord.rpf";
    using Values = TemplatePrintout::Values;

    explicit ResultPrintouts(AppContext &context) : m_context(context) {}

    // Build the printout and show its preview; a failure has shown its box.
    bool printPersonRecord(const PersonMedicalRecord &record);
    bool printDaily(const DailyMedicalRecord &record, const QString &staffName, int rihaType);

private:
    bool show(QStringView templateName, int rows, Values values);

    AppContext &m_context;
};
