#pragma once

#include "report/pages/TrpPagePrinter.h"
#include "report/pages/TrpPlatformPrinter.h"
#include "report/pages/TrpPlatformPrinters.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

#include <memory>

// Platform printers for the tests: "Office" prints into a PDF file of its
// own, "Broken" cannot be opened.

// A platform printer with an A4 or A5 paper at 300 dpi and margins of 100
// pixels, and how often each call came.
class FakePrinter : public TrpPlatformPrinter
{
public:
    QList<QPageSize> pageSizes() const override
    {
        return {QPageSize(QPageSize::A4), QPageSize(QPageSize::A5), QPageSize(QSizeF(100, 100), QPageSize::Millimeter)};
    }
    QPageLayout pageLayout() const override { return m_layout; }
    int resolution() const override { return 300; }
    void setPaper(const QPageSize &size, QPageLayout::Orientation orientation) override
    {
        ++paperChanges;
        if (pageSizes().contains(size))
            m_layout.setPageSize(size);
        m_layout.setOrientation(orientation);
    }
    TrpPageOutput &printOutput() override
    {
        m_output = std::make_unique<TrpPagePrinter>(m_pdf);
        return *m_output;
    }
    bool submit() override
    {
        ++submits;
        return !refusesJobs;
    }
    QPagedPaintDevice &settingsDevice() override { return m_pdf; }
    void setJobName(const QString &name) override { jobName = name; }
    void abort() override
    {
        aborted = true;
        m_pdf.abort();
        // The job's painter ends with it.
        m_output.reset();
    }

    FakePrinter()
    {
        m_pdf.setOutputFormat(QPrinter::PdfFormat);
        m_pdf.setOutputFileName(m_dir.filePath(QStringLiteral("printed.pdf")));
        m_pdf.setFullPage(true);
    }

    // What was printed: a PDF, empty while no job ran.
    [[nodiscard]] QByteArray printed() const
    {
        QFile file(m_pdf.outputFileName());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The pages of the printed PDF.
    [[nodiscard]] int printedPages() const { return int(printed().count("/Type /Page\n")); }

    int paperChanges = 0;
    int submits = 0;
    bool refusesJobs = false;
    QString jobName;
    bool aborted = false;

private:
    static constexpr double Margin = 100.0 / 300 * 25.4;
    QPageLayout m_layout{QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(Margin, Margin, Margin, Margin),
                         QPageLayout::Millimeter};
    QTemporaryDir m_dir;
    QPrinter m_pdf{QPrinter::HighResolution};
    std::unique_ptr<TrpPagePrinter> m_output;
};

class FakePrinters : public TrpPlatformPrinters
{
public:
    QStringList printerNames() const override { return {QStringLiteral("Office"), QStringLiteral("Broken")}; }
    QString defaultPrinterName() const override { return QStringLiteral("Office"); }
    std::unique_ptr<TrpPlatformPrinter> open(const QString &name) override
    {
        if (name != QStringLiteral("Office"))
            return nullptr;
        auto printer = std::make_unique<FakePrinter>();
        opened = printer.get();
        return printer;
    }

    FakePrinter *opened = nullptr;
};
