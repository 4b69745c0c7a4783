#include "reportui/TrpGlyphs.h"

#include <QPainter>

namespace TrpGlyphs {

QPixmap printer()
{
    QPixmap pixmap(18, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(64, 64, 64));
    painter.setBrush(Qt::white);
    painter.drawRect(5, 1, 8, 5);
    painter.setBrush(QColor(192, 192, 192));
    painter.drawRect(1, 6, 16, 6);
    painter.setBrush(Qt::white);
    painter.drawRect(4, 10, 10, 5);
    painter.setPen(QColor(0, 160, 0));
    painter.drawPoint(14, 8);
    return pixmap;
}

QPixmap magnifier()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(64, 64, 64), 1.5));
    painter.setBrush(QColor(220, 235, 255));
    painter.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    painter.setPen(QPen(QColor(64, 64, 64), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(10, 10), QPointF(14, 14));
    return pixmap;
}

} // namespace TrpGlyphs
