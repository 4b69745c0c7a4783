#pragma once

#include <QByteArrayView>
#include <QColor>
#include <QPointF>
#include <QRectF>

class QImage;

// One record of an enhanced metafile, with bounds-checked little-endian
// reads: reads past its end give zero and mark the record as short. Also
// the record types and the limits that keep broken values finite.
class TrpMetafileRecord
{
public:
    enum Type : quint32 {
        EmrHeader = 1,
        EmrPolyBezier = 2,
        EmrPolygon = 3,
        EmrPolyline = 4,
        EmrPolyBezierTo = 5,
        EmrPolylineTo = 6,
        EmrPolyPolyline = 7,
        EmrPolyPolygon = 8,
        EmrSetWindowExtEx = 9,
        EmrSetWindowOrgEx = 10,
        EmrSetViewportExtEx = 11,
        EmrSetViewportOrgEx = 12,
        EmrEof = 14,
        EmrSetMapMode = 17,
        EmrSetBkMode = 18,
        EmrSetPolyFillMode = 19,
        EmrSetTextAlign = 22,
        EmrSetTextColor = 24,
        EmrSetBkColor = 25,
        EmrMoveToEx = 27,
        EmrExcludeClipRect = 29,
        EmrIntersectClipRect = 30,
        EmrSaveDc = 33,
        EmrRestoreDc = 34,
        EmrSetWorldTransform = 35,
        EmrModifyWorldTransform = 36,
        EmrSelectObject = 37,
        EmrCreatePen = 38,
        EmrCreateBrushIndirect = 39,
        EmrDeleteObject = 40,
        EmrEllipse = 42,
        EmrRectangle = 43,
        EmrRoundRect = 44,
        EmrLineTo = 54,
        EmrExtSelectClipRgn = 75,
        EmrBitBlt = 76,
        EmrStretchBlt = 77,
        EmrSetDiBitsToDevice = 80,
        EmrStretchDiBits = 81,
        EmrExtCreateFontIndirectW = 82,
        EmrExtTextOutA = 83,
        EmrExtTextOutW = 84,
        EmrPolyBezier16 = 85,
        EmrPolygon16 = 86,
        EmrPolyline16 = 87,
        EmrPolyBezierTo16 = 88,
        EmrPolylineTo16 = 89,
        EmrPolyPolyline16 = 90,
        EmrPolyPolygon16 = 91,
        EmrExtCreatePen = 95,
    };

    static constexpr quint32 HeaderSignature = 0x464D4520; // " EMF"
    static constexpr int HeaderSize = 88;
    // Coordinates, sizes and transform factors beyond these are broken
    // values; clamping them keeps the painter's arithmetic finite.
    static constexpr double MaxCoordinate = 1 << 26;
    static constexpr double MaxFactor = 1e6;

    [[nodiscard]] static double coordinate(double value) { return qBound(-MaxCoordinate, value, MaxCoordinate); }
    [[nodiscard]] static QColor colorOf(quint32 value)
    {
        return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
    }

    TrpMetafileRecord(const char *data, qsizetype size) : m_data(data), m_size(size) {}

    [[nodiscard]] qsizetype size() const { return m_size; }
    [[nodiscard]] bool fits(qsizetype offset, qsizetype length) const
    {
        return offset >= 0 && length >= 0 && offset <= m_size && length <= m_size - offset;
    }
    [[nodiscard]] bool shortRead() const { return m_short; }

    quint32 u32(qsizetype offset)
    {
        if (!fits(offset, 4)) {
            m_short = true;
            return 0;
        }
        const auto *p = reinterpret_cast<const uchar *>(m_data + offset);
        return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
    }
    qint32 i32(qsizetype offset) { return qint32(u32(offset)); }
    quint16 u16(qsizetype offset)
    {
        if (!fits(offset, 2)) {
            m_short = true;
            return 0;
        }
        const auto *p = reinterpret_cast<const uchar *>(m_data + offset);
        return quint16(p[0] | (p[1] << 8));
    }
    qint16 i16(qsizetype offset) { return qint16(u16(offset)); }
    quint8 u8(qsizetype offset)
    {
        if (!fits(offset, 1)) {
            m_short = true;
            return 0;
        }
        return quint8(m_data[offset]);
    }
    // A transform factor: not finite gives zero, beyond MaxFactor the limit.
    float f32(qsizetype offset);
    QPointF pointL(qsizetype offset) { return {coordinate(i32(offset)), coordinate(i32(offset + 4))}; }
    QPointF pointS(qsizetype offset) { return {double(i16(offset)), double(i16(offset + 2))}; }
    QRectF rectL(qsizetype offset)
    {
        const QPointF topLeft = pointL(offset);
        const QPointF bottomRight = pointL(offset + 8);
        return QRectF(topLeft, bottomRight);
    }
    [[nodiscard]] QByteArrayView bytes(qsizetype offset, qsizetype length) const
    {
        if (!fits(offset, length))
            return {};
        return QByteArrayView(m_data + offset, length);
    }

    // A device-independent bitmap inside the record, as an image: the
    // header and colour table at one offset, the pixels at another.
    [[nodiscard]] QImage dib(quint32 offBmi, quint32 cbBmi, quint32 offBits, quint32 cbBits) const;

private:
    const char *m_data;
    qsizetype m_size;
    bool m_short = false;
};
