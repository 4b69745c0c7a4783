#pragma once

#include "core/RihaShapeGeometry.h"

#include <QBrush>
#include <QPen>
#include <QWidget>

// A small mark drawn with a pen and a brush on its parent's background: a
// rectangle, rounded rectangle, ellipse, their square kinds, an X or a
// diagonal line. Any change of pen, brush or kind repaints it.
class TRihaShape : public QWidget
{
    Q_OBJECT

public:
    explicit TRihaShape(QWidget *parent = nullptr);

    [[nodiscard]] const QPen &Pen() const { return m_pen; }
    [[nodiscard]] const QBrush &Brush() const { return m_brush; }
    [[nodiscard]] TShapeType Shape() const { return m_shape; }
    void SetPen(const QPen &pen);
    void SetBrush(const QBrush &brush);
    void SetShape(TShapeType shape);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPen m_pen{Qt::black, 1};
    QBrush m_brush{Qt::white};
    TShapeType m_shape = TShapeType::stRectangle;
};
