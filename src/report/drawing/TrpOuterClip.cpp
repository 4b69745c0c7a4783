#include "report/drawing/TrpOuterClip.h"

#include <QPainter>

TrpOuterClip::TrpOuterClip(const QPainter &painter)
    : m_transform(painter.worldTransform()), m_clipped(painter.hasClipping()),
      m_clip(m_clipped ? painter.clipPath() : QPainterPath())
{}

void TrpOuterClip::apply(QPainter &painter, bool clipped, const QPainterPath &path,
                         const QTransform &pathTransform) const
{
    if (m_clipped) {
        painter.setTransform(m_transform);
        painter.setClipPath(m_clip, Qt::ReplaceClip);
    }
    if (clipped) {
        painter.setTransform(pathTransform);
        painter.setClipPath(path, m_clipped ? Qt::IntersectClip : Qt::ReplaceClip);
    } else if (!m_clipped) {
        painter.setClipping(false);
    }
}
