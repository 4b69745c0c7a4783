#pragma once

#include "LeBytes.h"

#include "report/drawing/TrpDrawList.h"
#include "report/drawing/TrpMetafileRecord.h"
#include "report/pages/TrpEMFPage.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

// Shared by the prepared-page, metafile and drawing tests: enhanced
// metafiles built record by record, and records picked by kind.
namespace PreparedFixtures {

inline QString u8(const char *s)
{
    return QString::fromUtf8(s);
}

// An enhanced metafile: the header is written by finish() with the size,
// record count and handle count of what was added, and an end record.
// The reference device has 96 pixels per inch; the default frame is one
// inch square, so a 96 x 96 target maps picture pixels one to one.
class EmfBuilder
{
public:
    explicit EmfBuilder(QRect frame = QRect(0, 0, 2540, 2540)) : m_frame(frame) {}

    EmfBuilder &record(quint32 type, const LeBytes &payload)
    {
        QByteArray body = payload.data();
        while (body.size() % 4)
            body.append('\0');
        m_records.int32(type).int32(8 + body.size()).raw(body);
        ++m_count;
        return *this;
    }
    EmfBuilder &handles(int count)
    {
        m_handles = count;
        return *this;
    }

    [[nodiscard]] QByteArray finish() const
    {
        LeBytes end;
        end.int32(14).int32(20).int32s({0, 16, 20});
        const qsizetype total = 88 + m_records.size() + end.size();
        LeBytes header;
        header.int32(1).int32(88);
        header.int32s({0, 0, 96, 96}); // bounds, device pixels
        header.int32s(
            {m_frame.left(), m_frame.top(), m_frame.left() + m_frame.width(), m_frame.top() + m_frame.height()});
        header.int32(0x464D4520).int32(0x10000).int32(total).int32(m_count + 2);
        header.word(m_handles).word(0);
        header.int32s({0, 0, 0});
        header.int32s({960, 960, 254, 254}); // device pixels and millimetres
        return header.data() + m_records.data() + end.data();
    }

private:
    QRect m_frame;
    LeBytes m_records;
    int m_count = 0;
    int m_handles = 1;
};

// The record types by their names.
using enum TrpMetafileRecord::Type;

constexpr quint32 NullPen = 0x80000008;
constexpr quint32 NullBrush = 0x80000005;

// The records of one kind, in drawing order.
template <typename T> QList<const TrpDrawRecord *> recordsOf(const TrpDrawList &list)
{
    QList<const TrpDrawRecord *> found;
    for (const TrpDrawRecord &record : list.records()) {
        if (std::holds_alternative<T>(record.item))
            found.append(&record);
    }
    return found;
}

// An image in a file format ("PNG", "BMP", ...), as a picture field holds it.
inline QByteArray imageBytes(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A prepared page drawn on white at 100 %, a pixel per page unit.
inline QImage drawnPage(TrpEMFPage &page)
{
    page.Visible = true;
    QImage image(page.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    page.draw(painter, QRectF(QPointF(0, 0), page.size()));
    return image;
}

// A metafile of a single filled rectangle without a pen.
inline QByteArray rectangleMetafile(QRect rect, quint32 color = 0x0000FF)
{
    EmfBuilder emf;
    emf.handles(2)
        .record(EmrCreateBrushIndirect, LeBytes().int32s({1, 0, color, 0}))
        .record(EmrSelectObject, LeBytes().int32(1))
        .record(EmrSelectObject, LeBytes().int32(NullPen))
        .record(EmrRectangle,
                LeBytes().int32s({rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()}));
    return emf.finish();
}

} // namespace PreparedFixtures
