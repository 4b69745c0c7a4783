#include "reportui/TemplatePrintout.h"

#include "report/building/TrpReport.h"
#include "report/data/TrpUserDataset.h"
#include "reportui/PrintoutPreview.h"

namespace TemplatePrintout {

void bind(TrpReport &report, TrpUserDataset &dataset, int rows, Values values)
{
    report.setObjectName(QStringLiteral("rpReport1"));
    dataset.setObjectName(QStringLiteral("rpUserDataset1"));
    dataset.RangeEnd = reCount;
    dataset.RangeEndCount = rows;
    report.OnGetValue = [&dataset, values = std::move(values)](const QString &name, Variant &value) {
        if (auto answer = values(name, dataset.RecNo))
            value = *answer;
    };
}

bool show(const QString &templateFile, int rows, Values values)
{
    QObject owner;
    TrpReport report(&owner);
    TrpUserDataset dataset(&owner);
    bind(report, dataset, rows, std::move(values));
    return PrintoutPreview::show(report, templateFile);
}

} // namespace TemplatePrintout
