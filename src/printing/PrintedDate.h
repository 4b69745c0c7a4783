#pragma once

#include "base/DateTime.h"

#include <QString>

// A date as the printouts print it: in the era form, and empty for a date
// never entered rather than the zero day.
[[nodiscard]] QString PrintedDate(TDateTime date);
