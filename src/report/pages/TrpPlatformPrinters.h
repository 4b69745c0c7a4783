#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class TrpPlatformPrinter;

// The platform's printers as the engine reaches them. The engine links no
// printing library of the platform: the program installs the printers at
// start-up (reportui's TrpCupsPrinters); without them, as in the tools and
// the tests, TrpPrinter knows "Default printer" only.
class TrpPlatformPrinters
{
public:
    virtual ~TrpPlatformPrinters();

    [[nodiscard]] virtual QStringList printerNames() const = 0;
    // The platform's default printer; empty when it has none.
    [[nodiscard]] virtual QString defaultPrinterName() const = 0;
    // The printer of that name; null when it cannot be opened.
    [[nodiscard]] virtual std::unique_ptr<TrpPlatformPrinter> open(const QString &name) = 0;

    // The installed printers, or null.
    [[nodiscard]] static TrpPlatformPrinters *installed();
    // Installs the printers (not owned) and returns those they replace.
    static TrpPlatformPrinters *install(TrpPlatformPrinters *printers);

protected:
    TrpPlatformPrinters() = default;
    TrpPlatformPrinters(const TrpPlatformPrinters &) = default;
    TrpPlatformPrinters &operator=(const TrpPlatformPrinters &) = default;
};
