#include "reportui/TrpCupsPrinters.h"

#include "reportui/TrpCupsPrinter.h"

#include <QPrinterInfo>

QStringList TrpCupsPrinters::printerNames() const
{
    return QPrinterInfo::availablePrinterNames();
}

QString TrpCupsPrinters::defaultPrinterName() const
{
    return QPrinterInfo::defaultPrinterName();
}

std::unique_ptr<TrpPlatformPrinter> TrpCupsPrinters::open(const QString &name)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull())
        return nullptr;
    auto printer = std::make_unique<TrpCupsPrinter>(info);
    if (!printer->isValid())
        return nullptr;
    return printer;
}
