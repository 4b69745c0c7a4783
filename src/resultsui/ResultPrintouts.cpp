#include "resultsui/ResultPrintouts.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "core/TMainModule.h"
#include "platform/DialogService.h"
#include "reportui/TemplatePrintout.h"
#include "results/DailyRecordPrint.h"
#include "results/PersonRecordPrint.h"

bool ResultPrintouts::show(QStringView templateName, int rows, Values values)
{
    return TemplatePrintout::show(m_context.appDir + QLatin1Char('/') + templateName.toString(), rows,
                                  std::move(values));
}

bool ResultPrintouts::printPersonRecord(const PersonMedicalRecord &record)
{
    QString message;
    auto plan = record.latestPlan(message);
    if (!plan) {
        Dialogs::message(message.startsWith(u'*') ? MessageType::Error : MessageType::Information, message,
                         MessageButtons::Ok);
        return false;
    }
    const PersonRecordPrint print(record, std::move(*plan), m_context.mainModule.FacilityName);
    return show(PersonTemplate, print.dayCount(),
                [&print](const QString &name, int row) { return print.value(name, row); });
}

bool ResultPrintouts::printDaily(const DailyMedicalRecord &record, const QString &staffName, int rihaType)
{
    const DailyRecordPrint print(record, m_context.mainModule.FacilityName, staffName, rihaType, Clock::now());
    return show(DailyTemplate, print.rowCount(),
                [&print](const QString &name, int row) { return print.value(name, row); });
}
