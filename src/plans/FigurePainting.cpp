#include "plans/FigurePainting.h"

#include "core/RihaShapeGeometry.h"
#include "plans/BodyArtwork.h"
#include "plans/FigureMarkStyle.h"

#include <QPainter>

namespace FigurePainting {

QSize panelSize(FigureModel::Side side)
{
    return BodyArtwork::size(side) + QSize(2 * PictureOffset.x(), 2 * PictureOffset.y());
}

QPoint panelOrigin(FigureModel::Side side)
{
    return side == FigureModel::Front ? QPoint() : QPoint(panelSize(FigureModel::Front).width() + PanelGap, 0);
}

QSize size()
{
    const QSize front = panelSize(FigureModel::Front);
    const QSize back = panelSize(FigureModel::Back);
    return {front.width() + PanelGap + back.width(), qMax(front.height(), back.height())};
}

void paintSide(QPainter &painter, const FigureModel &model, FigureModel::Side side)
{
    const QSize panel = panelSize(side);
    painter.fillRect(QRect(QPoint(), panel), Qt::white);
    painter.drawPixmap(PictureOffset, BodyArtwork::body(side));
    for (int corner = 0; corner < 4; ++corner) {
        if (model.overlayVisible(side, FigureModel::Corner(corner)))
            painter.drawPixmap(PictureOffset, BodyArtwork::overlay(side, FigureModel::Corner(corner)));
    }
    const QSize markSize(FigureModel::MarkSize, FigureModel::MarkSize);
    for (FigureModel::Kind kind : {FigureModel::Joint, FigureModel::Muscle, FigureModel::Pain}) {
        const FigureMarkStyle::Look look = FigureMarkStyle::look(kind);
        for (const FigureModel::Mark &mark : model.marks(side, kind)) {
            painter.save();
            painter.translate(mark.topLeft);
            paintRihaShape(painter, look.shape, markSize, look.pen, look.brush);
            painter.restore();
        }
    }
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(), panel - QSize(1, 1)));
}

QImage paint(const FigureModel &model)
{
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (FigureModel::Side side : {FigureModel::Front, FigureModel::Back}) {
        painter.save();
        painter.translate(panelOrigin(side));
        paintSide(painter, model, side);
        painter.restore();
    }
    return image;
}

} // namespace FigurePainting
