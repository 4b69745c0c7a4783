#pragma once

#include <QSize>

class QBrush;
class QPainter;
class QPen;

// The kinds of the shape control, in their stored order.
enum class TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle, stBaten, stLine };

// The box a shape is drawn in, inside a control of a given size: the pen's
// half width in from the top left, a square centred in the control for the
// square kinds, and S, the smaller side before centring (the rounded
// corners are S div 4).
struct RihaShapeBox
{
    int X = 0;
    int Y = 0;
    int W = 0;
    int H = 0;
    int S = 0;

    friend bool operator==(const RihaShapeBox &, const RihaShapeBox &) = default;
};

[[nodiscard]] RihaShapeBox rihaShapeBox(TShapeType shape, const QSize &size, int penWidth);

// Draws the shape with the pen and brush into a control of that size whose
// top left is the painter's origin. The box's right and bottom edges are
// exclusive, as the shape was always drawn: a 25-pixel box covers 25 pixels.
void paintRihaShape(QPainter &painter, TShapeType shape, const QSize &size, const QPen &pen, const QBrush &brush);
