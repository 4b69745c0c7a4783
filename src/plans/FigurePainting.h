#pragma once

#include "plans/FigureModel.h"

#include <QImage>
#include <QPoint>
#include <QSize>

class QPainter;

// The body figure as the editor shows it and the printed plan prints it:
// the front and back pictures side by side, each in its framed panel, with
// the visible paralysis overlays and the marks. Only the figures and marks
// are painted, never the editor's buttons.
namespace FigurePainting {

// The picture's place in its panel.
inline constexpr QPoint PictureOffset{8, 8};
// The room between the two panels.
inline constexpr int PanelGap = 6;

// A side's panel: its picture with the offset all round.
[[nodiscard]] QSize panelSize(FigureModel::Side side);
// The top left of a side's panel in the painted figure.
[[nodiscard]] QPoint panelOrigin(FigureModel::Side side);
// Both panels.
[[nodiscard]] QSize size();

// Paints one side's panel (picture, overlays, marks) with its top left at
// the painter's origin.
void paintSide(QPainter &painter, const FigureModel &model, FigureModel::Side side);
// Both sides on white.
[[nodiscard]] QImage paint(const FigureModel &model);

} // namespace FigurePainting
