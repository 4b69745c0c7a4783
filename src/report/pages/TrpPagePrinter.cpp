#include "report/pages/TrpPagePrinter.h"

#include "report/pages/TrpEMFPage.h"
#include "report/pages/TrpPrinter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>

TrpPagePrinter::TrpPagePrinter(QPagedPaintDevice &device) : m_device(device) {}

TrpPagePrinter::~TrpPagePrinter()
{
    if (m_painter.isActive())
        m_painter.end();
}

QPageLayout TrpPagePrinter::pageLayout(const TrpEMFPage &page)
{
    const QPageLayout::Orientation orientation =
        page.Orientation == TrpPrinter::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    if (page.PaperSize != TrpPrinter::CustomPaper) {
        const QPageSize::PageSizeId id = QPageSize::id(int(page.PaperSize));
        if (id != QPageSize::Custom)
            return QPageLayout(QPageSize(id), orientation, QMarginsF());
    }
    const qint32 width = page.PaperWidth;
    const qint32 height = page.PaperHeight;
    if (width > 0 && height > 0 && width <= TrpPrinter::MaxPaperLength && height <= TrpPrinter::MaxPaperLength) {
        // A custom size is stored as it lies on the sheet.
        return QPageLayout(
            QPageSize(QSizeF(qMin(width, height) / 10.0, qMax(width, height) / 10.0), QPageSize::Millimeter),
            width > height ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
    }
    return QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF());
}

bool TrpPagePrinter::print(TrpEMFPage &page)
{
    m_device.setPageLayout(pageLayout(page));
    if (!m_started) {
        if (!m_painter.begin(&m_device))
            return false;
        m_started = true;
    } else if (!m_device.newPage()) {
        return false;
    }
    const QRectF sheet(0, 0, m_device.width(), m_device.height());
    page.Visible = true;
    page.draw(m_painter, sheet);
    page.Visible = false;
    page.draw(m_painter, sheet);
    return true;
}

bool TrpPagePrinter::finish()
{
    if (!m_painter.isActive())
        return m_started;
    return m_painter.end();
}
