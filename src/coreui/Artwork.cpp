#include "coreui/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

struct TileStyle
{
    QColor top;
    QColor bottom;
};

TileStyle styleOf(Artwork::Tile kind)
{
    switch (kind) {
    case Artwork::Tile::UserRegist:
        return {QColor(0x1f, 0x4e, 0x79), QColor(0x0b, 0x25, 0x3d)};
    case Artwork::Tile::Results:
        return {QColor(0x3b, 0x2f, 0x63), QColor(0x1b, 0x14, 0x33)};
    case Artwork::Tile::Paper:
        return {QColor(0x7a, 0x4a, 0x22), QColor(0x3f, 0x24, 0x0e)};
    case Artwork::Tile::Print:
        return {QColor(0x2e, 0x4a, 0x2e), QColor(0x13, 0x26, 0x13)};
    case Artwork::Tile::Schedule:
        return {QColor(0xf4, 0xf1, 0xe4), QColor(0xc9, 0xd8, 0xe8)};
    case Artwork::Tile::System:
        return {QColor(0x44, 0x44, 0x48), QColor(0x1c, 0x1c, 0x20)};
    }
    return {Qt::darkGray, Qt::black};
}

void drawPerson(QPainter &p, const QPointF &at, double scale)
{
    p.drawEllipse(at + QPointF(-8 * scale, -30 * scale), 9 * scale, 9 * scale);
    QPainterPath body;
    body.moveTo(at + QPointF(-26 * scale, 12 * scale));
    body.quadTo(at + QPointF(-24 * scale, -16 * scale), at + QPointF(-8 * scale, -17 * scale));
    body.quadTo(at + QPointF(8 * scale, -16 * scale), at + QPointF(10 * scale, 12 * scale));
    body.closeSubpath();
    p.drawPath(body);
}

void drawEmblem(QPainter &p, Artwork::Tile kind, const QRectF &r)
{
    const QPointF c = r.center() + QPointF(r.width() * 0.22, -r.height() * 0.08);
    switch (kind) {
    case Artwork::Tile::UserRegist:
        drawPerson(p, c, 1.2);
        break;
    case Artwork::Tile::Results: {
        const double base = c.y() + 22;
        for (int i = 0; i < 4; ++i) {
            const double h = 12 + i * 9;
            p.drawRect(QRectF(c.x() - 34 + i * 17, base - h, 12, h));
        }
        break;
    }
    case Artwork::Tile::Paper:
        p.drawRect(QRectF(c.x() - 22, c.y() - 30, 44, 56));
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(c.x() - 14, c.y() - 18 + i * 11), QPointF(c.x() + 14, c.y() - 18 + i * 11));
        break;
    case Artwork::Tile::Print:
        p.drawRect(QRectF(c.x() - 30, c.y() - 8, 60, 26));
        p.drawRect(QRectF(c.x() - 18, c.y() - 28, 36, 20));
        p.drawRect(QRectF(c.x() - 18, c.y() + 10, 36, 20));
        break;
    case Artwork::Tile::Schedule:
        p.drawRect(QRectF(c.x() - 30, c.y() - 26, 60, 52));
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 4; ++col)
                p.drawRect(QRectF(c.x() - 25 + col * 13, c.y() - 12 + row * 12, 9, 8));
        }
        break;
    case Artwork::Tile::System:
        p.drawEllipse(c, 24, 24);
        p.drawEllipse(c, 9, 9);
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(c);
            p.rotate(i * 45.0);
            p.drawRect(QRectF(-4, -32, 8, 9));
            p.restore();
        }
        break;
    }
}

} // namespace

namespace Artwork {

QPixmap tile(Tile kind, const QSize &size)
{
    QPixmap pixmap(size);
    const TileStyle style = styleOf(kind);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, size.height());
    gradient.setColorAt(0, style.top);
    gradient.setColorAt(1, style.bottom);
    p.fillRect(pixmap.rect(), gradient);
    const bool light = style.top.lightness() > 128;
    p.setPen(QPen(light ? QColor(0x30, 0x50, 0x80, 150) : QColor(255, 255, 255, 110), 2));
    p.setBrush(light ? QColor(0x30, 0x50, 0x80, 40) : QColor(255, 255, 255, 30));
    drawEmblem(p, kind, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

QPixmap splash(const QSize &size)
{
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0x2a, 0x6f, 0xb5));
    sky.setColorAt(0.6, QColor(0x8c, 0xc4, 0xe8));
    sky.setColorAt(1, QColor(0xe8, 0xf4, 0xe0));
    p.fillRect(pixmap.rect(), sky);
    // Rolling hills and a path, a quiet picture behind the texts.
    QPainterPath hills;
    hills.moveTo(0, size.height() * 0.78);
    hills.cubicTo(size.width() * 0.3, size.height() * 0.62, size.width() * 0.6, size.height() * 0.9, size.width(),
                  size.height() * 0.7);
    hills.lineTo(size.width(), size.height());
    hills.lineTo(0, size.height());
    hills.closeSubpath();
    p.fillPath(hills, QColor(0x6a, 0xa8, 0x4f));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawEllipse(QPointF(size.width() * 0.82, size.height() * 0.18), 48, 48);
    return pixmap;
}

} // namespace Artwork
