#include "core/RihaShapeGeometry.h"

#include <QPainter>

namespace {

bool isSquareKind(TShapeType shape)
{
    switch (shape) {
    case TShapeType::stSquare:
    case TShapeType::stRoundSquare:
    case TShapeType::stCircle:
    case TShapeType::stBaten:
    case TShapeType::stLine:
        return true;
    default:
        return false;
    }
}

} // namespace

RihaShapeBox rihaShapeBox(TShapeType shape, const QSize &size, int penWidth)
{
    RihaShapeBox box;
    box.X = box.Y = penWidth / 2;
    box.W = size.width() - penWidth + 1;
    box.H = size.height() - penWidth + 1;
    if (penWidth == 0) {
        --box.W;
        --box.H;
    }
    box.S = qMin(box.W, box.H);
    if (isSquareKind(shape)) {
        box.X += (box.W - box.S) / 2;
        box.Y += (box.H - box.S) / 2;
        box.W = box.H = box.S;
    }
    return box;
}

void paintRihaShape(QPainter &painter, TShapeType shape, const QSize &size, const QPen &pen, const QBrush &brush)
{
    const RihaShapeBox box = rihaShapeBox(shape, size, pen.width());
    painter.save();
    painter.setPen(pen);
    painter.setBrush(brush);
    const QRect rect(box.X, box.Y, box.W - 1, box.H - 1);
    const int corner = box.S / 4;
    // The last pixel of the box on each side.
    const int left = box.X;
    const int top = box.Y;
    const int right = box.X + box.W - 1;
    const int bottom = box.Y + box.H - 1;
    switch (shape) {
    case TShapeType::stRectangle:
    case TShapeType::stSquare:
        painter.drawRect(rect);
        break;
    case TShapeType::stRoundRect:
    case TShapeType::stRoundSquare:
        painter.drawRoundedRect(rect, corner / 2.0, corner / 2.0);
        break;
    case TShapeType::stEllipse:
    case TShapeType::stCircle:
        painter.drawEllipse(rect);
        break;
    case TShapeType::stBaten:
        painter.drawLine(left, top, right, bottom);
        painter.drawLine(right, top, left, bottom);
        break;
    case TShapeType::stLine:
        painter.drawLine(left, top, right, bottom);
        break;
    }
    painter.restore();
}
