#include "report/objects/TrpShapeView.h"

#include "report/drawing/TrpDrawContext.h"
#include "report/files/TrpStreamReader.h"
#include "report/files/TrpStreamWriter.h"
#include "report/files/TrpTextFieldWriter.h"
#include "report/files/TrpTextLine.h"

#include <QPainter>
#include <QPolygonF>

#include <cmath>

TrpShapeView::TrpShapeView()
{
    Typ = gtAddIn;
}

std::unique_ptr<TrpView> TrpShapeView::clone() const
{
    return std::unique_ptr<TrpView>(new TrpShapeView(*this));
}

QString TrpShapeView::ClassName() const
{
    return QStringLiteral("TrpShapeView");
}

QString TrpShapeView::BaseName() const
{
    return QStringLiteral("Shape");
}

QStringList TrpShapeView::editorNames()
{
    return {QStringLiteral("長方形"), QStringLiteral("丸み長方形"), QStringLiteral("楕円形"),
            QStringLiteral("三角形"), QStringLiteral("斜線1"),     QStringLiteral("斜線2")};
}

int TrpShapeView::cornerSize(int width, int height)
{
    return std::min(width, height) / 4;
}

void TrpShapeView::loadFromStream(TrpStreamReader &reader, TrpStreamMode mode)
{
    TrpView::loadFromStream(reader, mode);
    ShapeKind = reader.readByte();
}

void TrpShapeView::saveToStream(TrpStreamWriter &writer, TrpStreamMode mode) const
{
    TrpView::saveToStream(writer, mode);
    writer.writeByte(ShapeKind);
}

void TrpShapeView::writeText(TrpTextFieldWriter &out) const
{
    out.number("ShapeKind", ShapeKind);
}

bool TrpShapeView::readText(const TrpTextLine &line, QByteArray &, QString &error, bool &known)
{
    known = line.keyword() == QLatin1String("ShapeKind");
    return !known || line.number(0, ShapeKind, error);
}

void TrpShapeView::draw(QPainter &painter, const TrpDrawContext &context) const
{
    painter.save();
    applyContext(painter, context);
    const QRectF box = pageRect();
    const QRectF rect(box.topLeft(), box.size() + QSizeF(1, 1));
    const double width = std::clamp(std::round(double(FrameWidth)), 0.0, 100.0);
    painter.setPen(width > 0 ? QPen(TrpColor::toQColor(FrameColor), width, Qt::SolidLine) : QPen(Qt::NoPen));
    painter.setBrush(TrpColor::isNone(FillColor) ? QBrush(Qt::NoBrush) : QBrush(TrpColor::toQColor(FillColor)));
    switch (ShapeKind) {
    case skRoundRect: {
        const double corner = cornerSize(int(box.width()), int(box.height()));
        painter.drawRoundedRect(rect, corner, corner);
        break;
    }
    case skEllipse:
        painter.drawEllipse(rect);
        break;
    case skTriangle:
        painter.drawPolygon(QPolygonF({rect.bottomRight(), rect.bottomLeft(), QPointF(rect.center().x(), rect.top())}));
        break;
    case skDiagonal1:
        painter.drawLine(rect.topLeft(), rect.bottomRight());
        break;
    case skDiagonal2:
        painter.drawLine(rect.bottomLeft(), rect.topRight());
        break;
    default:
        painter.drawRect(rect);
        break;
    }
    painter.restore();
}
