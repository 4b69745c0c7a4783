#pragma once

#include <QPainterPath>
#include <QTransform>

class QPainter;

// The clip a painter had when a drawing began: the drawing sets clips of its
// own inside it and takes them off again without losing it.
class TrpOuterClip
{
public:
    explicit TrpOuterClip(const QPainter &painter);

    // Sets the painter's clip to the outer clip, narrowed when clipped to
    // the path, which is in the coordinates of pathTransform. The painter's
    // transform is left changed.
    void apply(QPainter &painter, bool clipped, const QPainterPath &path, const QTransform &pathTransform) const;

private:
    QTransform m_transform;
    bool m_clipped;
    QPainterPath m_clip;
};
