#include "plans/FigureMarkStyle.h"

#include <QGuiApplication>
#include <QPalette>

namespace FigureMarkStyle {

Look look(FigureModel::Kind kind)
{
    const QPen pen(Qt::black, 1, Qt::SolidLine);
    switch (kind) {
    case FigureModel::Muscle:
        return {TShapeType::stCircle, QBrush(QGuiApplication::palette().color(QPalette::WindowText), Qt::BDiagPattern),
                pen};
    case FigureModel::Pain:
        return {TShapeType::stBaten, QBrush(Qt::white), pen};
    default:
        return {TShapeType::stCircle, QBrush(Qt::white, Qt::NoBrush), pen};
    }
}

QPen dragPen()
{
    return QPen(QColor(0, 255, 0), 1, Qt::SolidLine);
}

} // namespace FigureMarkStyle
