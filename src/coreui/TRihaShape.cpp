#include "coreui/TRihaShape.h"

#include <QPainter>

TRihaShape::TRihaShape(QWidget *parent) : QWidget(parent)
{
    resize(25, 25);
}

void TRihaShape::SetPen(const QPen &pen)
{
    m_pen = pen;
    update();
}

void TRihaShape::SetBrush(const QBrush &brush)
{
    m_brush = brush;
    update();
}

void TRihaShape::SetShape(TShapeType shape)
{
    if (shape == m_shape)
        return;
    m_shape = shape;
    update();
}

void TRihaShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintRihaShape(painter, m_shape, size(), m_pen, m_brush);
}
