#pragma once

#include <QLoggingCategory>

// The printouts' logging category.
Q_DECLARE_LOGGING_CATEGORY(lcPrinting)
