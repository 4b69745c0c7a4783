#include "resultsui/ResultPrintouts.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "core/TMainModule.h"
#include "platform/DialogService.h"
#include "report/building/TrpReport.h"
#include "report/data/TrpUserDataset.h"
#include "results/DailyRecordPrint.h"
#include "results/PersonRecordPrint.h"

bool ResultPrintouts::setUp(TrpReport &report, TrpUserDataset &dataset, const QString &templateFile, int rows,
                            Values values)
{
    dataset.setObjectName(QStringLiteral("rpUserDataset1"));
    dataset.RangeEnd = reCount;
    dataset.RangeEndCount = rows;
    if (!report.LoadFromFile(templateFile))
        return false;
    report.OnGetValue = [&dataset, values = std::move(values)](const QString &name, Variant &value) {
        if (auto answer = values(name, dataset.RecNo))
            value = *answer;
    };
    return true;
}

bool ResultPrintouts::show(QStringView templateName, int rows, Values values)
{
    QObject form;
    TrpReport report(&form);
    TrpUserDataset dataset(&form);
    const QString file = m_context.appDir + QLatin1Char('/') + templateName.toString();
    if (!setUp(report, dataset, file, rows, std::move(values))) {
        Dialogs::error(QStringLiteral("*** System Error : 帳票ファイルを読めません。\n") + file);
        return false;
    }
    return report.ShowReport();
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
