#pragma once

#include <QLoggingCategory>

// The database layer's logging category.
Q_DECLARE_LOGGING_CATEGORY(lcDb)
