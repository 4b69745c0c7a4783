#pragma once

#include "report/drawing/TrpMetafileDevice.h"
#include "report/drawing/TrpOuterClip.h"

#include <QTransform>

class QFont;
class QFontMetricsF;
class QPainter;
class TrpMetafileRecord;

// Plays the records of one metafile on a painter, one at a time: state
// records go to the device context, drawing records are drawn with it,
// mapped from the reference device onto the target.
class TrpMetafilePlayback
{
public:
    TrpMetafilePlayback(QPainter &painter, const QTransform &deviceToTarget, QSize referencePixels,
                        QSize referenceMillimetres);

    void setHandleCount(int count) { m_device.setHandleCount(count); }

    // False at the end-of-file record.
    bool play(quint32 type, TrpMetafileRecord &record);

private:
    void prepare(bool forText = false);
    void applyClip();

    void drawShape(quint32 type, TrpMetafileRecord &record);
    void drawPoly(quint32 type, TrpMetafileRecord &record, bool sixteen);
    void drawPolyPoly(quint32 type, TrpMetafileRecord &record, bool sixteen);
    void drawText(TrpMetafileRecord &record, bool wide);
    // Draws a text run of the given width at the reference point (or the
    // current position), aligned as the state says, with a font made
    // oversize times larger than it is drawn.
    void drawRun(const QString &text, const QFont &font, const QFontMetricsF &metrics, double oversize,
                 const QPointF &reference, qreal width, bool boxFilled);
    void drawBitmap(quint32 type, TrpMetafileRecord &record);

    QPainter &m_painter;
    QTransform m_deviceToTarget;
    TrpOuterClip m_outerClip;
    TrpMetafileDevice m_device;
};
