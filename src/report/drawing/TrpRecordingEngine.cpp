#include "report/drawing/TrpRecordingEngine.h"

#include <QCoreApplication>
#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QTextLayout>

namespace {

// What drawing a text in a font recorded, kept for the process (the engine
// runs on one thread): shaping a text costs more than all the rest of
// recording it, and the texts of a report repeat.
struct KnownText
{
    qreal width;
    qreal ascent;
    qreal descent;
    // Made when the text is drawn the second time: laying out glyphs
    // costs more than drawing a text once.
    QList<QGlyphRun> glyphs;
};

struct KnownTextKey
{
    QFont font;
    Qt::LayoutDirection direction;
    QString text;

    bool operator==(const KnownTextKey &) const = default;
};

size_t qHash(const KnownTextKey &key, size_t seed = 0) noexcept
{
    return qHashMulti(seed, key.font, int(key.direction), key.text);
}

// Past this count the table starts again empty.
constexpr qsizetype MaxKnownTexts = 16384;
// Painter states of text kept per page, the oldest given up first.
constexpr qsizetype MaxTextStates = 16;

QHash<KnownTextKey, KnownText> &knownTexts()
{
    static QHash<KnownTextKey, KnownText> texts;
    // Fonts and glyphs go with the application that made them.
    static const bool cleanUpAdded = [] {
        qAddPostRoutine([] { texts.clear(); });
        return true;
    }();
    Q_UNUSED(cleanUpAdded);
    return texts;
}

// The glyphs of the text as painter.drawText() places them, from the
// baseline origin.
QList<QGlyphRun> glyphsOf(const KnownTextKey &key)
{
    QTextLayout layout(key.text, key.font);
    QTextOption option;
    option.setTextDirection(key.direction);
    option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid())
        return {};
    QList<QGlyphRun> runs = line.glyphRuns();
    const QPointF toOrigin(-line.x(), -line.ascent());
    for (QGlyphRun &run : runs) {
        QList<QPointF> positions = run.positions();
        for (QPointF &position : positions)
            position += toOrigin;
        run.setPositions(positions);
    }
    return runs;
}

const QList<QGlyphRun> &glyphsFor(const KnownTextKey &key, KnownText &known)
{
    if (known.glyphs.isEmpty())
        known.glyphs = glyphsOf(key);
    return known.glyphs;
}

} // namespace

TrpRecordingEngine::TrpRecordingEngine(const QSizeF &pageSize) : QPaintEngine(AllFeatures), m_list(pageSize) {}

TrpDrawList TrpRecordingEngine::takeRecords()
{
    TrpDrawList list = std::move(m_list);
    m_list = TrpDrawList(list.pageSize());
    m_stateIndex = -1;
    return list;
}

bool TrpRecordingEngine::begin(QPaintDevice *)
{
    m_state = TrpDrawState{};
    m_stateIndex = -1;
    return true;
}

bool TrpRecordingEngine::end()
{
    return true;
}

void TrpRecordingEngine::updateState(const QPaintEngineState &state)
{
    const DirtyFlags dirty = state.state();
    if (dirty & DirtyPen)
        m_state.pen = state.pen();
    if (dirty & DirtyBrush)
        m_state.brush = state.brush();
    if (dirty & DirtyBrushOrigin)
        m_state.brushOrigin = state.brushOrigin();
    if (dirty & DirtyFont)
        m_state.font = state.font();
    if (dirty & DirtyBackground)
        m_state.background = state.backgroundBrush();
    if (dirty & DirtyBackgroundMode)
        m_state.backgroundMode = state.backgroundMode();
    if (dirty & DirtyTransform)
        m_state.transform = state.transform();
    if (dirty & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled)) {
        // The painter combines every clip operation so far; keeping the
        // result in page units lets each record stand on its own.
        const QPainter *p = painter();
        m_state.clipped = p->hasClipping();
        m_state.clip = m_state.clipped ? p->combinedTransform().map(p->clipPath()) : QPainterPath();
    }
    if (dirty & DirtyHints)
        m_state.hints = state.renderHints();
    if (dirty & DirtyCompositionMode)
        m_state.composition = state.compositionMode();
    if (dirty & DirtyOpacity)
        m_state.opacity = state.opacity();
    m_stateIndex = -1;
}

void TrpRecordingEngine::takeState()
{
    // The painter sets and resets state around its own steps (text is
    // drawn with its hints switched): a state equal to the last one is
    // that one.
    if (m_stateIndex >= 0)
        return;
    if (!m_list.states().isEmpty() && m_list.states().last() == m_state)
        m_stateIndex = int(m_list.states().size()) - 1;
    else
        m_stateIndex = m_list.addState(m_state);
}

void TrpRecordingEngine::add(TrpDrawRecord::Item item, const QRectF &shape, bool stroked)
{
    takeState();
    QRectF extent = shape;
    qreal deviceMargin = 0;
    if (stroked && m_state.pen.style() != Qt::NoPen) {
        const qreal half = qMax<qreal>(m_state.pen.widthF(), 1.0) / 2;
        if (m_state.pen.isCosmetic())
            deviceMargin = half;
        else
            extent.adjust(-half, -half, half, half);
    }
    QRectF bounds =
        m_state.transform.mapRect(extent).adjusted(-deviceMargin, -deviceMargin, deviceMargin, deviceMargin);
    if (m_state.clipped)
        bounds &= m_state.clip.boundingRect();
    m_list.addRecord(TrpDrawRecord{m_stateIndex, bounds, std::move(item)});
}

void TrpRecordingEngine::drawRects(const QRectF *rects, int rectCount)
{
    if (rectCount <= 0)
        return;
    TrpDrawRecord::Rects item;
    item.rects = QList<QRectF>(rects, rects + rectCount);
    QRectF shape;
    for (const QRectF &rect : std::as_const(item.rects))
        shape |= rect.normalized();
    add(std::move(item), shape, true);
}

void TrpRecordingEngine::drawLines(const QLineF *lines, int lineCount)
{
    if (lineCount <= 0)
        return;
    TrpDrawRecord::Lines item;
    item.lines = QList<QLineF>(lines, lines + lineCount);
    QPolygonF ends;
    for (const QLineF &line : std::as_const(item.lines))
        ends << line.p1() << line.p2();
    add(std::move(item), ends.boundingRect(), true);
}

void TrpRecordingEngine::drawEllipse(const QRectF &rect)
{
    add(TrpDrawRecord::Ellipse{rect}, rect.normalized(), true);
}

void TrpRecordingEngine::drawPath(const QPainterPath &path)
{
    add(TrpDrawRecord::Path{path}, path.controlPointRect(), true);
}

void TrpRecordingEngine::drawPoints(const QPointF *points, int pointCount)
{
    if (pointCount <= 0)
        return;
    TrpDrawRecord::Points item;
    item.points = QPolygonF(QList<QPointF>(points, points + pointCount));
    const QRectF shape = item.points.boundingRect();
    add(std::move(item), shape, true);
}

void TrpRecordingEngine::drawPolygon(const QPointF *points, int pointCount, PolygonDrawMode mode)
{
    if (pointCount <= 0)
        return;
    TrpDrawRecord::Polygon item;
    item.points = QPolygonF(QList<QPointF>(points, points + pointCount));
    item.mode = mode;
    const QRectF shape = item.points.boundingRect();
    add(std::move(item), shape, true);
}

void TrpRecordingEngine::drawPixmap(const QRectF &rect, const QPixmap &pixmap, const QRectF &source)
{
    add(TrpDrawRecord::Image{rect, pixmap.toImage(), source}, rect.normalized(), false);
}

void TrpRecordingEngine::drawImage(const QRectF &rect, const QImage &image, const QRectF &source,
                                   Qt::ImageConversionFlags)
{
    add(TrpDrawRecord::Image{rect, image, source}, rect.normalized(), false);
}

void TrpRecordingEngine::drawTextItem(const QPointF &origin, const QTextItem &textItem)
{
    takeState();
    addText({textItem.text(), origin, textItem.width(), textItem.ascent(), textItem.descent(), {}}, m_stateIndex);
}

void TrpRecordingEngine::addText(TrpDrawRecord::Text item, int stateIndex)
{
    const TrpDrawState &state = m_list.states()[stateIndex];
    // A text that needs fallback fonts arrives in pieces, one per font;
    // joined again it reads (and searches) as one run, and drawing it again
    // splits it the same way.
    TrpDrawRecord *last = m_list.lastRecord();
    auto *run = last && last->state == stateIndex ? std::get_if<TrpDrawRecord::Text>(&last->item) : nullptr;
    if (run && run->origin.y() == item.origin.y() && qAbs(run->origin.x() + run->width - item.origin.x()) < 0.01) {
        run->text += item.text;
        run->width += item.width;
        // The glyphs were those of the first piece alone.
        run->glyphs.clear();
        run->ascent = qMax(run->ascent, item.ascent);
        run->descent = qMax(run->descent, item.descent);
        const QRectF joined(run->origin.x(), run->origin.y() - run->ascent, run->width, run->ascent + run->descent);
        last->bounds = state.transform.mapRect(joined);
        if (state.clipped)
            last->bounds &= state.clip.boundingRect();
        return;
    }
    const QRectF shape(item.origin.x(), item.origin.y() - item.ascent, item.width, item.ascent + item.descent);
    QRectF bounds = state.transform.mapRect(shape);
    if (state.clipped)
        bounds &= state.clip.boundingRect();
    m_list.addRecord(TrpDrawRecord{stateIndex, bounds, std::move(item)});
}

TrpRecordingEngine::PainterState::PainterState(const QPainter &painter)
    : font(painter.font()), pen(painter.pen()), brush(painter.brush()), brushOrigin(painter.brushOrigin()),
      background(painter.background()), backgroundMode(painter.backgroundMode()),
      transform(painter.combinedTransform()), opacity(painter.opacity()), hints(painter.renderHints()),
      composition(painter.compositionMode()), direction(painter.layoutDirection())
{}

bool TrpRecordingEngine::addKnownText(const QPainter &painter, const QPointF &origin, const QString &text)
{
    if (painter.hasClipping())
        return false;
    const KnownTextKey key{painter.font(), painter.layoutDirection(), text};
    const auto known = knownTexts().find(key);
    if (known == knownTexts().end())
        return false;
    // The painter hands text to the engine with a state that follows from
    // its own alone: a painter state seen before gives the state recorded
    // then.
    const PainterState now(painter);
    const auto seen = std::find_if(m_textStates.cbegin(), m_textStates.cend(),
                                   [&now](const TextState &textState) { return textState.painter == now; });
    if (seen == m_textStates.cend())
        return false;
    const QList<TrpDrawState> &states = m_list.states();
    const int index =
        !states.isEmpty() && states.last() == seen->state ? int(states.size()) - 1 : m_list.addState(seen->state);
    addText({text, origin, known->width, known->ascent, known->descent, glyphsFor(key, *known)}, index);
    // As after the painter's own text: the next record compares its state
    // with the last one.
    m_stateIndex = -1;
    return true;
}

void TrpRecordingEngine::drawText(QPainter &painter, const QPointF &origin, const QString &text)
{
    if (addKnownText(painter, origin, text))
        return;
    const qsizetype before = m_list.records().size();
    painter.drawText(origin, text);
    // Only a text that became one run of its own is learnt: one drawn in
    // pieces that do not join (tabs, decorations, mixed directions) or
    // joined to the run before is drawn by the painter each time.
    TrpDrawRecord *last = m_list.lastRecord();
    auto *run = last ? std::get_if<TrpDrawRecord::Text>(&last->item) : nullptr;
    if (m_list.records().size() != before + 1 || !run || run->text != text || run->origin != origin ||
        painter.hasClipping())
        return;
    QHash<KnownTextKey, KnownText> &texts = knownTexts();
    const KnownTextKey key{painter.font(), painter.layoutDirection(), text};
    const auto known = texts.find(key);
    if (known != texts.end()) {
        run->glyphs = glyphsFor(key, *known);
    } else {
        if (texts.size() >= MaxKnownTexts)
            texts.clear();
        texts.insert(key, {run->width, run->ascent, run->descent, {}});
    }
    PainterState now(painter);
    if (std::none_of(m_textStates.cbegin(), m_textStates.cend(),
                     [&now](const TextState &textState) { return textState.painter == now; })) {
        if (m_textStates.size() >= MaxTextStates)
            m_textStates.removeFirst();
        m_textStates.append({std::move(now), m_list.states()[last->state]});
    }
}
