#include "report/drawing/TrpDrawList.h"

#include "report/drawing/TrpOuterClip.h"

#include <QLocale>
#include <QPainter>
#include <QRawFont>

#include <cmath>

namespace {

// Glyphs are filled with the pen's brush alone: pens that differ only in
// width, caps or joins (a frame's pen) draw them alike.
bool sameGlyphPen(const QPen &a, const QPen &b)
{
    return a.brush() == b.brush() && (a.style() == Qt::NoPen) == (b.style() == Qt::NoPen);
}

// Applies the records' states to the target painter, setting only what
// differs from what the painter has: every change costs, and a PDF writer
// writes out its whole graphics state again for each.
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
        if (m_last == &state && m_lastWhole)
            return;
        const bool first = !m_brushesSet;
        applyShared(state);
        m_lastWhole = true;
        if (!m_penSet || m_applied.pen != state.pen)
            setPen(state.pen);
        if (first || m_applied.brush != state.brush)
            m_painter.setBrush(m_applied.brush = state.brush);
        if (first || m_applied.brushOrigin != state.brushOrigin)
            m_painter.setBrushOrigin(m_applied.brushOrigin = state.brushOrigin);
        if (first || m_applied.background != state.background)
            m_painter.setBackground(m_applied.background = state.background);
        if (first || m_applied.backgroundMode != state.backgroundMode)
            m_painter.setBackgroundMode(m_applied.backgroundMode = state.backgroundMode);
        m_brushesSet = true;
    }

    // For glyphs: a pen that draws them alike stays, and brushes and
    // backgrounds do not count.
    void applyForGlyphs(const TrpDrawState &state)
    {
        if (m_last == &state)
            return;
        applyShared(state);
        m_lastWhole = false;
        if (!m_penSet || !sameGlyphPen(m_applied.pen, state.pen))
            setPen(state.pen);
    }

    // The transform that applying the state gives the painter.
    [[nodiscard]] QTransform deviceTransform(const TrpDrawState &state) const
    {
        return state.transform * m_pageToDevice;
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
    void applyShared(const TrpDrawState &state)
    {
        const bool first = m_last == nullptr;
        if (first || m_applied.clipped != state.clipped || m_applied.clip != state.clip) {
            m_outerClip.apply(m_painter, state.clipped, state.clip, m_pageToDevice);
            m_applied.clipped = state.clipped;
            m_applied.clip = state.clip;
            // The outer clip leaves the painter's transform changed.
            m_transformSet = false;
        }
        if (!m_transformSet || m_transformFrom != state.transform) {
            m_transformFrom = state.transform;
            m_transformSet = true;
            m_painter.setTransform(state.transform * m_pageToDevice);
        }
        if (first || m_applied.opacity != state.opacity)
            m_painter.setOpacity(m_applied.opacity = state.opacity);
        if (first || m_applied.hints != state.hints) {
            m_painter.setRenderHints(~state.hints, false);
            m_painter.setRenderHints(state.hints, true);
            m_applied.hints = state.hints;
        }
        if (first || m_applied.composition != state.composition)
            m_painter.setCompositionMode(m_applied.composition = state.composition);
        m_last = &state;
    }

    void setPen(const QPen &pen)
    {
        m_penSet = true;
        m_applied.pen = pen;
        m_painter.setPen(pen);
    }

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
    // What the painter has, as far as it was set.
    TrpDrawState m_applied;
    bool m_penSet = false;
    bool m_brushesSet = false;
    const TrpDrawState *m_last = nullptr;
    bool m_lastWhole = false;
    QTransform m_transformFrom;
    bool m_transformSet = false;
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

// Whether glyphs drawn with either state come out alike.
bool sameForGlyphs(const TrpDrawState &a, const TrpDrawState &b)
{
    return a.transform == b.transform && a.clipped == b.clipped && a.clip == b.clip && a.opacity == b.opacity &&
           a.hints == b.hints && a.composition == b.composition && sameGlyphPen(a.pen, b.pen);
}

// The glyphs of consecutive text runs in one state, gathered and drawn in
// one go: each drawing of glyphs costs a PDF writer a text object and a
// graphics state of its own. Each glyph lands where a drawing of its own run
// puts it (origin plus position, as the painter adds them). Runs are never
// held back past other drawings: besides keeping what covers what, pdftotext
// was seen to read some pages in another order then.
class GlyphBatch
{
public:
    GlyphBatch(QPainter &painter, StateApplier &applier) : m_painter(painter), m_applier(applier) {}

    // Whether the run can join: same state for its glyphs, and room left.
    [[nodiscard]] bool accepts(const TrpDrawState &state) const
    {
        return !m_state || (m_runs < MaxRuns && sameForGlyphs(*m_state, state));
    }

    void add(const TrpDrawState &state, const TrpDrawRecord::Text &text)
    {
        m_state = &state;
        ++m_runs;
        for (const QGlyphRun &run : text.glyphs) {
            if (m_segments.isEmpty() || run.rawFont() != m_segments.last().font ||
                run.flags() != m_segments.last().flags)
                m_segments.append({run.rawFont(), run.flags(), {}, {}});
            Segment &segment = m_segments.last();
            segment.indexes.append(run.glyphIndexes());
            for (const QPointF &position : run.positions())
                segment.positions.append(text.origin + position);
        }
    }

    void flush()
    {
        if (!m_state)
            return;
        m_applier.applyForGlyphs(*m_state);
        for (const Segment &segment : std::as_const(m_segments)) {
            QGlyphRun run;
            run.setRawFont(segment.font);
            run.setFlags(segment.flags);
            run.setGlyphIndexes(segment.indexes);
            run.setPositions(segment.positions);
            m_painter.drawGlyphRun(QPointF(0, 0), run);
        }
        m_state = nullptr;
        m_runs = 0;
        m_segments.clear();
    }

private:
    // Runs drawn together at most.
    static constexpr qsizetype MaxRuns = 256;

    struct Segment
    {
        QRawFont font;
        QGlyphRun::GlyphRunFlags flags;
        QList<quint32> indexes;
        QList<QPointF> positions;
    };

    QPainter &m_painter;
    StateApplier &m_applier;
    const TrpDrawState *m_state = nullptr;
    qsizetype m_runs = 0;
    QList<Segment> m_segments;
};

Qt::FillRule fillRuleOf(QPaintEngine::PolygonDrawMode mode)
{
    return mode == QPaintEngine::WindingMode ? Qt::WindingFill : Qt::OddEvenFill;
}

// A picture shown smaller than its pixels (a page in the preview) is
// scaled down by averaging them first: sampling one in several breaks thin
// lines, a body figure's hatching, into blotches. Printers and larger
// views take the pixels as they are.
void drawImage(QPainter &painter, const TrpDrawRecord::Image &item)
{
    const QRectF source = item.source.isValid() ? item.source : QRectF(item.image.rect());
    const QSize shown = painter.transform().mapRect(item.target).size().toSize();
    if (painter.transform().isRotating() || shown.isEmpty() ||
        (shown.width() >= source.width() && shown.height() >= source.height())) {
        painter.drawImage(item.target, item.image, item.source);
        return;
    }
    const QImage part = item.image.copy(source.toAlignedRect());
    painter.drawImage(item.target, part.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
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
    // PDF files (printers too) map glyphs back to their characters as they do
    // for shaped text, so they take the glyphs as images do.
    const QPaintEngine *engine = painter.paintEngine();
    const bool glyphsDrawn = engine && (engine->type() == QPaintEngine::Raster || engine->type() == QPaintEngine::Pdf);
    GlyphBatch batch(painter, applier);
    for (const TrpDrawRecord &record : m_records) {
        if (wanted.isValid() && !pageToTarget.mapRect(record.bounds).intersects(wanted))
            continue;
        const TrpDrawState &state = m_states[record.state];
        const auto *text = std::get_if<TrpDrawRecord::Text>(&record.item);
        if (text && glyphsDrawn && !text->glyphs.isEmpty()) {
            if (!batch.accepts(state))
                batch.flush();
            if (textDrawable(*text, applier.deviceTransform(state)))
                batch.add(state, *text);
            continue;
        }
        batch.flush();
        applier.apply(state);
        std::visit(
            [&](const auto &item) {
                using T = std::decay_t<decltype(item)>;
                if constexpr (std::is_same_v<T, TrpDrawRecord::Text>) {
                    if (!textDrawable(item, painter.transform()))
                        return;
                    applier.applyFont(state);
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
                    drawImage(painter, item);
                } else if constexpr (std::is_same_v<T, TrpDrawRecord::Points>) {
                    painter.drawPoints(item.points);
                }
            },
            record.item);
    }
    batch.flush();
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
