#include "report/TrpRecordingEngine.h"

#include <QPainter>
#include <QPixmap>

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
    TrpDrawRecord::Text item{textItem.text(), origin, textItem.width(), textItem.ascent(), textItem.descent()};
    const QRectF shape(origin.x(), origin.y() - item.ascent, item.width, item.ascent + item.descent);

    // A text that needs fallback fonts arrives in pieces, one per font;
    // joined again it reads (and searches) as one run, and drawing it again
    // splits it the same way.
    takeState();
    TrpDrawRecord *last = m_list.lastRecord();
    auto *run = last && last->state == m_stateIndex ? std::get_if<TrpDrawRecord::Text>(&last->item) : nullptr;
    if (run && run->origin.y() == origin.y() && qAbs(run->origin.x() + run->width - origin.x()) < 0.01) {
        run->text += item.text;
        run->width += item.width;
        run->ascent = qMax(run->ascent, item.ascent);
        run->descent = qMax(run->descent, item.descent);
        const QRectF joined(run->origin.x(), run->origin.y() - run->ascent, run->width, run->ascent + run->descent);
        last->bounds = m_state.transform.mapRect(joined);
        if (m_state.clipped)
            last->bounds &= m_state.clip.boundingRect();
        return;
    }
    add(std::move(item), shape, false);
}
