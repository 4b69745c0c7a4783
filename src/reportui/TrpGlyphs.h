#pragma once

#include <QPixmap>

// Small pictures of the preview and its dialogs that the style lacks.
namespace TrpGlyphs {

// A printer, 18 x 16: the printer list and the print button.
[[nodiscard]] QPixmap printer();
// A magnifying glass, 16 x 16: the search button.
[[nodiscard]] QPixmap magnifier();

} // namespace TrpGlyphs
