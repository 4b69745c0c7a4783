#pragma once

#include "report/TrpDrawList.h"

#include <QPaintDevice>

#include <memory>

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

protected:
    [[nodiscard]] int metric(PaintDeviceMetric metric) const override;

private:
    QSizeF m_pageSize;
    std::unique_ptr<TrpRecordingEngine> m_engine;
};
