#pragma once

#include "core/RihaShapeGeometry.h"
#include "plans/FigureModel.h"

#include <QBrush>
#include <QPen>

// How the marks of each kind look: the joint mark a hollow circle, muscle
// weakness a hatched circle, pain an X, all with a thin black pen; a mark
// being dragged has a lime pen.
namespace FigureMarkStyle {

struct Look
{
    TShapeType shape;
    QBrush brush;
    QPen pen;
};

[[nodiscard]] Look look(FigureModel::Kind kind);
[[nodiscard]] QPen dragPen();

} // namespace FigureMarkStyle
