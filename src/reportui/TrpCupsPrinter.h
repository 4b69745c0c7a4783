#pragma once

#include "report/pages/TrpPdfFile.h"
#include "report/pages/TrpPlatformPrinter.h"

#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

// A printer that CUPS lists. Its settings live in a QPrinter; a job is
// written as a PDF of the engine's own and handed to CUPS, so that the
// text of a job that a queue keeps as a file reads back as printed.
class TrpCupsPrinter : public TrpPlatformPrinter
{
public:
    explicit TrpCupsPrinter(const QPrinterInfo &info);
    ~TrpCupsPrinter() override;

    // False when Qt cannot print on the printer.
    [[nodiscard]] bool isValid() const { return m_printer.isValid(); }

    [[nodiscard]] QList<QPageSize> pageSizes() const override;
    [[nodiscard]] QPageLayout pageLayout() const override;
    [[nodiscard]] int resolution() const override;
    void setPaper(const QPageSize &size, QPageLayout::Orientation orientation) override;
    [[nodiscard]] TrpPageOutput &printOutput() override;
    [[nodiscard]] bool submit() override;
    [[nodiscard]] QPagedPaintDevice &settingsDevice() override { return m_printer; }
    void setJobName(const QString &name) override;
    void abort() override;

private:
    QPrinterInfo m_info;
    QPrinter m_printer;
    std::unique_ptr<TrpPdfFile> m_job;
    bool m_aborted = false;
};
