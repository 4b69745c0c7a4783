#include "report/building/TrpReportUi.h"

TrpReportUi &TrpReportUi::installed()
{
    static TrpReportUi ui;
    return ui;
}

void TrpReportUi::install(const TrpReportUi &ui)
{
    installed() = ui;
}
