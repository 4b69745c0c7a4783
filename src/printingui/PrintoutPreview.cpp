#include "printingui/PrintoutPreview.h"

#include "platform/DialogService.h"
#include "report/building/TrpReport.h"
#include "report/files/TrpTemplate.h"

namespace PrintoutPreview {

bool show(TrpReport &report, bool loaded)
{
    if (loaded)
        return report.ShowReport();
    // An unsupported version has shown its box while loading.
    const QString &message = report.LoadError().message;
    if (message != TrpTemplate::unsupportedMessage())
        Dialogs::service().message(MessageType::Error, message, MessageButtons::Ok, QStringLiteral("Error"));
    return false;
}

} // namespace PrintoutPreview
