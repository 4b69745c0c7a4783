#include "report/pages/TrpPlatformPrinters.h"

#include <utility>

namespace {

TrpPlatformPrinters *installedPrinters = nullptr;

} // namespace

TrpPlatformPrinters::~TrpPlatformPrinters() = default;

TrpPlatformPrinters *TrpPlatformPrinters::installed()
{
    return installedPrinters;
}

TrpPlatformPrinters *TrpPlatformPrinters::install(TrpPlatformPrinters *printers)
{
    return std::exchange(installedPrinters, printers);
}
