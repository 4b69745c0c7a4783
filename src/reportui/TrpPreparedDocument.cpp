#include "reportui/TrpPreparedDocument.h"

#include "report/pages/TrpPrinter.h"

TrpPreparedDocument::TrpPreparedDocument(TrpPrinter &printer, TrpPlatformPrinters *platform, QString title)
    : m_printer(printer), m_platform(platform), m_title(std::move(title))
{}

bool TrpPreparedDocument::rebuildForPrinter(int, int)
{
    return false;
}

bool TrpPreparedDocument::savePrepared(const QString &fileName)
{
    const bool saved = m_pages.SaveToFile(fileName, m_printer.printerName());
    m_error = m_pages.error();
    return saved;
}

bool TrpPreparedDocument::loadPrepared(const QString &fileName)
{
    const bool loaded = m_pages.LoadFromFile(fileName, m_printer, false);
    m_error = m_pages.error();
    return loaded;
}

bool TrpPreparedDocument::printPrepared(const QString &pageText, int copies)
{
    m_error = TrpError{};
    TrpPrintJob job(m_printer, m_platform);
    const TrpPrintJob::Result result = job.print(m_pages, pageText, copies, m_title, m_progress);
    if (result != TrpPrintJob::Result::Printed && result != TrpPrintJob::Result::Cancelled)
        m_error = TrpError{TrpError::Kind::Stream, TrpPrintJob::message(result), -1};
    return result == TrpPrintJob::Result::Printed;
}
