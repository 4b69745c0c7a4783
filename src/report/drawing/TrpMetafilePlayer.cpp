#include "report/drawing/TrpMetafilePlayer.h"

#include "report/drawing/TrpOuterClip.h"

#include "base/Sjis.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstring>
#include <optional>
#include <variant>
#include <vector>

namespace {

// Record types of enhanced metafiles.
enum : quint32 {
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

constexpr quint32 HeaderSignature = 0x464D4520; // " EMF"
constexpr int HeaderSize = 88;
constexpr quint32 StockObject = 0x80000000;
// Coordinates, sizes and transform factors beyond these are broken values;
// clamping them keeps the painter's arithmetic finite.
constexpr double MaxCoordinate = 1 << 26;
constexpr double MaxFactor = 1e6;
constexpr qint32 MaxFrame = 1 << 29;
constexpr double MaxPenWidth = 32767; // what QPen takes
constexpr double MaxFontHeight = 16384;
constexpr int MaxSavedStates = 1024;
constexpr int MaxHandles = 65535;

double coordinate(double value)
{
    return qBound(-MaxCoordinate, value, MaxCoordinate);
}

QColor colorOf(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

// Bounds-checked little-endian reads inside one record; reads past its end
// give zero and mark the record as short.
class RecordReader
{
public:
    RecordReader(const char *data, qsizetype size) : m_data(data), m_size(size) {}

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
    float f32(qsizetype offset)
    {
        const quint32 bits = u32(offset);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return std::isfinite(value) ? float(qBound(-MaxFactor, double(value), MaxFactor)) : 0.0f;
    }
    QPointF pointL(qsizetype offset) { return {coordinate(i32(offset)), coordinate(i32(offset + 4))}; }
    QPointF pointS(qsizetype offset) { return {double(i16(offset)), double(i16(offset + 2))}; }
    QRectF rectL(qsizetype offset)
    {
        const QPointF topLeft = pointL(offset);
        const QPointF bottomRight = pointL(offset + 8);
        return QRectF(topLeft, bottomRight);
    }
    QByteArrayView bytes(qsizetype offset, qsizetype length) const
    {
        if (!fits(offset, length))
            return {};
        return QByteArrayView(m_data + offset, length);
    }

private:
    const char *m_data;
    qsizetype m_size;
    bool m_short = false;
};

struct PenObject
{
    QPen pen;
};
struct BrushObject
{
    QBrush brush;
};
struct FontObject
{
    QFont font;
    double height = 0; // logical units; below 0 the character height, above it the cell height
    double escapement = 0;
};
using GdiObject = std::variant<std::monostate, PenObject, BrushObject, FontObject>;

// The device context of the picture being played: what SaveDC keeps.
struct DeviceContext
{
    QPen pen{QColor(Qt::black), 0};
    QBrush brush{Qt::white};
    FontObject font;
    QColor textColor{Qt::black};
    QColor backgroundColor{Qt::white};
    bool opaqueBackground = true;
    quint32 textAlign = 0;
    Qt::FillRule fillRule = Qt::OddEvenFill;
    quint32 mapMode = 1;
    QPointF windowOrigin;
    QPointF viewportOrigin;
    QSizeF windowExtent{1, 1};
    QSizeF viewportExtent{1, 1};
    QTransform world;
    QPointF position;
    bool clipped = false;
    QPainterPath clip; // reference-device units
};

QPen stockPen(quint32 index)
{
    switch (index) {
    case 6:
        return QPen(QColor(Qt::white), 0);
    case 8:
        return QPen(Qt::NoPen);
    default:
        return QPen(QColor(Qt::black), 0);
    }
}

std::optional<QBrush> stockBrush(quint32 index)
{
    switch (index) {
    case 0:
        return QBrush(Qt::white);
    case 1:
        return QBrush(QColor(192, 192, 192));
    case 2:
        return QBrush(QColor(128, 128, 128));
    case 3:
        return QBrush(QColor(64, 64, 64));
    case 4:
        return QBrush(Qt::black);
    case 5:
        return QBrush(Qt::NoBrush);
    default:
        return std::nullopt;
    }
}

Qt::PenStyle penStyleOf(quint32 style)
{
    switch (style & 0x0F) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    case 5:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

// Width 0 (and 1 for cosmetic pens) is one device pixel.
QPen makePen(quint32 style, double width, const QColor &color, bool geometric)
{
    QPen pen(color);
    pen.setStyle(penStyleOf(style));
    width = qBound(0.0, width, MaxPenWidth);
    if (!geometric && width <= 1)
        width = 0;
    pen.setWidthF(width);
    if (width > 1) {
        const quint32 cap = style & 0x0F00;
        pen.setCapStyle(cap == 0x100 ? Qt::SquareCap : cap == 0x200 ? Qt::FlatCap : Qt::RoundCap);
        const quint32 join = style & 0xF000;
        pen.setJoinStyle(join == 0x1000 ? Qt::BevelJoin : join == 0x2000 ? Qt::MiterJoin : Qt::RoundJoin);
    }
    return pen;
}

QBrush makeBrush(quint32 style, const QColor &color, quint32 hatch)
{
    switch (style) {
    case 0:
        return QBrush(color);
    case 2: {
        static const Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                                 Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        return QBrush(color, hatch < 6 ? hatches[hatch] : Qt::HorPattern);
    }
    default:
        return QBrush(Qt::NoBrush);
    }
}

// A device-independent bitmap inside a record, as an image: the header and
// colour table at one offset, the pixels at another.
QImage readDib(RecordReader &record, quint32 offBmi, quint32 cbBmi, quint32 offBits, quint32 cbBits)
{
    const QByteArrayView bmi = record.bytes(offBmi, cbBmi);
    const QByteArrayView bits = record.bytes(offBits, cbBits);
    if (bmi.size() < 12 || bits.isEmpty())
        return {};
    // A bitmap file is the 14-byte file header, the info and the pixels.
    const quint32 fileSize = 14 + quint32(bmi.size()) + quint32(bits.size());
    const quint32 pixelOffset = 14 + quint32(bmi.size());
    QByteArray file;
    file.reserve(qsizetype(fileSize));
    file.append("BM", 2);
    for (const quint32 value : {fileSize, quint32(0), pixelOffset}) {
        for (int shift = 0; shift < 32; shift += 8)
            file.append(char((value >> shift) & 0xFF));
    }
    file.append(bmi.data(), bmi.size());
    file.append(bits.data(), bits.size());
    return QImage::fromData(file, "BMP");
}

class Playback
{
public:
    Playback(QPainter &painter, const QTransform &deviceToTarget, QSize referencePixels, QSize referenceMillimetres)
        : m_painter(painter), m_deviceToTarget(deviceToTarget), m_outerClip(painter),
          m_referencePixels(referencePixels), m_referenceMillimetres(referenceMillimetres)
    {
        m_dc.font.font = QFont(QStringLiteral("MS Sans Serif"));
        m_dc.font.height = 13;
    }

    void setHandleCount(int count) { m_objects.resize(size_t(qBound(1, count, MaxHandles))); }

    // False at the end-of-file record.
    bool play(quint32 type, RecordReader &record);

private:
    QTransform pageTransform() const;
    QTransform logicalToDevice() const { return m_dc.world * pageTransform(); }
    void prepare(bool forText = false);
    void applyClip();
    void clipTo(const QPainterPath &deviceArea, bool intersect);
    GdiObject *object(quint32 index);

    void drawPoly(quint32 type, RecordReader &record, bool sixteen);
    void drawPolyPoly(quint32 type, RecordReader &record, bool sixteen);
    void drawText(RecordReader &record, bool wide);
    void drawBitmap(quint32 type, RecordReader &record);
    void selectObject(quint32 index);
    void createFont(RecordReader &record);

    QPainter &m_painter;
    QTransform m_deviceToTarget;
    TrpOuterClip m_outerClip;
    QSize m_referencePixels;
    QSize m_referenceMillimetres;
    DeviceContext m_dc;
    std::vector<DeviceContext> m_saved;
    std::vector<GdiObject> m_objects{1};
    bool m_clipDirty = true;
};

QTransform Playback::pageTransform() const
{
    double windowX = m_dc.windowExtent.width();
    double windowY = m_dc.windowExtent.height();
    double viewportX = m_dc.viewportExtent.width();
    double viewportY = m_dc.viewportExtent.height();
    const double pixelsPerMmX = m_referenceMillimetres.width() > 0
                                    ? double(m_referencePixels.width()) / m_referenceMillimetres.width()
                                    : 96 / 25.4;
    const double pixelsPerMmY = m_referenceMillimetres.height() > 0
                                    ? double(m_referencePixels.height()) / m_referenceMillimetres.height()
                                    : 96 / 25.4;
    // Logical units per millimetre of the fixed mapping modes; y grows upwards.
    double unitsPerMm = 0;
    switch (m_dc.mapMode) {
    case 2: // low metric
        unitsPerMm = 10;
        break;
    case 3: // high metric
        unitsPerMm = 100;
        break;
    case 4: // low English
        unitsPerMm = 100 / 25.4;
        break;
    case 5: // high English
        unitsPerMm = 1000 / 25.4;
        break;
    case 6: // twips
        unitsPerMm = 1440 / 25.4;
        break;
    case 7: // isotropic
    case 8: // anisotropic
        break;
    default: // text: a logical unit is a device pixel
        windowX = windowY = viewportX = viewportY = 1;
        break;
    }
    if (unitsPerMm > 0) {
        windowX = windowY = unitsPerMm;
        viewportX = pixelsPerMmX;
        viewportY = -pixelsPerMmY;
    }
    if (windowX == 0 || windowY == 0)
        return QTransform();
    double scaleX = viewportX / windowX;
    double scaleY = viewportY / windowY;
    if (m_dc.mapMode == 7) {
        // Isotropic: the smaller scale on both axes, each keeping its sign.
        const double common = qMin(std::abs(scaleX), std::abs(scaleY));
        scaleX = std::copysign(common, scaleX);
        scaleY = std::copysign(common, scaleY);
    }
    return QTransform(scaleX, 0, 0, scaleY, m_dc.viewportOrigin.x() - m_dc.windowOrigin.x() * scaleX,
                      m_dc.viewportOrigin.y() - m_dc.windowOrigin.y() * scaleY);
}

void Playback::applyClip()
{
    if (!m_clipDirty)
        return;
    m_clipDirty = false;
    m_outerClip.apply(m_painter, m_dc.clipped, m_dc.clip, m_deviceToTarget);
}

void Playback::prepare(bool forText)
{
    applyClip();
    m_painter.setTransform(logicalToDevice() * m_deviceToTarget);
    if (forText) {
        m_painter.setPen(m_dc.textColor);
        m_painter.setBrush(Qt::NoBrush);
    } else {
        m_painter.setPen(m_dc.pen);
        m_painter.setBrush(m_dc.brush);
    }
    m_painter.setBackground(m_dc.backgroundColor);
    m_painter.setBackgroundMode(m_dc.opaqueBackground ? Qt::OpaqueMode : Qt::TransparentMode);
}

void Playback::clipTo(const QPainterPath &deviceArea, bool intersect)
{
    if (intersect) {
        m_dc.clip = m_dc.clipped ? m_dc.clip.intersected(deviceArea) : deviceArea;
    } else {
        QPainterPath everything;
        everything.addRect(QRectF(-MaxCoordinate, -MaxCoordinate, 2 * MaxCoordinate, 2 * MaxCoordinate));
        m_dc.clip = (m_dc.clipped ? m_dc.clip : everything).subtracted(deviceArea);
    }
    m_dc.clipped = true;
    m_clipDirty = true;
}

GdiObject *Playback::object(quint32 index)
{
    return index < m_objects.size() ? &m_objects[index] : nullptr;
}

void Playback::selectObject(quint32 index)
{
    if (index & StockObject) {
        const quint32 stock = index & ~StockObject;
        if (const std::optional<QBrush> brush = stockBrush(stock))
            m_dc.brush = *brush;
        else if (stock >= 6 && stock <= 8)
            m_dc.pen = stockPen(stock);
        else if (stock >= 10 && stock <= 17 && stock != 15) {
            m_dc.font = FontObject{};
            m_dc.font.font = QFont(stock == 10 || stock == 11 || stock == 16 ? QStringLiteral("Courier New")
                                                                             : QStringLiteral("MS Sans Serif"));
            m_dc.font.height = 13;
        }
        return;
    }
    const GdiObject *selected = object(index);
    if (!selected)
        return;
    if (const auto *pen = std::get_if<PenObject>(selected))
        m_dc.pen = pen->pen;
    else if (const auto *brush = std::get_if<BrushObject>(selected))
        m_dc.brush = brush->brush;
    else if (const auto *font = std::get_if<FontObject>(selected))
        m_dc.font = *font;
}

void Playback::createFont(RecordReader &record)
{
    GdiObject *slot = object(record.u32(8));
    if (!slot || !record.fits(12, 92))
        return;
    FontObject font;
    font.height = qBound(-MaxFontHeight, double(record.i32(12)), MaxFontHeight);
    font.escapement = record.i32(20) / 10.0;
    const int weight = record.i32(28);
    QString face;
    for (int i = 0; i < 32; ++i) {
        const quint16 unit = record.u16(12 + 28 + 2 * i);
        if (unit == 0)
            break;
        face.append(QChar(unit));
    }
    font.font = QFont(face);
    font.font.setWeight(weight > 0 ? QFont::Weight(qBound(1, weight, 1000)) : QFont::Normal);
    font.font.setItalic(record.u8(32) != 0);
    font.font.setUnderline(record.u8(33) != 0);
    font.font.setStrikeOut(record.u8(34) != 0);
    *slot = font;
}

void Playback::drawPoly(quint32 type, RecordReader &record, bool sixteen)
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

    const bool fromCurrent =
        type == EmrPolylineTo || type == EmrPolylineTo16 || type == EmrPolyBezierTo || type == EmrPolyBezierTo16;
    if (fromCurrent)
        points.prepend(m_dc.position);
    prepare();
    switch (type) {
    case EmrPolygon:
    case EmrPolygon16:
        m_painter.drawPolygon(points, m_dc.fillRule);
        break;
    case EmrPolyBezier:
    case EmrPolyBezier16:
    case EmrPolyBezierTo:
    case EmrPolyBezierTo16: {
        QPainterPath path(points.first());
        for (qsizetype i = 1; i + 2 < points.size(); i += 3)
            path.cubicTo(points[i], points[i + 1], points[i + 2]);
        m_painter.strokePath(path, m_dc.pen);
        break;
    }
    default:
        m_painter.drawPolyline(points);
        break;
    }
    if (fromCurrent)
        m_dc.position = points.last();
}

void Playback::drawPolyPoly(quint32 type, RecordReader &record, bool sixteen)
{
    const quint32 polygons = record.u32(24);
    const quint32 total = record.u32(28);
    const qsizetype pointSize = sixteen ? 4 : 8;
    const qsizetype pointsAt = 32 + qsizetype(polygons) * 4;
    if (!record.fits(32, qsizetype(polygons) * 4) || !record.fits(pointsAt, qsizetype(total) * pointSize))
        return;
    QPainterPath path;
    path.setFillRule(m_dc.fillRule);
    QList<QPolygonF> lines;
    quint32 next = 0;
    for (quint32 p = 0; p < polygons; ++p) {
        const quint32 count = record.u32(32 + p * 4);
        if (count > total - next)
            return;
        QPolygonF points;
        for (quint32 i = 0; i < count; ++i, ++next)
            points << (sixteen ? record.pointS(pointsAt + next * 4) : record.pointL(pointsAt + next * 8));
        if (type == EmrPolyPolygon || type == EmrPolyPolygon16) {
            path.addPolygon(points);
            path.closeSubpath();
        } else {
            lines.append(points);
        }
    }
    prepare();
    if (type == EmrPolyPolygon || type == EmrPolyPolygon16)
        m_painter.drawPath(path);
    for (const QPolygonF &points : std::as_const(lines))
        m_painter.drawPolyline(points);
}

void Playback::drawText(RecordReader &record, bool wide)
{
    // EMRTEXT after the bounds, graphics mode and the two scales.
    const QPointF reference = record.pointL(36);
    const quint32 chars = record.u32(44);
    const quint32 offString = record.u32(48);
    const quint32 options = record.u32(52);
    const QRectF box = record.rectL(56);
    const quint32 offDx = record.u32(72);
    const qsizetype byteCount = qsizetype(chars) * (wide ? 2 : 1);
    if (!record.fits(offString, byteCount))
        return;

    // ANSI text is Shift-JIS here; its advances count bytes, not characters.
    QString text;
    if (wide) {
        for (quint32 i = 0; i < chars; ++i)
            text.append(QChar(record.u16(offString + i * 2)));
    } else {
        text = Sjis::decode(record.bytes(offString, byteCount));
    }
    if (text.isEmpty())
        return;
    const bool spaced = offDx != 0 && record.fits(offDx, qsizetype(chars) * 4);

    prepare(true);
    if (options & 0x2) // opaque: the box is filled with the background colour
        m_painter.fillRect(box.normalized(), m_dc.backgroundColor);
    if (options & 0x4) { // clipped to the box
        m_painter.setClipRect(box.normalized(), Qt::IntersectClip);
        m_clipDirty = true;
    }

    // Fonts are made at a readable pixel size and scaled down, since pixel
    // sizes are whole numbers and logical units may be large.
    const double height = std::abs(m_dc.font.height) > 0 ? std::abs(m_dc.font.height) : 13;
    const double oversize = height < 64 ? 64 / height : 1.0;
    QFont font = m_dc.font.font;
    font.setPixelSize(qMax(1, int(std::lround(height * oversize))));
    QFontMetricsF metrics(font, m_painter.device());
    if (m_dc.font.height > 0 && metrics.height() > 0) {
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
            given += coordinate(record.i32(offDx + i * 4)) * oversize;
        const qreal spacing = qBound(-MaxFontHeight, (given - width) / text.size(), MaxFontHeight);
        font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
        width += spacing * text.size();
    }

    const bool updateCp = m_dc.textAlign & 1;
    const QPointF start = updateCp ? m_dc.position : reference;
    qreal x = 0;
    switch (m_dc.textAlign & 6) {
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
    switch (m_dc.textAlign & 24) {
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
    m_painter.rotate(-m_dc.font.escapement);
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
    if (m_dc.opaqueBackground && !(options & 0x2))
        m_painter.fillRect(QRectF(x, baseline - metrics.ascent(), width, metrics.height()), m_dc.backgroundColor);
    m_painter.drawText(QPointF(x, baseline), text);
    if (updateCp && (m_dc.textAlign & 6) == 0)
        m_dc.position = start + QPointF(width / oversize, 0);
}

void Playback::drawBitmap(quint32 type, RecordReader &record)
{
    QRectF target;
    QRectF source;
    QImage image;
    quint32 rop = 0x00CC0020;
    bool bottomUp = true;
    auto sourceRect = [&](double x, double y, double w, double h) {
        // Source rows of a bottom-up bitmap count from its bottom line.
        if (bottomUp)
            y = image.height() - y - h;
        return QRectF(x, y, w, h);
    };
    auto load = [&](qsizetype headerAt) {
        image = readDib(record, record.u32(headerAt), record.u32(headerAt + 4), record.u32(headerAt + 8),
                        record.u32(headerAt + 12));
        bottomUp = record.i32(record.u32(headerAt) + 8) > 0;
    };
    switch (type) {
    case EmrStretchDiBits:
        load(48);
        rop = record.u32(68);
        target = QRectF(record.pointL(24), QSizeF(coordinate(record.i32(72)), coordinate(record.i32(76))));
        source = sourceRect(record.i32(32), record.i32(36), record.i32(40), record.i32(44));
        break;
    case EmrSetDiBitsToDevice: {
        load(48);
        const QSizeF size(coordinate(record.i32(40)), coordinate(record.i32(44)));
        target = QRectF(record.pointL(24), size);
        source = sourceRect(record.i32(32), record.i32(36), size.width(), size.height());
        break;
    }
    case EmrBitBlt:
    case EmrStretchBlt: {
        target = QRectF(record.pointL(24), QSizeF(coordinate(record.i32(32)), coordinate(record.i32(36))));
        rop = record.u32(40);
        if (record.u32(88) == 0) {
            // No source bitmap: a fill with the brush, black or white.
            prepare();
            const QRectF area = target.normalized();
            if (rop == 0x00000042)
                m_painter.fillRect(area, Qt::black);
            else if (rop == 0x00FF0062)
                m_painter.fillRect(area, Qt::white);
            else
                m_painter.fillRect(area, m_dc.brush);
            return;
        }
        load(84);
        const QSizeF size = type == EmrStretchBlt ? QSizeF(record.i32(100), record.i32(104)) : target.size();
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
    Q_UNUSED(rop);
    m_painter.drawImage(target.normalized(), image, source.normalized());
}

bool Playback::play(quint32 type, RecordReader &record)
{
    switch (type) {
    case EmrEof:
        return false;
    case EmrSetWindowExtEx:
        m_dc.windowExtent = QSizeF(coordinate(record.i32(8)), coordinate(record.i32(12)));
        break;
    case EmrSetWindowOrgEx:
        m_dc.windowOrigin = record.pointL(8);
        break;
    case EmrSetViewportExtEx:
        m_dc.viewportExtent = QSizeF(coordinate(record.i32(8)), coordinate(record.i32(12)));
        break;
    case EmrSetViewportOrgEx:
        m_dc.viewportOrigin = record.pointL(8);
        break;
    case EmrSetMapMode:
        m_dc.mapMode = record.u32(8);
        break;
    case EmrSetBkMode:
        m_dc.opaqueBackground = record.u32(8) == 2;
        break;
    case EmrSetPolyFillMode:
        m_dc.fillRule = record.u32(8) == 2 ? Qt::WindingFill : Qt::OddEvenFill;
        break;
    case EmrSetTextAlign:
        m_dc.textAlign = record.u32(8);
        break;
    case EmrSetTextColor:
        m_dc.textColor = colorOf(record.u32(8));
        break;
    case EmrSetBkColor:
        m_dc.backgroundColor = colorOf(record.u32(8));
        break;
    case EmrMoveToEx:
        m_dc.position = record.pointL(8);
        break;
    case EmrLineTo: {
        const QPointF to = record.pointL(8);
        prepare();
        m_painter.drawLine(m_dc.position, to);
        m_dc.position = to;
        break;
    }
    case EmrIntersectClipRect:
    case EmrExcludeClipRect: {
        QPainterPath area;
        area.addRect(record.rectL(8).normalized());
        clipTo(logicalToDevice().map(area), type == EmrIntersectClipRect);
        break;
    }
    case EmrExtSelectClipRgn: {
        const quint32 size = record.u32(8);
        const quint32 mode = record.u32(12);
        if (size == 0 || mode == 5 /* copy */) {
            m_dc.clipped = false;
            m_dc.clip = QPainterPath();
            m_clipDirty = true;
        }
        if (size >= 32) {
            const quint32 count = record.u32(16 + 8);
            if (!record.fits(16 + 32, qsizetype(count) * 16))
                break;
            QPainterPath area;
            for (quint32 i = 0; i < count; ++i)
                area.addRect(record.rectL(16 + 32 + i * 16).normalized());
            if (mode == 1 /* and */ || mode == 5)
                clipTo(area, true);
            else if (mode == 4 /* diff */)
                clipTo(area, false);
        }
        break;
    }
    case EmrSaveDc:
        if (m_saved.size() < MaxSavedStates)
            m_saved.push_back(m_dc);
        break;
    case EmrRestoreDc: {
        const qint32 relative = record.i32(8);
        if (relative < 0 && qsizetype(-qint64(relative)) <= qsizetype(m_saved.size())) {
            const size_t keep = m_saved.size() - size_t(-qint64(relative));
            m_dc = m_saved[keep];
            m_saved.resize(keep);
            m_clipDirty = true;
        }
        break;
    }
    case EmrSetWorldTransform:
        m_dc.world =
            QTransform(record.f32(8), record.f32(12), record.f32(16), record.f32(20), record.f32(24), record.f32(28));
        break;
    case EmrModifyWorldTransform: {
        const QTransform change(record.f32(8), record.f32(12), record.f32(16), record.f32(20), record.f32(24),
                                record.f32(28));
        switch (record.u32(32)) {
        case 1:
            m_dc.world = QTransform();
            break;
        case 2:
            m_dc.world = change * m_dc.world;
            break;
        case 3:
            m_dc.world = m_dc.world * change;
            break;
        case 4:
            m_dc.world = change;
            break;
        default:
            break;
        }
        break;
    }
    case EmrSelectObject:
        selectObject(record.u32(8));
        break;
    case EmrDeleteObject:
        if (GdiObject *slot = object(record.u32(8)))
            *slot = std::monostate{};
        break;
    case EmrCreatePen:
        if (GdiObject *slot = object(record.u32(8)))
            *slot = PenObject{makePen(record.u32(12), record.i32(16), colorOf(record.u32(24)), false)};
        break;
    case EmrExtCreatePen:
        if (GdiObject *slot = object(record.u32(8))) {
            const quint32 style = record.u32(28);
            *slot = PenObject{makePen(style, record.u32(32), colorOf(record.u32(40)), style & 0x10000)};
        }
        break;
    case EmrCreateBrushIndirect:
        if (GdiObject *slot = object(record.u32(8)))
            *slot = BrushObject{makeBrush(record.u32(12), colorOf(record.u32(16)), record.u32(20))};
        break;
    case EmrExtCreateFontIndirectW:
        createFont(record);
        break;
    case EmrEllipse:
        prepare();
        m_painter.drawEllipse(record.rectL(8).normalized());
        break;
    case EmrRectangle:
        prepare();
        m_painter.drawRect(record.rectL(8).normalized());
        break;
    case EmrRoundRect:
        prepare();
        m_painter.drawRoundedRect(record.rectL(8).normalized(), coordinate(record.i32(24)) / 2,
                                  coordinate(record.i32(28)) / 2);
        break;
    case EmrPolygon:
    case EmrPolyline:
    case EmrPolyBezier:
    case EmrPolyBezierTo:
    case EmrPolylineTo:
        drawPoly(type, record, false);
        break;
    case EmrPolygon16:
    case EmrPolyline16:
    case EmrPolyBezier16:
    case EmrPolyBezierTo16:
    case EmrPolylineTo16:
        drawPoly(type, record, true);
        break;
    case EmrPolyPolyline:
    case EmrPolyPolygon:
        drawPolyPoly(type, record, false);
        break;
    case EmrPolyPolyline16:
    case EmrPolyPolygon16:
        drawPolyPoly(type, record, true);
        break;
    case EmrExtTextOutA:
    case EmrExtTextOutW:
        drawText(record, type == EmrExtTextOutW);
        break;
    case EmrBitBlt:
    case EmrStretchBlt:
    case EmrSetDiBitsToDevice:
    case EmrStretchDiBits:
        drawBitmap(type, record);
        break;
    default:
        break;
    }
    return true;
}

} // namespace

bool TrpMetafilePlayer::load(const QByteArray &bytes)
{
    *this = TrpMetafilePlayer();
    auto fail = [this](const QString &message) {
        m_error = TrpError{TrpError::Kind::Stream, message, 0};
        return false;
    };
    if (bytes.size() < HeaderSize)
        return fail(QStringLiteral("Metafile of %1 bytes is too short").arg(bytes.size()));
    RecordReader header(bytes.constData(), bytes.size());
    const quint32 headerSize = header.u32(4);
    if (header.u32(0) != EmrHeader || header.u32(40) != HeaderSignature || headerSize < HeaderSize ||
        headerSize > quint32(bytes.size()))
        return fail(QStringLiteral("No metafile header"));
    m_bounds = header.rectL(8).toAlignedRect();
    // Frame corners are clamped so that its width and height stay integers.
    const auto corner = [&header](qsizetype at) {
        return qBound(-MaxFrame, header.i32(at), MaxFrame);
    };
    m_frame = QRect(QPoint(corner(24), corner(28)), QSize(corner(32) - corner(24), corner(36) - corner(28)));
    m_deviceSize = QSize(header.i32(72), header.i32(76));
    m_deviceMillimetres = QSize(header.i32(80), header.i32(84));
    // The picture's own length; what follows belongs to someone else.
    const quint32 length = header.u32(48);
    m_bytes = length >= headerSize && length < quint32(bytes.size()) ? bytes.left(length) : bytes;
    return true;
}

QSize TrpMetafilePlayer::size() const
{
    return QSize(int(std::lround(qint64(m_frame.width()) * 96 / 2540.0)),
                 int(std::lround(qint64(m_frame.height()) * 96 / 2540.0)));
}

void TrpMetafilePlayer::play(QPainter &painter, const QRectF &target) const
{
    if (m_bytes.isEmpty() || !target.isValid())
        return;
    RecordReader header(m_bytes.constData(), m_bytes.size());

    // The frame (hundredths of a millimetre) in reference-device pixels.
    const double pixelsPerMmX =
        m_deviceMillimetres.width() > 0 ? double(m_deviceSize.width()) / m_deviceMillimetres.width() : 96 / 25.4;
    const double pixelsPerMmY =
        m_deviceMillimetres.height() > 0 ? double(m_deviceSize.height()) / m_deviceMillimetres.height() : 96 / 25.4;
    QRectF frame(m_frame.x() * pixelsPerMmX / 100, m_frame.y() * pixelsPerMmY / 100,
                 qint64(m_frame.width()) * pixelsPerMmX / 100, qint64(m_frame.height()) * pixelsPerMmY / 100);
    if (frame.width() <= 0 || frame.height() <= 0)
        frame = QRectF(m_bounds);
    if (frame.width() <= 0 || frame.height() <= 0)
        return;
    const double scaleX = target.width() / frame.width();
    const double scaleY = target.height() / frame.height();
    const QTransform deviceToTarget =
        QTransform(scaleX, 0, 0, scaleY, target.x() - frame.x() * scaleX, target.y() - frame.y() * scaleY) *
        painter.worldTransform();

    painter.save();
    Playback playback(painter, deviceToTarget, m_deviceSize, m_deviceMillimetres);
    playback.setHandleCount(header.u16(56));
    qsizetype at = 0;
    while (at <= m_bytes.size() - 8) {
        RecordReader head(m_bytes.constData() + at, m_bytes.size() - at);
        const quint32 type = head.u32(0);
        const quint32 size = head.u32(4);
        if (size < 8 || size > quint64(m_bytes.size() - at))
            break;
        RecordReader record(m_bytes.constData() + at, size);
        if (type != EmrHeader && !playback.play(type, record))
            break;
        at += size;
    }
    painter.restore();
}
