#include "report/drawing/TrpMetafilePlayback.h"

#include "report/drawing/TrpMetafileRecord.h"

#include "base/Sjis.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <cmath>

namespace {

using Record = TrpMetafileRecord;
constexpr double MaxFontHeight = TrpMetafileDevice::MaxFontHeight;

// The characters of a text record; ANSI text is Shift-JIS here.
QString textOf(TrpMetafileRecord &record, bool wide, quint32 offString, quint32 chars)
{
    if (!wide)
        return Sjis::decode(record.bytes(offString, qsizetype(chars)));
    QString text;
    for (quint32 i = 0; i < chars; ++i)
        text.append(QChar(record.u16(offString + i * 2)));
    return text;
}

} // namespace

TrpMetafilePlayback::TrpMetafilePlayback(QPainter &painter, const QTransform &deviceToTarget, QSize referencePixels,
                                         QSize referenceMillimetres)
    : m_painter(painter), m_deviceToTarget(deviceToTarget), m_outerClip(painter),
      m_device(referencePixels, referenceMillimetres)
{}

void TrpMetafilePlayback::applyClip()
{
    if (!m_device.takeClipChange())
        return;
    const TrpMetafileDevice::State &state = m_device.state();
    m_outerClip.apply(m_painter, state.clipped, state.clip, m_deviceToTarget);
}

void TrpMetafilePlayback::prepare(bool forText)
{
    applyClip();
    const TrpMetafileDevice::State &state = m_device.state();
    m_painter.setTransform(m_device.logicalToDevice() * m_deviceToTarget);
    if (forText) {
        m_painter.setPen(state.textColor);
        m_painter.setBrush(Qt::NoBrush);
    } else {
        m_painter.setPen(state.pen);
        m_painter.setBrush(state.brush);
    }
    m_painter.setBackground(state.backgroundColor);
    m_painter.setBackgroundMode(state.opaqueBackground ? Qt::OpaqueMode : Qt::TransparentMode);
}

bool TrpMetafilePlayback::play(quint32 type, TrpMetafileRecord &record)
{
    if (type == Record::EmrEof)
        return false;
    if (m_device.apply(type, record))
        return true;
    switch (type) {
    case Record::EmrLineTo:
    case Record::EmrEllipse:
    case Record::EmrRectangle:
    case Record::EmrRoundRect:
        drawShape(type, record);
        break;
    case Record::EmrPolygon:
    case Record::EmrPolyline:
    case Record::EmrPolyBezier:
    case Record::EmrPolyBezierTo:
    case Record::EmrPolylineTo:
        drawPoly(type, record, false);
        break;
    case Record::EmrPolygon16:
    case Record::EmrPolyline16:
    case Record::EmrPolyBezier16:
    case Record::EmrPolyBezierTo16:
    case Record::EmrPolylineTo16:
        drawPoly(type, record, true);
        break;
    case Record::EmrPolyPolyline:
    case Record::EmrPolyPolygon:
        drawPolyPoly(type, record, false);
        break;
    case Record::EmrPolyPolyline16:
    case Record::EmrPolyPolygon16:
        drawPolyPoly(type, record, true);
        break;
    case Record::EmrExtTextOutA:
    case Record::EmrExtTextOutW:
        drawText(record, type == Record::EmrExtTextOutW);
        break;
    case Record::EmrBitBlt:
    case Record::EmrStretchBlt:
    case Record::EmrSetDiBitsToDevice:
    case Record::EmrStretchDiBits:
        drawBitmap(type, record);
        break;
    default:
        break;
    }
    return true;
}

void TrpMetafilePlayback::drawShape(quint32 type, TrpMetafileRecord &record)
{
    switch (type) {
    case Record::EmrLineTo: {
        const QPointF to = record.pointL(8);
        prepare();
        m_painter.drawLine(m_device.state().position, to);
        m_device.state().position = to;
        break;
    }
    case Record::EmrEllipse:
        prepare();
        m_painter.drawEllipse(record.rectL(8).normalized());
        break;
    case Record::EmrRectangle:
        prepare();
        m_painter.drawRect(record.rectL(8).normalized());
        break;
    case Record::EmrRoundRect:
        prepare();
        m_painter.drawRoundedRect(record.rectL(8).normalized(), Record::coordinate(record.i32(24)) / 2,
                                  Record::coordinate(record.i32(28)) / 2);
        break;
    default:
        break;
    }
}

void TrpMetafilePlayback::drawPoly(quint32 type, TrpMetafileRecord &record, bool sixteen)
{
    const quint32 count = record.u32(24);
    const qsizetype pointSize = sixteen ? 4 : 8;
    if (!record.fits(28, qsizetype(count) * pointSize))
        return;
    QPolygonF points;
    points.reserve(count);
    for (quint32 i = 0; i < count; ++i)
        points << (sixteen ? record.pointS(28 + i * 4) : record.pointL(28 + i * 8));
    if (points.isEmpty())
        return;

    TrpMetafileDevice::State &state = m_device.state();
    const bool fromCurrent = type == Record::EmrPolylineTo || type == Record::EmrPolylineTo16 ||
                             type == Record::EmrPolyBezierTo || type == Record::EmrPolyBezierTo16;
    if (fromCurrent)
        points.prepend(state.position);
    prepare();
    switch (type) {
    case Record::EmrPolygon:
    case Record::EmrPolygon16:
        m_painter.drawPolygon(points, state.fillRule);
        break;
    case Record::EmrPolyBezier:
    case Record::EmrPolyBezier16:
    case Record::EmrPolyBezierTo:
    case Record::EmrPolyBezierTo16: {
        QPainterPath path(points.first());
        for (qsizetype i = 1; i + 2 < points.size(); i += 3)
            path.cubicTo(points[i], points[i + 1], points[i + 2]);
        m_painter.strokePath(path, state.pen);
        break;
    }
    default:
        m_painter.drawPolyline(points);
        break;
    }
    if (fromCurrent)
        state.position = points.last();
}

void TrpMetafilePlayback::drawPolyPoly(quint32 type, TrpMetafileRecord &record, bool sixteen)
{
    const quint32 polygons = record.u32(24);
    const quint32 total = record.u32(28);
    const qsizetype pointSize = sixteen ? 4 : 8;
    const qsizetype pointsAt = 32 + qsizetype(polygons) * 4;
    if (!record.fits(32, qsizetype(polygons) * 4) || !record.fits(pointsAt, qsizetype(total) * pointSize))
        return;
    const bool filled = type == Record::EmrPolyPolygon || type == Record::EmrPolyPolygon16;
    QPainterPath path;
    path.setFillRule(m_device.state().fillRule);
    QList<QPolygonF> lines;
    quint32 next = 0;
    for (quint32 p = 0; p < polygons; ++p) {
        const quint32 count = record.u32(32 + p * 4);
        if (count > total - next)
            return;
        QPolygonF points;
        for (quint32 i = 0; i < count; ++i, ++next)
            points << (sixteen ? record.pointS(pointsAt + next * 4) : record.pointL(pointsAt + next * 8));
        if (filled) {
            path.addPolygon(points);
            path.closeSubpath();
        } else {
            lines.append(points);
        }
    }
    prepare();
    if (filled)
        m_painter.drawPath(path);
    for (const QPolygonF &points : std::as_const(lines))
        m_painter.drawPolyline(points);
}

void TrpMetafilePlayback::drawText(TrpMetafileRecord &record, bool wide)
{
    // EMRTEXT after the bounds, graphics mode and the two scales.
    const QPointF reference = record.pointL(36);
    const quint32 chars = record.u32(44);
    const quint32 offString = record.u32(48);
    const quint32 options = record.u32(52);
    const QRectF box = record.rectL(56);
    const quint32 offDx = record.u32(72);
    if (!record.fits(offString, qsizetype(chars) * (wide ? 2 : 1)))
        return;
    // The advances of ANSI text count bytes, not characters.
    const QString text = textOf(record, wide, offString, chars);
    if (text.isEmpty())
        return;
    const bool spaced = offDx != 0 && record.fits(offDx, qsizetype(chars) * 4);

    prepare(true);
    const TrpMetafileDevice::State &state = m_device.state();
    if (options & 0x2) // opaque: the box is filled with the background colour
        m_painter.fillRect(box.normalized(), state.backgroundColor);
    if (options & 0x4) { // clipped to the box
        m_painter.setClipRect(box.normalized(), Qt::IntersectClip);
        m_device.markClipChanged();
    }

    // Fonts are made at a readable pixel size and scaled down, since pixel
    // sizes are whole numbers and logical units may be large.
    const double height = std::abs(state.font.height) > 0 ? std::abs(state.font.height) : 13;
    const double oversize = height < 64 ? 64 / height : 1.0;
    QFont font = state.font.font;
    font.setPixelSize(qMax(1, int(std::lround(height * oversize))));
    QFontMetricsF metrics(font, m_painter.device());
    if (state.font.height > 0 && metrics.height() > 0) {
        // A positive height is the cell height: ascent plus descent.
        font.setPixelSize(qMax(1, int(std::lround(font.pixelSize() * font.pixelSize() / metrics.height()))));
        metrics = QFontMetricsF(font, m_painter.device());
    }

    // The text is drawn as one run, so that it reads as one; the advances
    // of the record only set its width, spread evenly between characters.
    qreal width = metrics.horizontalAdvance(text);
    if (spaced) {
        qreal given = 0;
        for (quint32 i = 0; i < chars; ++i)
            given += Record::coordinate(record.i32(offDx + i * 4)) * oversize;
        const qreal spacing = qBound(-MaxFontHeight, (given - width) / text.size(), MaxFontHeight);
        font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
        width += spacing * text.size();
    }
    drawRun(text, font, metrics, oversize, reference, width, options & 0x2);
}

void TrpMetafilePlayback::drawRun(const QString &text, const QFont &font, const QFontMetricsF &metrics, double oversize,
                                  const QPointF &reference, qreal width, bool boxFilled)
{
    TrpMetafileDevice::State &state = m_device.state();
    const bool updateCp = state.textAlign & 1;
    const QPointF start = updateCp ? state.position : reference;
    qreal x = 0;
    switch (state.textAlign & 6) {
    case 2: // right
        x = -width;
        break;
    case 6: // centre
        x = -width / 2;
        break;
    default:
        break;
    }
    qreal baseline = 0;
    switch (state.textAlign & 24) {
    case 8: // bottom
        baseline = -metrics.descent();
        break;
    case 24: // baseline
        break;
    default: // top
        baseline = metrics.ascent();
        break;
    }

    m_painter.translate(start);
    m_painter.rotate(-state.font.escapement);
    m_painter.scale(1 / oversize, 1 / oversize);
    // Glyphs larger than any sheet come only from broken mappings, and
    // those below half a pixel show nothing.
    const QTransform glyphs = m_painter.combinedTransform();
    const qreal smallest = font.pixelSize() * std::sqrt(std::abs(glyphs.determinant()));
    const qreal largest = font.pixelSize() * qMax(qMax(std::abs(glyphs.m11()), std::abs(glyphs.m12())),
                                                  qMax(std::abs(glyphs.m21()), std::abs(glyphs.m22())));
    if (!(smallest >= 0.5 && largest < MaxFontHeight))
        return;
    m_painter.setFont(font);
    if (state.opaqueBackground && !boxFilled)
        m_painter.fillRect(QRectF(x, baseline - metrics.ascent(), width, metrics.height()), state.backgroundColor);
    m_painter.drawText(QPointF(x, baseline), text);
    if (updateCp && (state.textAlign & 6) == 0)
        state.position = start + QPointF(width / oversize, 0);
}

void TrpMetafilePlayback::drawBitmap(quint32 type, TrpMetafileRecord &record)
{
    QRectF target;
    QRectF source;
    QImage image;
    bool bottomUp = true;
    auto sourceRect = [&](double x, double y, double w, double h) {
        // Source rows of a bottom-up bitmap count from its bottom line.
        if (bottomUp)
            y = image.height() - y - h;
        return QRectF(x, y, w, h);
    };
    auto load = [&](qsizetype headerAt) {
        image = record.dib(record.u32(headerAt), record.u32(headerAt + 4), record.u32(headerAt + 8),
                           record.u32(headerAt + 12));
        bottomUp = record.i32(record.u32(headerAt) + 8) > 0;
    };
    switch (type) {
    case Record::EmrStretchDiBits:
        load(48);
        target =
            QRectF(record.pointL(24), QSizeF(Record::coordinate(record.i32(72)), Record::coordinate(record.i32(76))));
        source = sourceRect(record.i32(32), record.i32(36), record.i32(40), record.i32(44));
        break;
    case Record::EmrSetDiBitsToDevice: {
        load(48);
        const QSizeF size(Record::coordinate(record.i32(40)), Record::coordinate(record.i32(44)));
        target = QRectF(record.pointL(24), size);
        source = sourceRect(record.i32(32), record.i32(36), size.width(), size.height());
        break;
    }
    case Record::EmrBitBlt:
    case Record::EmrStretchBlt: {
        target =
            QRectF(record.pointL(24), QSizeF(Record::coordinate(record.i32(32)), Record::coordinate(record.i32(36))));
        if (record.u32(88) == 0) {
            // No source bitmap: a fill with the brush, black or white.
            const quint32 rop = record.u32(40);
            prepare();
            const QRectF area = target.normalized();
            if (rop == 0x00000042)
                m_painter.fillRect(area, Qt::black);
            else if (rop == 0x00FF0062)
                m_painter.fillRect(area, Qt::white);
            else
                m_painter.fillRect(area, m_device.state().brush);
            return;
        }
        load(84);
        const QSizeF size = type == Record::EmrStretchBlt ? QSizeF(record.i32(100), record.i32(104)) : target.size();
        source = sourceRect(record.i32(44), record.i32(48), size.width(), size.height());
        break;
    }
    default:
        return;
    }
    if (image.isNull() || target.width() == 0 || target.height() == 0)
        return;
    prepare();
    // Negative sizes mirror the bitmap.
    const bool mirrorX = target.width() < 0;
    const bool mirrorY = target.height() < 0;
    if (mirrorX || mirrorY) {
        image = image.mirrored(mirrorX, mirrorY);
        source = QRectF(mirrorX ? image.width() - source.right() : source.x(),
                        mirrorY ? image.height() - source.bottom() : source.y(), source.width(), source.height());
    }
    m_painter.drawImage(target.normalized(), image, source.normalized());
}
