#include "report/drawing/TrpMetafileDevice.h"

#include "report/drawing/TrpMetafileRecord.h"

#include "report/common/TrpPenStyle.h"

#include <cmath>
#include <optional>

namespace {

using Record = TrpMetafileRecord;

constexpr quint32 StockObject = 0x80000000;
constexpr double MaxPenWidth = 32767; // what QPen takes
constexpr int MaxSavedStates = 1024;
constexpr int MaxHandles = 65535;

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

// Width 0 (and 1 for cosmetic pens) is one device pixel.
QPen makePen(quint32 style, double width, const QColor &color, bool geometric)
{
    QPen pen(color);
    pen.setStyle(TrpPenStyle::toQt(style & 0x0F, TrpPenStyle::Codes::Metafile));
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

TrpMetafileDevice::Font systemFont(const QString &family)
{
    TrpMetafileDevice::Font font;
    font.font = QFont(family);
    font.height = 13;
    return font;
}

} // namespace

TrpMetafileDevice::TrpMetafileDevice(QSize referencePixels, QSize referenceMillimetres)
    : m_referencePixels(referencePixels), m_referenceMillimetres(referenceMillimetres)
{
    m_state.font = systemFont(QStringLiteral("MS Sans Serif"));
}

void TrpMetafileDevice::setHandleCount(int count)
{
    m_objects.resize(size_t(qBound(1, count, MaxHandles)));
}

bool TrpMetafileDevice::takeClipChange()
{
    const bool changed = m_clipChanged;
    m_clipChanged = false;
    return changed;
}

bool TrpMetafileDevice::apply(quint32 type, TrpMetafileRecord &record)
{
    switch (type) {
    case Record::EmrSetBkMode:
        m_state.opaqueBackground = record.u32(8) == 2;
        return true;
    case Record::EmrSetPolyFillMode:
        m_state.fillRule = record.u32(8) == 2 ? Qt::WindingFill : Qt::OddEvenFill;
        return true;
    case Record::EmrSetTextAlign:
        m_state.textAlign = record.u32(8);
        return true;
    case Record::EmrSetTextColor:
        m_state.textColor = Record::colorOf(record.u32(8));
        return true;
    case Record::EmrSetBkColor:
        m_state.backgroundColor = Record::colorOf(record.u32(8));
        return true;
    case Record::EmrMoveToEx:
        m_state.position = record.pointL(8);
        return true;
    case Record::EmrIntersectClipRect:
    case Record::EmrExcludeClipRect: {
        QPainterPath area;
        area.addRect(record.rectL(8).normalized());
        clipTo(logicalToDevice().map(area), type == Record::EmrIntersectClipRect);
        return true;
    }
    case Record::EmrExtSelectClipRgn:
        selectClipRegion(record);
        return true;
    case Record::EmrSaveDc:
        if (m_saved.size() < MaxSavedStates)
            m_saved.push_back(m_state);
        return true;
    case Record::EmrRestoreDc:
        restore(record.i32(8));
        return true;
    default:
        return applyMapping(type, record) || applyObject(type, record);
    }
}

bool TrpMetafileDevice::applyMapping(quint32 type, TrpMetafileRecord &record)
{
    switch (type) {
    case Record::EmrSetWindowExtEx:
        m_state.windowExtent = QSizeF(Record::coordinate(record.i32(8)), Record::coordinate(record.i32(12)));
        return true;
    case Record::EmrSetWindowOrgEx:
        m_state.windowOrigin = record.pointL(8);
        return true;
    case Record::EmrSetViewportExtEx:
        m_state.viewportExtent = QSizeF(Record::coordinate(record.i32(8)), Record::coordinate(record.i32(12)));
        return true;
    case Record::EmrSetViewportOrgEx:
        m_state.viewportOrigin = record.pointL(8);
        return true;
    case Record::EmrSetMapMode:
        m_state.mapMode = record.u32(8);
        return true;
    case Record::EmrSetWorldTransform:
        m_state.world =
            QTransform(record.f32(8), record.f32(12), record.f32(16), record.f32(20), record.f32(24), record.f32(28));
        return true;
    case Record::EmrModifyWorldTransform:
        modifyWorld(record);
        return true;
    default:
        return false;
    }
}

bool TrpMetafileDevice::applyObject(quint32 type, TrpMetafileRecord &record)
{
    switch (type) {
    case Record::EmrSelectObject:
        selectObject(record.u32(8));
        return true;
    case Record::EmrDeleteObject:
        if (GdiObject *slot = object(record.u32(8)))
            *slot = std::monostate{};
        return true;
    case Record::EmrCreatePen:
        if (GdiObject *slot = object(record.u32(8)))
            *slot = PenObject{makePen(record.u32(12), record.i32(16), Record::colorOf(record.u32(24)), false)};
        return true;
    case Record::EmrExtCreatePen:
        if (GdiObject *slot = object(record.u32(8))) {
            const quint32 style = record.u32(28);
            *slot = PenObject{makePen(style, record.u32(32), Record::colorOf(record.u32(40)), style & 0x10000)};
        }
        return true;
    case Record::EmrCreateBrushIndirect:
        if (GdiObject *slot = object(record.u32(8)))
            *slot = BrushObject{makeBrush(record.u32(12), Record::colorOf(record.u32(16)), record.u32(20))};
        return true;
    case Record::EmrExtCreateFontIndirectW:
        createFont(record);
        return true;
    default:
        return false;
    }
}

QSizeF TrpMetafileDevice::pixelsPerMillimetre(QSize pixels, QSize millimetres)
{
    return QSizeF(millimetres.width() > 0 ? double(pixels.width()) / millimetres.width() : 96 / 25.4,
                  millimetres.height() > 0 ? double(pixels.height()) / millimetres.height() : 96 / 25.4);
}

QTransform TrpMetafileDevice::pageTransform() const
{
    double windowX = m_state.windowExtent.width();
    double windowY = m_state.windowExtent.height();
    double viewportX = m_state.viewportExtent.width();
    double viewportY = m_state.viewportExtent.height();
    const QSizeF pixelsPerMm = pixelsPerMillimetre(m_referencePixels, m_referenceMillimetres);
    // Logical units per millimetre of the fixed mapping modes; y grows upwards.
    double unitsPerMm = 0;
    switch (m_state.mapMode) {
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
        viewportX = pixelsPerMm.width();
        viewportY = -pixelsPerMm.height();
    }
    if (windowX == 0 || windowY == 0)
        return QTransform();
    double scaleX = viewportX / windowX;
    double scaleY = viewportY / windowY;
    if (m_state.mapMode == 7) {
        // Isotropic: the smaller scale on both axes, each keeping its sign.
        const double common = qMin(std::abs(scaleX), std::abs(scaleY));
        scaleX = std::copysign(common, scaleX);
        scaleY = std::copysign(common, scaleY);
    }
    return QTransform(scaleX, 0, 0, scaleY, m_state.viewportOrigin.x() - m_state.windowOrigin.x() * scaleX,
                      m_state.viewportOrigin.y() - m_state.windowOrigin.y() * scaleY);
}

void TrpMetafileDevice::clipTo(const QPainterPath &deviceArea, bool intersect)
{
    if (intersect) {
        m_state.clip = m_state.clipped ? m_state.clip.intersected(deviceArea) : deviceArea;
    } else {
        QPainterPath everything;
        everything.addRect(QRectF(-Record::MaxCoordinate, -Record::MaxCoordinate, 2 * Record::MaxCoordinate,
                                  2 * Record::MaxCoordinate));
        m_state.clip = (m_state.clipped ? m_state.clip : everything).subtracted(deviceArea);
    }
    m_state.clipped = true;
    m_clipChanged = true;
}

void TrpMetafileDevice::selectClipRegion(TrpMetafileRecord &record)
{
    const quint32 size = record.u32(8);
    const quint32 mode = record.u32(12);
    if (size == 0 || mode == 5 /* copy */) {
        m_state.clipped = false;
        m_state.clip = QPainterPath();
        m_clipChanged = true;
    }
    if (size < 32)
        return;
    const quint32 count = record.u32(16 + 8);
    if (!record.fits(16 + 32, qsizetype(count) * 16))
        return;
    QPainterPath area;
    for (quint32 i = 0; i < count; ++i)
        area.addRect(record.rectL(16 + 32 + i * 16).normalized());
    if (mode == 1 /* and */ || mode == 5)
        clipTo(area, true);
    else if (mode == 4 /* diff */)
        clipTo(area, false);
}

void TrpMetafileDevice::restore(qint32 relative)
{
    if (relative < 0 && qsizetype(-qint64(relative)) <= qsizetype(m_saved.size())) {
        const size_t keep = m_saved.size() - size_t(-qint64(relative));
        m_state = m_saved[keep];
        m_saved.resize(keep);
        m_clipChanged = true;
    }
}

void TrpMetafileDevice::modifyWorld(TrpMetafileRecord &record)
{
    const QTransform change(record.f32(8), record.f32(12), record.f32(16), record.f32(20), record.f32(24),
                            record.f32(28));
    switch (record.u32(32)) {
    case 1:
        m_state.world = QTransform();
        break;
    case 2:
        m_state.world = change * m_state.world;
        break;
    case 3:
        m_state.world = m_state.world * change;
        break;
    case 4:
        m_state.world = change;
        break;
    default:
        break;
    }
}

TrpMetafileDevice::GdiObject *TrpMetafileDevice::object(quint32 index)
{
    return index < m_objects.size() ? &m_objects[index] : nullptr;
}

void TrpMetafileDevice::selectObject(quint32 index)
{
    if (index & StockObject) {
        const quint32 stock = index & ~StockObject;
        if (const std::optional<QBrush> brush = stockBrush(stock))
            m_state.brush = *brush;
        else if (stock >= 6 && stock <= 8)
            m_state.pen = stockPen(stock);
        else if (stock >= 10 && stock <= 17 && stock != 15)
            m_state.font = systemFont(stock == 10 || stock == 11 || stock == 16 ? QStringLiteral("Courier New")
                                                                                : QStringLiteral("MS Sans Serif"));
        return;
    }
    const GdiObject *selected = object(index);
    if (!selected)
        return;
    if (const auto *pen = std::get_if<PenObject>(selected))
        m_state.pen = pen->pen;
    else if (const auto *brush = std::get_if<BrushObject>(selected))
        m_state.brush = brush->brush;
    else if (const auto *font = std::get_if<Font>(selected))
        m_state.font = *font;
}

void TrpMetafileDevice::createFont(TrpMetafileRecord &record)
{
    GdiObject *slot = object(record.u32(8));
    if (!slot || !record.fits(12, 92))
        return;
    Font font;
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
