#pragma once

#include <QLoggingCategory>

// The user registry's logging category.
Q_DECLARE_LOGGING_CATEGORY(lcUsers)
