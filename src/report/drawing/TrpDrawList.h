#pragma once

#include "report/drawing/TrpDrawRecord.h"
#include "report/drawing/TrpDrawState.h"

#include <QList>
#include <QSizeF>

#include <optional>

class QPainter;

// A prepared page as drawing records: what the preview draws, the printer
// prints and the text search reads. Made by drawing on a TrpRecordingDevice.
class TrpDrawList
{
public:
    // Fonts sized in points were laid out at this many pixels (page units)
    // per inch.
    static constexpr int Dpi = 96;

    explicit TrpDrawList(const QSizeF &pageSize = {}) : m_pageSize(pageSize) {}

    [[nodiscard]] QSizeF pageSize() const { return m_pageSize; }
    [[nodiscard]] const QList<TrpDrawState> &states() const { return m_states; }
    [[nodiscard]] const QList<TrpDrawRecord> &records() const { return m_records; }
    [[nodiscard]] bool isEmpty() const { return m_records.isEmpty(); }
    [[nodiscard]] const TrpDrawState &stateOf(const TrpDrawRecord &record) const { return m_states[record.state]; }

    // The index of the state that records added next are drawn with.
    int addState(const TrpDrawState &state);
    void addRecord(TrpDrawRecord record);
    // The record added last, to extend it; null when there is none.
    [[nodiscard]] TrpDrawRecord *lastRecord() { return m_records.isEmpty() ? nullptr : &m_records.last(); }

    // Draws the page with its extent, (0, 0) to pageSize(), mapped onto the
    // target rectangle. With a valid visible rectangle (in the painter's
    // coordinates) a record is skipped when its place on the target,
    // widened by 10 pixels on each side, misses it. Text that the target
    // would shrink to nothing, blow up past any page or stretch far more on
    // one axis than on the other is left out. The painter's own state and
    // clip are kept.
    void draw(QPainter &painter, const QRectF &target, const QRectF &visible = {}) const;

    // The texts of the text runs in drawing order.
    [[nodiscard]] QStringList texts() const;

    struct TextHit
    {
        int index;     // among the text runs
        QPointF point; // top left of the run on the page, page units
    };
    // The first text run at or after the index (counted over text runs)
    // that contains the text; without case sensitivity both are compared
    // upper-cased.
    [[nodiscard]] std::optional<TextHit> findText(const QString &text, bool caseSensitive, int from = 0) const;

private:
    QSizeF m_pageSize;
    QList<TrpDrawState> m_states;
    QList<TrpDrawRecord> m_records;
};
