#pragma once

#include "plans/FigureModel.h"

#include <QPainterPath>
#include <QPixmap>

class QPainter;

// The body chart's pictures, drawn here as vectors: a standing figure seen
// from the front (105 x 207) and from the back (102 x 206), a shaded quarter
// of each for the paralysis overlays, and the legend of the mark kinds.
namespace BodyArtwork {

// The picture lies this far inside its side's panel, which holds its
// marks; the back panel stands this far right of the front one.
inline constexpr int PictureOffset = 8;
inline constexpr int PanelGap = 6;

[[nodiscard]] QSize size(FigureModel::Side side);
[[nodiscard]] QSize panelSize(FigureModel::Side side);
// The figure's outline in picture coordinates, head and body as one shape.
[[nodiscard]] QPainterPath silhouette(FigureModel::Side side);
// The outline with the few inner lines of a body chart, in picture
// coordinates; body() on white.
void paintBody(QPainter &painter, FigureModel::Side side);
[[nodiscard]] QPixmap body(FigureModel::Side side);
// The part of the figure in the quarter (divided where the mouse rule
// divides it), hatched and lightly shaded; overlay() on transparent.
void paintOverlay(QPainter &painter, FigureModel::Side side, FigureModel::Corner corner);
[[nodiscard]] QPixmap overlay(FigureModel::Side side, FigureModel::Corner corner);
// The looks of the four kinds with their names, one per line.
[[nodiscard]] QPixmap legend();

} // namespace BodyArtwork
