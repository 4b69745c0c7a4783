#pragma once

#include "report/pages/TrpPageOutput.h"

#include <QPainter>

class QPageLayout;
class QPagedPaintDevice;
class TrpEMFPage;

// Prints prepared pages on a paged device, a printer's (see
// TrpPlatformPrinter::printDevice) or a PDF writer: each page on a sheet of
// its own paper and orientation, drawn over the whole sheet, and released
// from memory once printed.
class TrpPagePrinter : public TrpPageOutput
{
public:
    explicit TrpPagePrinter(QPagedPaintDevice &device);
    ~TrpPagePrinter() override;
    TrpPagePrinter(const TrpPagePrinter &) = delete;
    TrpPagePrinter &operator=(const TrpPagePrinter &) = delete;

    // False when the device cannot be painted on.
    [[nodiscard]] bool print(TrpEMFPage &page) override;
    // Ends the document; false when the device reports a failure.
    [[nodiscard]] bool finish() override;

    // The sheet of a page: its paper code when the code is a known paper,
    // else its stored size, else A4; no margins.
    [[nodiscard]] static QPageLayout pageLayout(const TrpEMFPage &page);

private:
    QPagedPaintDevice &m_device;
    QPainter m_painter;
    bool m_started = false;
};
