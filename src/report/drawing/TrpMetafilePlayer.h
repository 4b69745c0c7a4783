#pragma once

#include "report/common/TrpError.h"

#include <QByteArray>
#include <QRect>
#include <QSize>

class QPainter;
class QRectF;

// Plays enhanced-metafile pictures (the picture data of metafile report
// objects and the pages of old prepared reports) on any QPainter. It knows
// the common records: the header, text, lines, polylines and curves,
// rectangles, ellipses, polygons, pens, brushes, fonts, bitmaps, colours and
// modes, saved states, clipping rectangles and the coordinate mappings.
// Other records are skipped by their size.
class TrpMetafilePlayer
{
public:
    TrpMetafilePlayer() = default;

    // Takes the bytes of a metafile. False, with error(), when they do not
    // begin with a metafile header; records past the end of the bytes (a
    // truncated picture) are not played.
    [[nodiscard]] bool load(const QByteArray &bytes);

    [[nodiscard]] bool isNull() const { return m_bytes.isEmpty(); }
    [[nodiscard]] const TrpError &error() const { return m_error; }

    // The picture's frame in hundredths of a millimetre.
    [[nodiscard]] QRect frame() const { return m_frame; }
    // Its size in pixels at 96 per inch: the size it is drawn at when not
    // stretched.
    [[nodiscard]] QSize size() const;

    // Draws the picture with its frame mapped onto the target rectangle.
    // The painter's state is left as it was.
    void play(QPainter &painter, const QRectF &target) const;

private:
    QByteArray m_bytes;
    QRect m_frame;
    QRect m_bounds;
    QSize m_deviceSize;
    QSize m_deviceMillimetres;
    TrpError m_error;
};
