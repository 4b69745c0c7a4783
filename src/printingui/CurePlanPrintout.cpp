#include "printingui/CurePlanPrintout.h"

#include "printing/CurePlanReport.h"
#include "reportui/PrintoutPreview.h"

namespace CurePlanPrintout {

namespace {

bool present(const QString &appDir, CurePlanReport &print)
{
    return PrintoutPreview::show(print.report(), appDir + QLatin1Char('/') + CurePlanReport::TemplateName.toString());
}

} // namespace

bool show(const QString &appDir, const CurePlanPrint &plan, const QImage &figure)
{
    CurePlanReport print(plan, figure);
    return present(appDir, print);
}

bool show(const QString &appDir, DbConnection &database, const QString &facilityName, const std::vector<int> &planNos)
{
    CurePlanReport print(database, facilityName, planNos);
    return present(appDir, print);
}

} // namespace CurePlanPrintout
