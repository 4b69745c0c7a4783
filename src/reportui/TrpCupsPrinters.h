#pragma once

#include "report/pages/TrpPlatformPrinters.h"

// The printers that CUPS lists, through Qt PrintSupport; the program
// installs them for the report engine at start-up.
class TrpCupsPrinters : public TrpPlatformPrinters
{
public:
    [[nodiscard]] QStringList printerNames() const override;
    [[nodiscard]] QString defaultPrinterName() const override;
    [[nodiscard]] std::unique_ptr<TrpPlatformPrinter> open(const QString &name) override;
};
