#include "printingui/PracticePlanPrintout.h"

#include "core/AppContext.h"
#include "printing/PracticePlanReport.h"
#include "reportui/PrintoutPreview.h"

namespace PracticePlanPrintout {

namespace {

bool present(const AppContext &context, PracticePlanReport &print)
{
    return PrintoutPreview::show(print.report(),
                                 context.appDir + QLatin1Char('/') + PracticePlanReport::TemplateName.toString());
}

} // namespace

bool show(const AppContext &context, const TPractice &record)
{
    PracticePlanReport print(context.mainModule, record);
    return present(context, print);
}

bool show(const AppContext &context, const std::vector<int> &practNos)
{
    PracticePlanReport print(context.database, context.mainModule, practNos);
    return present(context, print);
}

} // namespace PracticePlanPrintout
