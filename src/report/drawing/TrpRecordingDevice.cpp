#include "report/drawing/TrpRecordingDevice.h"

#include "report/drawing/TrpRecordingEngine.h"

#include <QPainter>

#include <cmath>

namespace {

int clampedLength(double length)
{
    return int(qBound(0.0, std::ceil(length), double(INT_MAX)));
}

} // namespace

TrpRecordingDevice::TrpRecordingDevice(const QSizeF &pageSize)
    : m_pageSize(pageSize), m_engine(std::make_unique<TrpRecordingEngine>(pageSize))
{}

TrpRecordingDevice::~TrpRecordingDevice() = default;

QPaintEngine *TrpRecordingDevice::paintEngine() const
{
    return m_engine.get();
}

TrpDrawList TrpRecordingDevice::takeRecords()
{
    return m_engine->takeRecords();
}

void TrpRecordingDevice::drawText(QPainter &painter, const QPointF &origin, const QString &text)
{
    auto *device = dynamic_cast<TrpRecordingDevice *>(painter.device());
    if (device && painter.paintEngine() == device->m_engine.get())
        device->m_engine->drawText(painter, origin, text);
    else
        painter.drawText(origin, text);
}

int TrpRecordingDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return clampedLength(m_pageSize.width());
    case PdmHeight:
        return clampedLength(m_pageSize.height());
    case PdmWidthMM:
        return clampedLength(m_pageSize.width() * 25.4 / TrpDrawList::Dpi);
    case PdmHeightMM:
        return clampedLength(m_pageSize.height() * 25.4 / TrpDrawList::Dpi);
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return TrpDrawList::Dpi;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return QPaintDevice::metric(metric);
}
