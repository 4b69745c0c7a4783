#include "report/objects/TrpCheckBoxView.h"

#include "report/drawing/TrpDrawContext.h"

#include <QPainter>

TrpCheckBoxView::TrpCheckBoxView()
{
    Typ = gtAddIn;
    FrameWidth = 2.0f;
}

std::unique_ptr<TrpView> TrpCheckBoxView::clone() const
{
    return std::unique_ptr<TrpView>(new TrpCheckBoxView(*this));
}

QString TrpCheckBoxView::ClassName() const
{
    return QStringLiteral("TrpCheckBoxView");
}

QString TrpCheckBoxView::BaseName() const
{
    return QStringLiteral("Check");
}

bool TrpCheckBoxView::isChecked() const
{
    return !ExpandedMemo.isEmpty() && !ExpandedMemo.first().isEmpty() && !ExpandedMemo.first().startsWith(QLatin1Char('0'));
}

QString TrpCheckBoxView::exportText() const
{
    return isChecked() ? QStringLiteral("X") : QString();
}

void TrpCheckBoxView::draw(QPainter &painter, const TrpDrawContext &context) const
{
    painter.save();
    applyContext(painter, context);
    const QRectF rect = pageRect();
    drawBackground(painter, rect, context);
    drawFrame(painter, rect);
    if (isChecked() || !context.Printing) {
        const QRectF mark = rect.adjusted(MarkInset, MarkInset, -MarkInset, -MarkInset);
        painter.setPen(QPen(Qt::black, MarkWidth, Qt::SolidLine));
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawLine(mark.topLeft(), mark.bottomRight());
        painter.drawLine(mark.bottomLeft(), mark.topRight());
    }
    painter.restore();
}
