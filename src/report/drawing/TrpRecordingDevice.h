#pragma once

#include "report/drawing/TrpDrawList.h"

#include <QPaintDevice>

#include <memory>

class QPainter;
class TrpRecordingEngine;

// A paint device that keeps what is drawn on it as drawing records instead
// of pixels. Report objects draw on it with an ordinary QPainter; one unit
// is a page unit, at TrpDrawList::Dpi units per inch for fonts.
class TrpRecordingDevice : public QPaintDevice
{
public:
    explicit TrpRecordingDevice(const QSizeF &pageSize);
    ~TrpRecordingDevice() override;

    [[nodiscard]] QPaintEngine *paintEngine() const override;

    // The records drawn so far; the device starts empty again.
    [[nodiscard]] TrpDrawList takeRecords();

    // Draws the text as painter.drawText() does. On a recording device,
    // with a painter state that text was drawn with before on the device,
    // a text is shaped once and recorded with its glyphs, which images,
    // printers and PDF files draw without shaping it again: shaping texts
    // is the costliest part of recording and drawing a page. Texts the
    // painter would draw in pieces (clipped, right to left, with control
    // characters) are left to it.
    static void drawText(QPainter &painter, const QPointF &origin, const QString &text);

protected:
    [[nodiscard]] int metric(PaintDeviceMetric metric) const override;

private:
    QSizeF m_pageSize;
    std::unique_ptr<TrpRecordingEngine> m_engine;
};
