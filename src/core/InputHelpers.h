#pragma once

#include <QStringView>

// The first position from start (1-based) whose character is not a blank;
// the text's length + 1 when there is none. A start before 1 counts from 1.
[[nodiscard]] qsizetype FirstNonBlankPos(QStringView text, qsizetype start);
