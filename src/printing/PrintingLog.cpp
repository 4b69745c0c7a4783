#include "printing/PrintingLog.h"

Q_LOGGING_CATEGORY(lcPrinting, "tamsolen.printing", QtWarningMsg)
