#pragma once

#include <QImage>

class FigureModel;

// The body figures as printed: the front and the back panel side by side,
// as the editor places them, with their paralysis overlays and marks, and
// none of the editor's buttons or choosers. Painted from the model, so that
// a plan printed from its stored rows looks as it did in the editor.
namespace FigurePicture {

// The panels at that many pixels per screen pixel, on white.
[[nodiscard]] QImage paint(const FigureModel &model, int scale = 4);
// The size of the panels side by side in screen pixels.
[[nodiscard]] QSize size();

} // namespace FigurePicture
