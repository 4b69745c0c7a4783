#include "report/drawing/TrpRecordingEngine.h"

#include "report/drawing/TrpKnownTexts.h"
#include "report/drawing/TrpTextShaping.h"

#include <QPainter>
#include <QPixmap>

namespace {

// Painter states of text kept per page, the oldest given up first.
constexpr qsizetype MaxTextStates = 16;
// States of a page that a new record's state is compared with.
constexpr qsizetype MaxRecentStates = 8;

// Whether the painter draws the text as one run of glyphs left to right
// that a line laid out alone reproduces: no control characters, line
// breaks or right-to-left text, whose pieces the painter places apart.
bool plainText(const QString &text, Qt::LayoutDirection direction)
{
    if (direction == Qt::RightToLeft || text.isEmpty())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (c < 0x20 || (c >= 0x7f && c < 0xa0))
            return false;
        // Below Hebrew every character runs left to right or takes the
        // direction of its neighbours.
        if (c < 0x590)
            continue;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), text[++i].unicode());
        if (c == 0x2028 || c == 0x2029)
            return false;
        switch (QChar::direction(c)) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirAN:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirLRE:
        case QChar::DirLRO:
        case QChar::DirPDF:
        case QChar::DirRLI:
        case QChar::DirLRI:
        case QChar::DirFSI:
        case QChar::DirPDI:
            return false;
        default:
            break;
        }
    }
    return true;
}

} // namespace

TrpRecordingEngine::TrpRecordingEngine(const QSizeF &pageSize) : QPaintEngine(AllFeatures), m_list(pageSize) {}

TrpDrawList TrpRecordingEngine::takeRecords()
{
    TrpDrawList list = std::move(m_list);
    m_list = TrpDrawList(list.pageSize());
    m_stateIndex = -1;
    m_recentStates.clear();
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
    if (m_stateIndex < 0)
        m_stateIndex = stateIndexOf(m_state);
}

int TrpRecordingEngine::stateIndexOf(const TrpDrawState &state)
{
    // The painter sets and resets state around its own steps (text is
    // drawn with its hints switched), and objects draw their frames and
    // texts in turn: a state equal to one used lately is that one, so that
    // a page keeps a few states instead of two for each object.
    const QList<TrpDrawState> &states = m_list.states();
    for (qsizetype i = 0; i < m_recentStates.size(); ++i) {
        const int index = m_recentStates[i];
        if (states[index] == state) {
            m_recentStates.move(i, 0);
            return index;
        }
    }
    const int index = m_list.addState(state);
    if (m_recentStates.size() >= MaxRecentStates)
        m_recentStates.removeLast();
    m_recentStates.prepend(index);
    return index;
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
        // The pieces keep their own glyphs, placed from the joined run's
        // origin; a piece drawn without glyphs leaves the run to be shaped
        // again as a whole.
        if (run->glyphs.isEmpty() || item.glyphs.isEmpty()) {
            run->glyphs.clear();
        } else {
            const QPointF offset = item.origin - run->origin;
            for (QGlyphRun glyphs : std::as_const(item.glyphs)) {
                QList<QPointF> positions = glyphs.positions();
                for (QPointF &position : positions)
                    position += offset;
                glyphs.setPositions(positions);
                run->glyphs.append(glyphs);
            }
        }
        run->width += item.width;
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

TrpRecordingEngine::PainterState::PainterState(const QPainter &painter, int fontNumber, const QTransform &combined)
    : font(fontNumber), pen(painter.pen()), brush(painter.brush()), brushOrigin(painter.brushOrigin()),
      background(painter.background()), backgroundMode(painter.backgroundMode()), transform(combined),
      opacity(painter.opacity()), hints(painter.renderHints()), composition(painter.compositionMode()),
      direction(painter.layoutDirection())
{}

bool TrpRecordingEngine::PainterState::matches(const QPainter &painter, int fontNumber,
                                               const QTransform &combined) const
{
    return font == fontNumber && pen == painter.pen() && brush == painter.brush() &&
           brushOrigin == painter.brushOrigin() && background == painter.background() &&
           backgroundMode == painter.backgroundMode() && transform == combined && opacity == painter.opacity() &&
           hints == painter.renderHints() && composition == painter.compositionMode() &&
           direction == painter.layoutDirection();
}

const TrpRecordingEngine::TextState *TrpRecordingEngine::seenTextState(const QPainter &painter, int font,
                                                                       const QTransform &combined)
{
    // Texts come in runs of one state: the one found last is tried first.
    if (m_lastTextState < m_textStates.size() && m_textStates[m_lastTextState].painter.matches(painter, font, combined))
        return &m_textStates[m_lastTextState];
    for (qsizetype i = 0; i < m_textStates.size(); ++i) {
        if (m_textStates[i].painter.matches(painter, font, combined)) {
            m_lastTextState = i;
            return &m_textStates[i];
        }
    }
    return nullptr;
}

int TrpRecordingEngine::fontNumberOf(TrpKnownTexts &texts, const QFont &font)
{
    const int number = texts.fontNumber(font);
    // The text states name fonts by numbers of the generation they were
    // seen in.
    if (texts.generation() != m_fontGeneration) {
        m_textStates.clear();
        m_fontGeneration = texts.generation();
    }
    return number;
}

bool TrpRecordingEngine::addKnownText(const QPainter &painter, const QPointF &origin, const QString &text)
{
    if (painter.hasClipping() || m_textStates.isEmpty())
        return false;
    // The painter hands text to the engine with a state that follows from
    // its own alone: a painter state seen before gives the state recorded
    // then.
    TrpKnownTexts &texts = TrpKnownTexts::global();
    const int font = fontNumberOf(texts, painter.font());
    const TextState *seen = seenTextState(painter, font, painter.combinedTransform());
    if (!seen)
        return false;
    const Qt::LayoutDirection direction = painter.layoutDirection();
    const TrpShapedLine *known = texts.find(font, direction, text);
    if (!known) {
        // In a state that drew text before, a plain text is laid out here
        // once instead of by the painter and again for each drawing: put
        // together from the glyphs of its characters where they shape
        // alone, else shaped as a whole.
        std::optional<TrpShapedLine> made;
        if (direction != Qt::RightToLeft)
            made = texts.compose(font, text);
        if (!made && plainText(text, direction))
            made = TrpTextShaping::shapeLine(text, painter.font(), direction, painter.device());
        if (!made || made->glyphs.isEmpty())
            return false;
        known = &texts.remember(font, direction, text, std::move(*made));
    }
    const int index = stateIndexOf(seen->state);
    addText({text, origin, known->width, known->ascent, known->descent, known->glyphs}, index);
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
    TrpKnownTexts &texts = TrpKnownTexts::global();
    const int font = fontNumberOf(texts, painter.font());
    const Qt::LayoutDirection direction = painter.layoutDirection();
    const TrpShapedLine *known = texts.find(font, direction, text);
    if (!known) {
        // Measured as the painter measured it; glyphs where a line laid out
        // alone places them as the painter did.
        QList<QGlyphRun> glyphs;
        if (plainText(text, direction))
            glyphs = TrpTextShaping::shapeLine(text, painter.font(), direction, painter.device()).glyphs;
        known = &texts.remember(font, direction, text, {run->width, run->ascent, run->descent, std::move(glyphs)});
    }
    run->glyphs = known->glyphs;
    const QTransform combined = painter.combinedTransform();
    if (!seenTextState(painter, font, combined)) {
        if (m_textStates.size() >= MaxTextStates)
            m_textStates.removeFirst();
        m_textStates.append({PainterState(painter, font, combined), m_list.states()[last->state]});
    }
}
