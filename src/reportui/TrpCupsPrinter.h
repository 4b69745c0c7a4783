#pragma once

#include "report/pages/TrpPlatformPrinter.h"

#include <QPrinter>
#include <QPrinterInfo>

// A printer that CUPS lists, driven through QPrinter at high resolution.
class TrpCupsPrinter : public TrpPlatformPrinter
{
public:
    explicit TrpCupsPrinter(const QPrinterInfo &info);

    // False when Qt cannot print on the printer.
    [[nodiscard]] bool isValid() const { return m_printer.isValid(); }

    [[nodiscard]] QList<QPageSize> pageSizes() const override;
    [[nodiscard]] QPageLayout pageLayout() const override;
    [[nodiscard]] int resolution() const override;
    void setPaper(const QPageSize &size, QPageLayout::Orientation orientation) override;
    [[nodiscard]] QPagedPaintDevice &printDevice() override;
    void setJobName(const QString &name) override;
    void abort() override;

private:
    QPrinterInfo m_info;
    QPrinter m_printer;
};
