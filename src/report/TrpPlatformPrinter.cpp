#include "report/TrpPlatformPrinter.h"

TrpPlatformPrinter::~TrpPlatformPrinter() = default;
