#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QString>

class QPaintDevice;

// A text laid out in one line as painter.drawText() lays it out on a
// device: its advance, the highest ascent and descent of its fonts, and its
// glyphs placed from the baseline origin.
struct TrpShapedLine
{
    qreal width = 0;
    qreal ascent = 0;
    qreal descent = 0;
    QList<QGlyphRun> glyphs;
};

namespace TrpTextShaping {

[[nodiscard]] TrpShapedLine shapeLine(const QString &text, const QFont &font, Qt::LayoutDirection direction,
                                      const QPaintDevice *device);

} // namespace TrpTextShaping
