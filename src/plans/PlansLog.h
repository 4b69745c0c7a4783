#pragma once

#include <QLoggingCategory>

// The plans' logging category.
Q_DECLARE_LOGGING_CATEGORY(lcPlans)
