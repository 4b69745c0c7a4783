#include "report/drawing/TrpDrawList.h"

#include "report/drawing/TrpOuterClip.h"

#include <QLocale>
#include <QPainter>

#include <cmath>

namespace {

// Applies the records' states to the target painter, setting only what
// changed since the state applied before.
class StateApplier
{
public:
    StateApplier(QPainter &painter, const QTransform &pageToDevice)
        : m_painter(painter), m_pageToDevice(pageToDevice), m_outerClip(painter)
    {
        const int dpi = painter.device() ? painter.device()->logicalDpiY() : TrpDrawList::Dpi;
        m_fontScale = dpi > 0 ? qreal(TrpDrawList::Dpi) / dpi : 1.0;
    }

    void apply(const TrpDrawState &state)
    {
        const TrpDrawState *last = m_last;
        m_last = &state;
        if (!last || last->clipped != state.clipped || last->clip != state.clip)
            m_outerClip.apply(m_painter, state.clipped, state.clip, m_pageToDevice);
        m_painter.setTransform(state.transform * m_pageToDevice);
        if (!last || last->pen != state.pen)
            m_painter.setPen(state.pen);
        if (!last || last->brush != state.brush)
            m_painter.setBrush(state.brush);
        if (!last || last->brushOrigin != state.brushOrigin)
            m_painter.setBrushOrigin(state.brushOrigin);
        if (!last || last->background != state.background)
            m_painter.setBackground(state.background);
        if (!last || last->backgroundMode != state.backgroundMode)
            m_painter.setBackgroundMode(state.backgroundMode);
        if (!last || last->opacity != state.opacity)
            m_painter.setOpacity(state.opacity);
        if (!last || last->hints != state.hints) {
            m_painter.setRenderHints(~state.hints, false);
            m_painter.setRenderHints(state.hints, true);
        }
        if (!last || last->composition != state.composition)
            m_painter.setCompositionMode(state.composition);
    }

    // Fonts count only for text, and setting one is costly: it is set when
    // text is drawn with another font than the one set last.
    void applyFont(const TrpDrawState &state)
    {
        if (m_fontSet && m_font == state.font)
            return;
        m_font = state.font;
        m_fontSet = true;
        m_painter.setFont(scaledFont(state.font));
    }

private:
    // Fonts in points were laid out at TrpDrawList::Dpi; on a device of
    // another resolution the transform does the scaling, so the point size
    // must not grow with the device as well.
    QFont scaledFont(const QFont &font) const
    {
        if (font.pointSizeF() <= 0 || m_fontScale == 1.0)
            return font;
        QFont scaled = font;
        scaled.setPointSizeF(font.pointSizeF() * m_fontScale);
        return scaled;
    }

    QPainter &m_painter;
    QTransform m_pageToDevice;
    TrpOuterClip m_outerClip;
    qreal m_fontScale = 1.0;
    const TrpDrawState *m_last = nullptr;
    QFont m_font;
    bool m_fontSet = false;
};

// Text on the target, one em in device pixels, lies within these bounds
// and is stretched at most this many times more on one axis than on the
// other. Qt's glyph cache fails on glyphs outside them (a page drawn into a
// target of quite another shape), and nothing readable lies outside them.
constexpr qreal MinTextPixels = 0.1;
constexpr qreal MaxTextPixels = 16384;
constexpr qreal MaxTextStretch = 8;

bool textDrawable(const TrpDrawRecord::Text &text, const QTransform &transform)
{
    const qreal height = text.ascent + text.descent;
    const qreal across = height * std::hypot(transform.m11(), transform.m12());
    const qreal down = height * std::hypot(transform.m21(), transform.m22());
    const qreal smaller = qMin(across, down);
    const qreal larger = qMax(across, down);
    // Written so that NaN is refused too.
    return smaller >= MinTextPixels && larger <= MaxTextPixels && larger <= smaller * MaxTextStretch;
}

Qt::FillRule fillRuleOf(QPaintEngine::PolygonDrawMode mode)
{
    return mode == QPaintEngine::WindingMode ? Qt::WindingFill : Qt::OddEvenFill;
}

} // namespace

int TrpDrawList::addState(const TrpDrawState &state)
{
    m_states.append(state);
    return int(m_states.size()) - 1;
}

void TrpDrawList::addRecord(TrpDrawRecord record)
{
    m_records.append(std::move(record));
}

void TrpDrawList::draw(QPainter &painter, const QRectF &target, const QRectF &visible) const
{
    if (m_records.isEmpty() || m_pageSize.width() <= 0 || m_pageSize.height() <= 0 || !target.isValid())
        return;
    const QTransform pageToTarget(target.width() / m_pageSize.width(), 0, 0, target.height() / m_pageSize.height(),
                                  target.x(), target.y());
    const QRectF wanted = visible.isValid() ? visible.adjusted(-10, -10, 10, 10) : QRectF();

    painter.save();
    StateApplier applier(painter, pageToTarget * painter.worldTransform());
    // Glyphs lose the text: printers and PDF files get the text itself.
    const bool glyphsDrawn = painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster;
    int applied = -1;
    for (const TrpDrawRecord &record : m_records) {
        if (wanted.isValid() && !pageToTarget.mapRect(record.bounds).intersects(wanted))
            continue;
        if (record.state != applied) {
            applier.apply(m_states[record.state]);
            applied = record.state;
        }
        std::visit(
            [&](const auto &item) {
                using T = std::decay_t<decltype(item)>;
                if constexpr (std::is_same_v<T, TrpDrawRecord::Text>) {
                    if (!textDrawable(item, painter.transform()))
                        return;
                    if (glyphsDrawn && !item.glyphs.isEmpty()) {
                        for (const QGlyphRun &run : item.glyphs)
                            painter.drawGlyphRun(item.origin, run);
                        return;
                    }
                    applier.applyFont(m_states[record.state]);
                    painter.drawText(item.origin, item.text);
                } else if constexpr (std::is_same_v<T, TrpDrawRecord::Lines>) {
                    painter.drawLines(item.lines.constData(), int(item.lines.size()));
                } else if constexpr (std::is_same_v<T, TrpDrawRecord::Rects>) {
                    painter.drawRects(item.rects.constData(), int(item.rects.size()));
                } else if constexpr (std::is_same_v<T, TrpDrawRecord::Ellipse>) {
                    painter.drawEllipse(item.rect);
                } else if constexpr (std::is_same_v<T, TrpDrawRecord::Polygon>) {
                    if (item.mode == QPaintEngine::PolylineMode)
                        painter.drawPolyline(item.points);
                    else if (item.mode == QPaintEngine::ConvexMode)
                        painter.drawConvexPolygon(item.points);
                    else
                        painter.drawPolygon(item.points, fillRuleOf(item.mode));
                } else if constexpr (std::is_same_v<T, TrpDrawRecord::Path>) {
                    painter.drawPath(item.path);
                } else if constexpr (std::is_same_v<T, TrpDrawRecord::Image>) {
                    painter.drawImage(item.target, item.image, item.source);
                } else if constexpr (std::is_same_v<T, TrpDrawRecord::Points>) {
                    painter.drawPoints(item.points);
                }
            },
            record.item);
    }
    painter.restore();
}

QStringList TrpDrawList::texts() const
{
    QStringList result;
    for (const TrpDrawRecord &record : m_records) {
        if (const auto *run = std::get_if<TrpDrawRecord::Text>(&record.item))
            result.append(run->text);
    }
    return result;
}

std::optional<TrpDrawList::TextHit> TrpDrawList::findText(const QString &text, bool caseSensitive, int from) const
{
    const QLocale locale;
    const QString wanted = caseSensitive ? text : locale.toUpper(text);
    int index = 0;
    for (const TrpDrawRecord &record : m_records) {
        const auto *run = std::get_if<TrpDrawRecord::Text>(&record.item);
        if (!run)
            continue;
        if (index >= from && (caseSensitive ? run->text : locale.toUpper(run->text)).contains(wanted))
            return TextHit{index, record.bounds.topLeft()};
        ++index;
    }
    return std::nullopt;
}
