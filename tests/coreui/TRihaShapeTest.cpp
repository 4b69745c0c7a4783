#include "coreui/TRihaShape.h"

#include <QImage>

#include <gtest/gtest.h>

TEST(TRihaShape, PenAndBrushChangesShowWithoutSettingTheKind)
{
    TRihaShape shape;
    EXPECT_EQ(shape.size(), QSize(25, 25));
    shape.resize(17, 17);
    shape.SetShape(TShapeType::stCircle);
    shape.SetBrush(QBrush(Qt::red));
    EXPECT_EQ(shape.grab().toImage().pixelColor(8, 8), QColor(Qt::red));
    shape.SetBrush(QBrush(Qt::blue));
    shape.SetPen(QPen(QColor(0, 255, 0), 1));
    const QImage image = shape.grab().toImage();
    EXPECT_EQ(image.pixelColor(8, 8), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(8, 0), QColor(0, 255, 0));
}
