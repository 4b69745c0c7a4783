#pragma once

#include "report/pages/TrpPlatformPrinter.h"
#include "report/pages/TrpPlatformPrinters.h"

#include <QBuffer>
#include <QPdfWriter>

#include <memory>

// A platform printer with an A4 or A5 paper at 300 dpi and margins of 100
// pixels, and how often each call came.
class FakePrinter : public TrpPlatformPrinter
{
public:
    FakePrinter() { m_output.open(QIODevice::WriteOnly); }

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
    QPagedPaintDevice &printDevice() override { return m_pdf; }
    void setJobName(const QString &name) override { jobName = name; }
    void abort() override {}

    int paperChanges = 0;
    QString jobName;

private:
    static constexpr double Margin = 100.0 / 300 * 25.4;
    QPageLayout m_layout{QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(Margin, Margin, Margin, Margin),
                         QPageLayout::Millimeter};
    QBuffer m_output;
    QPdfWriter m_pdf{&m_output};

public:
    // What was printed, as PDF.
    [[nodiscard]] const QByteArray &output() const { return m_output.data(); }
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

