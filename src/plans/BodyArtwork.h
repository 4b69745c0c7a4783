#pragma once

#include "plans/FigureModel.h"

#include <QPainterPath>
#include <QPixmap>

// The body chart's pictures, drawn here as vectors: a standing figure seen
// from the front (105 x 207) and from the back (102 x 206), a shaded quarter
// of each for the paralysis overlays, and the legend of the mark kinds.
namespace BodyArtwork {

[[nodiscard]] QSize size(FigureModel::Side side);
// The figure's outline in picture coordinates, head and body as one shape.
[[nodiscard]] QPainterPath silhouette(FigureModel::Side side);
// The outline on white with the few inner lines of a body chart.
[[nodiscard]] QPixmap body(FigureModel::Side side);
// Transparent but for the part of the figure in the quarter (divided where
// the mouse rule divides it), hatched and lightly shaded.
[[nodiscard]] QPixmap overlay(FigureModel::Side side, FigureModel::Corner corner);
// The looks of the four kinds with their names, one per line.
[[nodiscard]] QPixmap legend();

} // namespace BodyArtwork
