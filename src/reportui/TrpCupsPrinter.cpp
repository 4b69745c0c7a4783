#include "reportui/TrpCupsPrinter.h"

TrpCupsPrinter::TrpCupsPrinter(const QPrinterInfo &info) : m_info(info), m_printer(info, QPrinter::HighResolution) {}

QList<QPageSize> TrpCupsPrinter::pageSizes() const
{
    return m_info.supportedPageSizes();
}

QPageLayout TrpCupsPrinter::pageLayout() const
{
    return m_printer.pageLayout();
}

int TrpCupsPrinter::resolution() const
{
    return m_printer.resolution();
}

void TrpCupsPrinter::setPaper(const QPageSize &size, QPageLayout::Orientation orientation)
{
    m_printer.setPageSize(size);
    m_printer.setPageOrientation(orientation);
    m_printer.setCopyCount(1);
}

QPagedPaintDevice &TrpCupsPrinter::printDevice()
{
    // Pages are drawn over the whole sheet, not inside the printer's margins.
    m_printer.setFullPage(true);
    return m_printer;
}

void TrpCupsPrinter::setJobName(const QString &name)
{
    m_printer.setDocName(name);
}

void TrpCupsPrinter::abort()
{
    m_printer.abort();
}
