#include "report/pages/TrpPlatformPrinter.h"

TrpPlatformPrinter::~TrpPlatformPrinter() = default;
