#include "report/drawing/TrpMetafilePlayer.h"

#include "report/drawing/TrpMetafileDevice.h"
#include "report/drawing/TrpMetafilePlayback.h"
#include "report/drawing/TrpMetafileRecord.h"

#include <QPainter>

#include <cmath>

namespace {

constexpr qint32 MaxFrame = 1 << 29;

} // namespace

bool TrpMetafilePlayer::load(const QByteArray &bytes)
{
    *this = TrpMetafilePlayer();
    auto fail = [this](const QString &message) {
        m_error = TrpError{TrpError::Kind::Stream, message, 0};
        return false;
    };
    if (bytes.size() < TrpMetafileRecord::HeaderSize)
        return fail(QStringLiteral("Metafile of %1 bytes is too short").arg(bytes.size()));
    TrpMetafileRecord header(bytes.constData(), bytes.size());
    const quint32 headerSize = header.u32(4);
    if (header.u32(0) != TrpMetafileRecord::EmrHeader || header.u32(40) != TrpMetafileRecord::HeaderSignature ||
        headerSize < TrpMetafileRecord::HeaderSize || headerSize > quint32(bytes.size()))
        return fail(QStringLiteral("No metafile header"));
    m_bounds = header.rectL(8).toAlignedRect();
    // Frame corners are clamped so that its width and height stay integers.
    const auto corner = [&header](qsizetype at) {
        return qBound(-MaxFrame, header.i32(at), MaxFrame);
    };
    m_frame = QRect(QPoint(corner(24), corner(28)), QSize(corner(32) - corner(24), corner(36) - corner(28)));
    m_deviceSize = QSize(header.i32(72), header.i32(76));
    m_deviceMillimetres = QSize(header.i32(80), header.i32(84));
    // The picture's own length; what follows belongs to someone else.
    const quint32 length = header.u32(48);
    m_bytes = length >= headerSize && length < quint32(bytes.size()) ? bytes.left(length) : bytes;
    return true;
}

QSize TrpMetafilePlayer::size() const
{
    return QSize(int(std::lround(qint64(m_frame.width()) * 96 / 2540.0)),
                 int(std::lround(qint64(m_frame.height()) * 96 / 2540.0)));
}

void TrpMetafilePlayer::play(QPainter &painter, const QRectF &target) const
{
    if (m_bytes.isEmpty() || !target.isValid())
        return;
    TrpMetafileRecord header(m_bytes.constData(), m_bytes.size());

    // The frame (hundredths of a millimetre) in reference-device pixels.
    const QSizeF pixelsPerMm = TrpMetafileDevice::pixelsPerMillimetre(m_deviceSize, m_deviceMillimetres);
    const double pixelsPerMmX = pixelsPerMm.width();
    const double pixelsPerMmY = pixelsPerMm.height();
    QRectF frame(m_frame.x() * pixelsPerMmX / 100, m_frame.y() * pixelsPerMmY / 100,
                 qint64(m_frame.width()) * pixelsPerMmX / 100, qint64(m_frame.height()) * pixelsPerMmY / 100);
    if (frame.width() <= 0 || frame.height() <= 0)
        frame = QRectF(m_bounds);
    if (frame.width() <= 0 || frame.height() <= 0)
        return;
    const double scaleX = target.width() / frame.width();
    const double scaleY = target.height() / frame.height();
    const QTransform deviceToTarget =
        QTransform(scaleX, 0, 0, scaleY, target.x() - frame.x() * scaleX, target.y() - frame.y() * scaleY) *
        painter.worldTransform();

    painter.save();
    TrpMetafilePlayback playback(painter, deviceToTarget, m_deviceSize, m_deviceMillimetres);
    playback.setHandleCount(header.u16(56));
    qsizetype at = 0;
    while (at <= m_bytes.size() - 8) {
        TrpMetafileRecord head(m_bytes.constData() + at, m_bytes.size() - at);
        const quint32 type = head.u32(0);
        const quint32 size = head.u32(4);
        if (size < 8 || size > quint64(m_bytes.size() - at))
            break;
        TrpMetafileRecord record(m_bytes.constData() + at, size);
        if (type != TrpMetafileRecord::EmrHeader && !playback.play(type, record))
            break;
        at += size;
    }
    painter.restore();
}
