#pragma once

#include "base/Variant.h"

#include <QString>

// Values given on rpftool's command line and in its CSV files.
namespace ToolValue {

// 'text' is a text; anything that reads as a number is one; the rest a text.
[[nodiscard]] Variant parse(const QString &text);

} // namespace ToolValue
