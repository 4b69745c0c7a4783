#include "reportui/PrintoutPreview.h"

#include "platform/DialogService.h"
#include "report/building/TrpReport.h"
#include "report/building/TrpReportUi.h"
#include "report/files/TrpTemplate.h"

namespace PrintoutPreview {

bool show(TrpReport &report, bool loaded)
{
    if (loaded)
        return report.ShowReport();
    // An unsupported version has shown its box while loading, when the
    // engine had a window to show it in.
    const QString &message = report.LoadError().message;
    if (message != TrpTemplate::unsupportedMessage() || !TrpReportUi::installed().message)
        Dialogs::service().message(MessageType::Error, message, MessageButtons::Ok, QStringLiteral("Error"));
    return false;
}

} // namespace PrintoutPreview
