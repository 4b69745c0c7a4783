#include "plans/FigurePicture.h"
#include "plans/BodyArtwork.h"
#include "plans/FigureModel.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

bool white(const QImage &image, QPointF at, int scale)
{
    return image.pixelColor((at * scale).toPoint()) == QColor(Qt::white);
}

} // namespace

// The printed figures: the two panels as the editor places them, scaled,
// with the overlays and marks of the model and nothing else beside them.
TEST(FigurePicture, PaintsBothPanelsWithTheirOverlaysAndMarks)
{
    const int scale = 3;
    const QSize front = BodyArtwork::panelSize(FigureModel::Front);
    const QSize back = BodyArtwork::panelSize(FigureModel::Back);
    EXPECT_EQ(FigurePicture::size(), QSize(front.width() + BodyArtwork::PanelGap + back.width(), front.height()));

    FigureModel model;
    model.addMark(FigureModel::Back, FigureModel::Pain, {40, 100});
    model.setOverlayVisible(FigureModel::Front, FigureModel::LeftTop, true);
    const QImage picture = FigurePicture::paint(model, scale);
    ASSERT_EQ(picture.size(), FigurePicture::size() * scale);

    // The chest left of the middle is shaded, right of it blank.
    const QPointF chest(BodyArtwork::PictureOffset + 40, BodyArtwork::PictureOffset + 60);
    EXPECT_FALSE(white(picture, chest, scale));
    EXPECT_TRUE(white(picture, chest + QPointF(28, 0), scale));
    // The back's pain mark (an X) crosses in its middle, in panel coordinates.
    const QPointF backPanel(front.width() + BodyArtwork::PanelGap, 0);
    const double middle = FigureModel::MarkSize / 2.0;
    EXPECT_FALSE(white(picture, backPanel + QPointF(40 + middle, 100 + middle), scale));
    // No frame between the panels.
    EXPECT_TRUE(white(picture, QPointF(front.width() + BodyArtwork::PanelGap / 2.0, 100), scale));
}
