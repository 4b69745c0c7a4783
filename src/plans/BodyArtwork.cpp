#include "plans/BodyArtwork.h"

#include "core/RihaShapeGeometry.h"
#include "plans/FigureMarkStyle.h"

#include <QPainter>

#include <vector>

namespace {

using Side = FigureModel::Side;

// The right half of the outline (as seen on the picture) from the neck
// down to the crotch, for a figure 105 wide and 207 tall, x from the centre.
const std::vector<QPointF> &halfOutline()
{
    static const std::vector<QPointF> points = {
        {5.5, 26},   {6, 32},     {12, 35},    {21, 38},    {25.5, 42},  {27, 50},    {28.5, 64},  {30.5, 78},
        {33, 94},    {35, 104},   {37.5, 110}, {38.5, 117}, {36.5, 122}, {33.5, 121}, {32, 114},   {31, 107},
        {27.5, 94},  {24.5, 79},  {22, 64},    {19.5, 60},  {18, 74},    {16, 88},    {18.5, 100}, {19.5, 112},
        {18.5, 132}, {16.5, 150}, {15, 166},   {13, 180},   {11.5, 194}, {13.5, 200}, {13, 204},   {4, 204},
        {4.5, 196},  {5, 180},    {4.5, 166},  {4.5, 150},  {3, 128},    {0, 118},
    };
    return points;
}

// A closed curve through the points (Catmull-Rom turned into cubic pieces).
QPainterPath smoothClosed(const std::vector<QPointF> &points)
{
    QPainterPath path(points.front());
    const size_t n = points.size();
    for (size_t i = 0; i < n; ++i) {
        const QPointF &p0 = points[(i + n - 1) % n];
        const QPointF &p1 = points[i];
        const QPointF &p2 = points[(i + 1) % n];
        const QPointF &p3 = points[(i + 2) % n];
        path.cubicTo(p1 + (p2 - p0) / 6.0, p2 - (p3 - p1) / 6.0, p2);
    }
    path.closeSubpath();
    return path;
}

// Scales the standard figure to the side's picture.
QTransform toSide(Side side)
{
    const QSize target = BodyArtwork::size(side);
    return QTransform::fromScale(target.width() / 105.0, target.height() / 207.0);
}

QPainterPath standardSilhouette()
{
    std::vector<QPointF> loop;
    const double centre = 52.5;
    for (const QPointF &p : halfOutline())
        loop.push_back({centre + p.x(), p.y()});
    const auto &half = halfOutline();
    for (auto it = half.rbegin() + 1; it != half.rend() - 1; ++it)
        loop.push_back({centre - it->x(), it->y()});
    QPainterPath body = smoothClosed(loop);
    QPainterPath head;
    head.addEllipse(QPointF(centre, 15), 10, 13);
    return body.united(head).simplified();
}

// The inner lines: collar bones, navel and knees in front; spine, shoulder
// blades and buttocks behind.
QPainterPath standardDetails(Side side)
{
    QPainterPath lines;
    const double c = 52.5;
    if (side == FigureModel::Front) {
        for (double s : {-1.0, 1.0}) {
            lines.moveTo(c + s * 2, 38);
            lines.quadTo(c + s * 10, 36, c + s * 17, 39);
            lines.moveTo(c + s * 12, 170);
            lines.quadTo(c + s * 9, 167, c + s * 7, 171);
        }
        lines.addEllipse(QPointF(c, 90), 1.2, 1.2);
        lines.moveTo(c - 4, 19);
        lines.quadTo(c, 21.5, c + 4, 19);
    } else {
        lines.moveTo(c, 34);
        lines.lineTo(c, 100);
        for (double s : {-1.0, 1.0}) {
            lines.moveTo(c + s * 6, 46);
            lines.quadTo(c + s * 15, 48, c + s * 13, 62);
            lines.moveTo(c + s * 1, 122);
            lines.quadTo(c + s * 9, 126, c + s * 17, 121);
        }
        lines.moveTo(c, 104);
        lines.lineTo(c, 118);
    }
    return lines;
}

QRect quarterRect(Side side, FigureModel::Corner corner)
{
    const QSize whole = BodyArtwork::size(side);
    const int x = FigureModel::QuarterX;
    const int y = FigureModel::QuarterY;
    switch (corner) {
    case FigureModel::LeftTop:
        return {0, 0, x, y};
    case FigureModel::RightTop:
        return {x, 0, whole.width() - x, y};
    case FigureModel::LeftBottom:
        return {0, y, x, whole.height() - y};
    case FigureModel::RightBottom:
        break;
    }
    return {x, y, whole.width() - x, whole.height() - y};
}

// The hatched light shade of a paralysed part, on the figure and in the legend.
void shadeParalysis(QPainter &painter, const QPainterPath &area)
{
    painter.fillPath(area, QColor(0x60, 0x60, 0xA0, 0x50));
    painter.fillPath(area, QBrush(QColor(0x30, 0x30, 0x70, 0xC0), Qt::BDiagPattern));
}

} // namespace

namespace BodyArtwork {

QSize size(Side side)
{
    return side == FigureModel::Front ? QSize(105, 207) : QSize(102, 206);
}

QSize panelSize(Side side)
{
    return size(side) + QSize(2 * PictureOffset, 2 * PictureOffset);
}

QPainterPath silhouette(Side side)
{
    return toSide(side).map(standardSilhouette());
}

void paintBody(QPainter &painter, Side side)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(silhouette(side));
    painter.setPen(QPen(QColor(0x70, 0x70, 0x70), 0.8));
    painter.drawPath(toSide(side).map(standardDetails(side)));
    painter.restore();
}

void paintOverlay(QPainter &painter, Side side, FigureModel::Corner corner)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath area;
    area.addRect(quarterRect(side, corner));
    shadeParalysis(painter, silhouette(side).intersected(area));
    painter.restore();
}

QPixmap body(Side side)
{
    QPixmap picture(size(side));
    picture.fill(Qt::white);
    QPainter painter(&picture);
    paintBody(painter, side);
    return picture;
}

QPixmap overlay(Side side, FigureModel::Corner corner)
{
    QPixmap picture(size(side));
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    paintOverlay(painter, side, corner);
    return picture;
}

QPixmap legend()
{
    const int line = 22;
    QPixmap picture(150, 4 * line + 4);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    const FigureModel::Kind kinds[] = {FigureModel::Joint, FigureModel::Muscle, FigureModel::Pain};
    const QString names[] = {QStringLiteral("関節可動域の制限"), QStringLiteral("筋力の低下"), QStringLiteral("痛み"),
                             QStringLiteral("麻痺")};
    for (int i = 0; i < 4; ++i) {
        const int top = 2 + i * line;
        painter.save();
        painter.translate(4, top + 2);
        const QSize mark(FigureModel::MarkSize, FigureModel::MarkSize);
        if (i < 3) {
            const FigureMarkStyle::Look look = FigureMarkStyle::look(kinds[i]);
            paintRihaShape(painter, look.shape, mark, look.pen, look.brush);
        } else {
            QPainterPath square;
            square.addRect(QRect(QPoint(), mark));
            shadeParalysis(painter, square);
        }
        painter.restore();
        painter.setPen(Qt::black);
        painter.drawText(QRect(28, top, 120, line), Qt::AlignVCenter | Qt::AlignLeft, names[i]);
    }
    return picture;
}

} // namespace BodyArtwork
