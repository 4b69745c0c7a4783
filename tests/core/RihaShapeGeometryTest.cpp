#include "core/RihaShapeGeometry.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// The bounding box of the painted (non-white) pixels.
QRect paintedBox(TShapeType shape, const QSize &size, int penWidth)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        paintRihaShape(painter, shape, size, QPen(Qt::black, penWidth), Qt::NoBrush);
    }
    QRect box;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

} // namespace

TEST(RihaShapeGeometry, BoxPerKindAndPenWidth)
{
    struct Case
    {
        TShapeType shape;
        QSize size;
        int pen;
        RihaShapeBox box;
    };
    const Case cases[] = {
        {TShapeType::stRectangle, {25, 40}, 1, {0, 0, 25, 40, 25}},
        {TShapeType::stEllipse, {25, 40}, 3, {1, 1, 23, 38, 23}},
        {TShapeType::stRoundRect, {30, 20}, 0, {0, 0, 30, 20, 20}},
        {TShapeType::stCircle, {25, 40}, 1, {0, 7, 25, 25, 25}},
        {TShapeType::stSquare, {40, 25}, 1, {7, 0, 25, 25, 25}},
        {TShapeType::stRoundSquare, {25, 40}, 4, {2, 9, 22, 22, 22}},
        {TShapeType::stBaten, {17, 17}, 1, {0, 0, 17, 17, 17}},
        {TShapeType::stLine, {20, 17}, 2, {2, 1, 16, 16, 16}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(rihaShapeBox(c.shape, c.size, c.pen), c.box) << int(c.shape) << " pen " << c.pen;
}

TEST(RihaShapeGeometry, PaintsInsideItsBox)
{
    // A 25 x 40 circle is 25 pixels across, centred vertically.
    EXPECT_EQ(paintedBox(TShapeType::stCircle, {25, 40}, 1), QRect(0, 7, 25, 25));
    EXPECT_EQ(paintedBox(TShapeType::stRectangle, {25, 40}, 1), QRect(0, 0, 25, 40));
    EXPECT_EQ(paintedBox(TShapeType::stBaten, {17, 17}, 1), QRect(0, 0, 17, 17));

    // The line runs from the top left to the bottom right of the square.
    QImage image(QSize(30, 20), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        paintRihaShape(painter, TShapeType::stLine, image.size(), QPen(Qt::black, 1), Qt::NoBrush);
    }
    EXPECT_NE(image.pixel(5, 0), qRgb(255, 255, 255));
    EXPECT_NE(image.pixel(24, 19), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(24, 0), qRgb(255, 255, 255));
}
