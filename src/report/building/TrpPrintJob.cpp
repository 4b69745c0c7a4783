#include "report/building/TrpPrintJob.h"

#include "report/building/TrpPageRange.h"
#include "report/building/TrpProgressUi.h"
#include "report/building/TrpReport.h"
#include "report/building/TrpReportUi.h"
#include "report/pages/TrpEMFPage.h"
#include "report/pages/TrpPageOutput.h"
#include "report/pages/TrpPlatformPrinter.h"
#include "report/pages/TrpPrinter.h"

TrpPrintJob::TrpPrintJob(TrpReport &report) : m_report(report) {}

bool TrpPrintJob::print(const QString &pageText, int copies)
{
    TrpEMFPages &pages = m_report.EMFPages();
    const QList<int> chosen = TrpPageRange::parse(pageText, pages.Count());
    if (chosen.isEmpty()) {
        m_errorText = QStringLiteral("No page to print: \"%1\"").arg(pageText);
        return false;
    }
    TrpPrinter &printer = m_report.printer();
    TrpPlatformPrinter *device = printer.printTarget();
    if (!device) {
        m_errorText = QStringLiteral("No printer to print on");
        return false;
    }
    const TrpEMFPage &first = pages[chosen.first()];
    printer.setPaper(first.PaperSize, first.PaperWidth, first.PaperHeight, first.Orientation);
    device->setJobName(TrpReport::jobName(m_report.Title));
    TrpPageOutput &output = device->printOutput();
    TrpProgressUi *progress = TrpReportUi::installed().progress;
    for (const int index : chosen) {
        for (int copy = 0; copy < std::max(1, copies); ++copy) {
            if (!output.print(pages[index])) {
                m_errorText = QStringLiteral("Printing failed");
                return false;
            }
        }
        if (m_report.OnProgress)
            m_report.OnProgress(index + 1);
        else if (progress && progress->isShowing()) {
            progress->setLabel(QStringLiteral("Printing page:  %1").arg(index + 1));
            if (progress->cancelRequested())
                m_report.Terminate();
        }
        if (m_report.Terminated()) {
            // The job is dropped whole rather than ended with part of it.
            device->abort();
            return false;
        }
    }
    if (!output.finish() || !device->submit()) {
        m_errorText = QStringLiteral("Printing failed");
        return false;
    }
    return true;
}
