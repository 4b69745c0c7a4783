#include "reportui/PrintoutPreview.h"

#include "platform/DialogService.h"
#include "report/building/TrpReport.h"
#include "report/building/TrpReportUi.h"
#include "report/files/TrpTemplate.h"

namespace PrintoutPreview {

bool show(TrpReport &report, const QString &templateFile)
{
    if (report.LoadFromFile(templateFile))
        return report.ShowReport();
    // An unsupported version has shown its box while loading, when the
    // engine had a window to show it in.
    const QString &message = report.LoadError().message;
    if (message == TrpTemplate::unsupportedMessage() && TrpReportUi::installed().message)
        return false;
    // Only the reason of a file that cannot be opened names it; a broken
    // one may have no reason at all.
    QString text = message;
    if (!text.contains(report.FileName)) {
        text = QStringLiteral("Cannot read file \"%1\".").arg(report.FileName) +
               (text.isEmpty() ? QString() : u' ' + text);
    }
    Dialogs::service().message(MessageType::Error, text, MessageButtons::Ok, QStringLiteral("Error"));
    return false;
}

} // namespace PrintoutPreview
