#include "reportui/TemplatePrintout.h"

#include "report/building/TrpReport.h"
#include "report/data/TrpUserDataset.h"
#include "reportui/PrintoutPreview.h"

namespace TemplatePrintout {

bool setUp(TrpReport &report, TrpUserDataset &dataset, const QString &templateFile, int rows, Values values)
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

bool show(const QString &templateFile, int rows, Values values)
{
    QObject owner;
    TrpReport report(&owner);
    TrpUserDataset dataset(&owner);
    return PrintoutPreview::show(report, setUp(report, dataset, templateFile, rows, std::move(values)));
}

} // namespace TemplatePrintout
