#pragma once

#include "report/drawing/TrpDrawList.h"

#include <QPaintEngine>
#include <QPainter>

class TrpKnownTexts;

// The paint engine of TrpRecordingDevice: each painter call becomes a
// drawing record with the painter's state at that moment.
class TrpRecordingEngine : public QPaintEngine
{
public:
    explicit TrpRecordingEngine(const QSizeF &pageSize);

    [[nodiscard]] TrpDrawList takeRecords();

    bool begin(QPaintDevice *device) override;
    bool end() override;
    void updateState(const QPaintEngineState &state) override;
    [[nodiscard]] Type type() const override { return User; }

    using QPaintEngine::drawEllipse;
    using QPaintEngine::drawLines;
    using QPaintEngine::drawPoints;
    using QPaintEngine::drawPolygon;
    using QPaintEngine::drawRects;
    void drawRects(const QRectF *rects, int rectCount) override;
    void drawLines(const QLineF *lines, int lineCount) override;
    void drawEllipse(const QRectF &rect) override;
    void drawPath(const QPainterPath &path) override;
    void drawPoints(const QPointF *points, int pointCount) override;
    void drawPolygon(const QPointF *points, int pointCount, PolygonDrawMode mode) override;
    void drawPixmap(const QRectF &rect, const QPixmap &pixmap, const QRectF &source) override;
    void drawImage(const QRectF &rect, const QImage &image, const QRectF &source,
                   Qt::ImageConversionFlags flags = Qt::AutoColor) override;
    void drawTextItem(const QPointF &origin, const QTextItem &textItem) override;

    // What painter.drawText() records, for a painter on this engine's device
    // (see TrpRecordingDevice::drawText).
    void drawText(QPainter &painter, const QPointF &origin, const QString &text);

private:
    // The painter's own state as far as it reaches the records; the font
    // by its number among the known texts' fonts.
    struct PainterState
    {
        int font = -1;
        QPen pen;
        QBrush brush;
        QPointF brushOrigin;
        QBrush background;
        Qt::BGMode backgroundMode = Qt::TransparentMode;
        QTransform transform;
        qreal opacity = 1.0;
        QPainter::RenderHints hints;
        QPainter::CompositionMode composition = QPainter::CompositionMode_SourceOver;
        Qt::LayoutDirection direction = Qt::LeftToRight;

        PainterState(const QPainter &painter, int fontNumber, const QTransform &combined);
        // Compared in place, without copying the painter's pens and brushes.
        [[nodiscard]] bool matches(const QPainter &painter, int fontNumber, const QTransform &combined) const;
    };

    // Adds a text run with the state of that index, joined to the run
    // before it where they touch.
    void addText(TrpDrawRecord::Text item, int stateIndex);
    struct TextState
    {
        PainterState painter;
        TrpDrawState state;
    };

    // Records the text in a painter state seen with text before, from an
    // earlier drawing of it or shaped here; false when the state was not
    // seen or the painter would draw the text in pieces.
    bool addKnownText(const QPainter &painter, const QPointF &origin, const QString &text);
    // The font's number among the known texts; text states of another
    // generation of them are given up.
    int fontNumberOf(TrpKnownTexts &texts, const QFont &font);
    // The text state recorded for the painter's state, or null.
    const TextState *seenTextState(const QPainter &painter, int font, const QTransform &combined);

    // Makes m_stateIndex name the current state.
    void takeState();
    // The index of the state in the list, added unless used lately.
    int stateIndexOf(const TrpDrawState &state);
    // Adds the record with the current state; shape is its extent in its
    // own coordinates, stroked says whether the pen widens it.
    void add(TrpDrawRecord::Item item, const QRectF &shape, bool stroked);

    TrpDrawList m_list;
    TrpDrawState m_state;
    int m_stateIndex = -1;
    // Indexes of the states used lately, the latest first.
    QList<int> m_recentStates;
    // The states that text drawn by drawText() was recorded with, by the
    // painter's state it was drawn with; font numbers of this generation of
    // the known texts.
    QList<TextState> m_textStates;
    quint64 m_fontGeneration = 0;
    // The text state found last, looked at first.
    qsizetype m_lastTextState = 0;
};
