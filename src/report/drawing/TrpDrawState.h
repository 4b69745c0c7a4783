#pragma once

#include <QBrush>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QTransform>

// The painter state that a run of drawing records was drawn with: the
// transform maps the records' own coordinates onto the page (page units),
// and the clip is already in page units.
struct TrpDrawState
{
    QPen pen;
    QBrush brush;
    QPointF brushOrigin;
    QFont font;
    QBrush background;
    Qt::BGMode backgroundMode = Qt::TransparentMode;
    QTransform transform;
    bool clipped = false;
    QPainterPath clip;
    qreal opacity = 1.0;
    QPainter::RenderHints hints;
    QPainter::CompositionMode composition = QPainter::CompositionMode_SourceOver;

    bool operator==(const TrpDrawState &) const = default;
};

Q_DECLARE_TYPEINFO(TrpDrawState, Q_RELOCATABLE_TYPE);
