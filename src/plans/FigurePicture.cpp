#include "plans/FigurePicture.h"

#include "core/RihaShapeGeometry.h"
#include "plans/BodyArtwork.h"
#include "plans/FigureMarkStyle.h"
#include "plans/FigureModel.h"

#include <QPainter>

namespace {

void paintSide(QPainter &painter, const FigureModel &model, FigureModel::Side side)
{
    painter.save();
    painter.translate(BodyArtwork::PictureOffset, BodyArtwork::PictureOffset);
    BodyArtwork::paintBody(painter, side);
    for (FigureModel::Corner corner :
         {FigureModel::RightTop, FigureModel::RightBottom, FigureModel::LeftBottom, FigureModel::LeftTop}) {
        if (model.overlayVisible(side, corner))
            BodyArtwork::paintOverlay(painter, side, corner);
    }
    painter.restore();
    // Marks lie in panel coordinates, over the overlays.
    const QSize mark(FigureModel::MarkSize, FigureModel::MarkSize);
    for (FigureModel::Kind kind : {FigureModel::Joint, FigureModel::Muscle, FigureModel::Pain}) {
        const FigureMarkStyle::Look look = FigureMarkStyle::look(kind);
        for (const FigureModel::Mark &m : model.marks(side, kind)) {
            painter.save();
            painter.translate(m.topLeft);
            paintRihaShape(painter, look.shape, mark, look.pen, look.brush);
            painter.restore();
        }
    }
}

} // namespace

namespace FigurePicture {

QSize size()
{
    const QSize front = BodyArtwork::panelSize(FigureModel::Front);
    const QSize back = BodyArtwork::panelSize(FigureModel::Back);
    return {front.width() + BodyArtwork::PanelGap + back.width(), std::max(front.height(), back.height())};
}

QImage paint(const FigureModel &model, int scale)
{
    QImage image(size() * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    paintSide(painter, model, FigureModel::Front);
    painter.translate(BodyArtwork::panelSize(FigureModel::Front).width() + BodyArtwork::PanelGap, 0);
    paintSide(painter, model, FigureModel::Back);
    return image;
}

} // namespace FigurePicture
