#include "printingui/CurePlanPrintout.h"

#include "platform/DialogService.h"
#include "printing/CurePlanPrint.h"
#include "report/building/TrpReport.h"
#include "report/data/TrpUserDataset.h"
#include "report/expr/TrpExpander.h"
#include "report/objects/TrpPictureView.h"
#include "reportui/TemplatePrintout.h"

#include <QImage>

namespace CurePlanPrintout {

bool setUp(TrpReport &report, TrpUserDataset &dataset, const QString &templateFile, const CurePlanPrint &plan,
           const QImage &figure)
{
    if (!TemplatePrintout::setUp(report, dataset, templateFile, 1,
                                 [&plan](const QString &name, int) { return plan.value(name); }))
        return false;
    report.OnEnterRect = [&plan, image = figure](QStringList &memo, TrpView &view) {
        if (memo.isEmpty())
            return;
        if (auto *picture = dynamic_cast<TrpPictureView *>(&view)) {
            if (memo.first() == u"[Picture]")
                picture->setImage(image);
        } else if (auto text = plan.areaText(memo.first())) {
            memo = TrpExpander::splitLines(*text);
        }
    };
    return true;
}

bool show(const QString &appDir, const CurePlanPrint &plan, const QImage &figure)
{
    const QString file = appDir + QLatin1Char('/') + QString::fromUtf16(TemplateName);
    QObject owner;
    TrpReport report(&owner);
    TrpUserDataset dataset(&owner);
    if (!setUp(report, dataset, file, plan, figure)) {
        Dialogs::error(QStringLiteral("*** System Error : 帳票ファイルを読めません。\n") + file);
        return false;
    }
    return report.ShowReport();
}

} // namespace CurePlanPrintout
