#include "report/objects/TrpLineView.h"

#include <QPainter>

TrpLineView::TrpLineView()
{
    Typ = gtLine;
}

std::unique_ptr<TrpView> TrpLineView::clone() const
{
    return std::unique_ptr<TrpView>(new TrpLineView(*this));
}

QString TrpLineView::ClassName() const
{
    return QStringLiteral("TrpLineView");
}

QString TrpLineView::BaseName() const
{
    return QStringLiteral("Line");
}

void TrpLineView::draw(QPainter &painter, const TrpDrawContext &context) const
{
    painter.save();
    applyContext(painter, context);
    drawFrame(painter, pageRect());
    painter.restore();
}
