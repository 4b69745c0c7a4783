#pragma once

#include <QList>
#include <QString>

// The pages a print run takes from a text such as "1,3-5", "7-" or "-2"
// (blanks ignored, pages counted from 1). Pages beyond the last are
// dropped; an empty text means every page.
namespace TrpPageRange {

// 0-based page indexes in ascending order, each once; empty when the text
// names no page of the report (or is not a page list at all).
[[nodiscard]] QList<int> parse(const QString &text, int pageCount);

} // namespace TrpPageRange
