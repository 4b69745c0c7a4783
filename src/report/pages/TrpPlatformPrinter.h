#pragma once

#include <QList>
#include <QPageLayout>
#include <QPageSize>

class QPagedPaintDevice;
class TrpPageOutput;

// A printer of the platform, opened by TrpPlatformPrinters: its papers, its
// page layout and resolution, and the device that pages are printed on.
class TrpPlatformPrinter
{
public:
    virtual ~TrpPlatformPrinter();

    // The papers the printer offers, in its own order.
    [[nodiscard]] virtual QList<QPageSize> pageSizes() const = 0;
    // The current paper, orientation and margins.
    [[nodiscard]] virtual QPageLayout pageLayout() const = 0;
    // Printer pixels per inch, the same on both axes.
    [[nodiscard]] virtual int resolution() const = 0;
    // Sets the paper, the orientation and one copy; a paper the printer does
    // not offer leaves its current one.
    virtual void setPaper(const QPageSize &size, QPageLayout::Orientation orientation) = 0;
    // Where a new job's pages are printed, each over its whole sheet rather
    // than inside the printer's margins.
    [[nodiscard]] virtual TrpPageOutput &printOutput() = 0;
    // Sends the job printed on printOutput() to the printer once the output
    // has finished; false when the printer does not take it.
    [[nodiscard]] virtual bool submit() = 0;
    // The device whose paper settings the platform's page setup dialog
    // edits.
    [[nodiscard]] virtual QPagedPaintDevice &settingsDevice() = 0;
    // The name the print job shows in the printer's queue.
    virtual void setJobName(const QString &name) = 0;
    // Drops the job being printed on printOutput().
    virtual void abort() = 0;

protected:
    TrpPlatformPrinter() = default;
    TrpPlatformPrinter(const TrpPlatformPrinter &) = default;
    TrpPlatformPrinter &operator=(const TrpPlatformPrinter &) = default;
};
