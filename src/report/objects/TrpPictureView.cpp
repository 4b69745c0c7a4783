#include "report/objects/TrpPictureView.h"

#include "report/data/TrpRowSource.h"
#include "report/drawing/TrpDrawContext.h"
#include "report/drawing/TrpMetafilePlayer.h"
#include "report/files/TrpStreamReader.h"
#include "report/files/TrpStreamWriter.h"
#include "report/files/TrpTextFieldWriter.h"
#include "report/files/TrpTextLine.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QtEndian>

struct TrpPictureView::Decoded
{
    QImage image;
    TrpMetafilePlayer metafile;
};

namespace {

// A bitmap cut short of the file size in its header is broken, though the
// reader would show the rows it got (a writer may leave the size 0).
bool isWholeBitmap(const QByteArray &bytes)
{
    if (bytes.size() < 6)
        return false;
    const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + 2);
    return size <= quint32(bytes.size());
}

} // namespace

TrpPictureView::TrpPictureView()
{
    Typ = gtPicture;
}

TrpPictureView::~TrpPictureView() = default;

std::unique_ptr<TrpView> TrpPictureView::clone() const
{
    return std::unique_ptr<TrpView>(new TrpPictureView(*this));
}

QString TrpPictureView::ClassName() const
{
    return QStringLiteral("TrpPictureView");
}

QString TrpPictureView::BaseName() const
{
    return QStringLiteral("Picture");
}

void TrpPictureView::setPicture(quint8 kind, QByteArray data)
{
    m_kind = kind;
    m_data = std::move(data);
    m_decoded.reset();
}

void TrpPictureView::setImage(const QImage &image)
{
    QImage opaque = image;
    if (image.hasAlphaChannel()) {
        opaque = QImage(image.size(), QImage::Format_RGB32);
        opaque.fill(TrpColor::isNone(FillColor) ? QColor(Qt::white) : TrpColor::toQColor(FillColor));
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    opaque.save(&buffer, "BMP");
    setPicture(pkBitmap, bytes);
}

void TrpPictureView::loadPicture(const QByteArray &bytes)
{
    // Bytes that begin as a bitmap or an icon and do not read as one are broken.
    const bool bitmap = bytes.startsWith("BM");
    if (bitmap || bytes.startsWith(QByteArrayView("\0\0\1\0", 4))) {
        setPicture(bitmap ? pkBitmap : pkIcon, bytes);
        if ((bitmap && !isWholeBitmap(bytes)) || decoded().image.isNull())
            clearPicture();
        return;
    }
    setPicture(pkMetafile, bytes);
    if (!decoded().metafile.isNull())
        return;
    const QImage image = bytes.isEmpty() ? QImage() : QImage::fromData(bytes);
    if (image.isNull())
        clearPicture();
    else
        setImage(image);
}

void TrpPictureView::loadFromField(QStringList &)
{
    if (const std::optional<QByteArray> bytes = boundFieldBytes()) {
        loadPicture(*bytes);
        return;
    }
    if (!DataSet || DataField.isEmpty() || DataSet->fieldType(DataField) != TrpRowSource::FieldType::Unknown)
        return;
    if (const std::optional<Variant> value = DataSet->fieldValue(DataField); value && value->isNull())
        clearPicture();
}

void TrpPictureView::clearPicture()
{
    setPicture(pkNone, {});
}

void TrpPictureView::loadFromStream(TrpStreamReader &reader, TrpStreamMode mode)
{
    TrpView::loadFromStream(reader, mode);
    const quint8 kind = reader.readByte();
    const qint32 end = reader.readInt32();
    if (!reader.ok())
        return;
    const qint64 start = reader.pos();
    if (end < start || end > reader.size()) {
        reader.fail(QStringLiteral("Picture end %1 lies outside %2 to %3").arg(end).arg(start).arg(reader.size()));
        return;
    }
    QByteArray data = reader.readBytes(end - start);
    if (reader.ok())
        setPicture(kind, std::move(data));
}

void TrpPictureView::saveToStream(TrpStreamWriter &writer, TrpStreamMode mode) const
{
    TrpView::saveToStream(writer, mode);
    writer.writeByte(m_kind);
    const qint64 placeholder = writer.pos();
    writer.writeInt32(0);
    writer.writeBytes(m_data);
    const qint64 end = writer.pos();
    if (end > std::numeric_limits<qint32>::max()) {
        writer.fail(QStringLiteral("Picture ends past the 2 GB a file can address"));
        return;
    }
    writer.writeInt32At(placeholder, qint32(end));
}

const TrpPictureView::Decoded &TrpPictureView::decoded() const
{
    if (!m_decoded) {
        auto decoded = std::make_shared<Decoded>();
        if (m_kind == pkBitmap)
            decoded->image = QImage::fromData(m_data, "BMP");
        else if (m_kind == pkIcon)
            decoded->image = QImage::fromData(m_data, "ICO");
        else if (m_kind == pkMetafile && !decoded->metafile.load(m_data))
            decoded->metafile = TrpMetafilePlayer();
        m_decoded = std::move(decoded);
    }
    return *m_decoded;
}

QSizeF TrpPictureView::pictureSize() const
{
    const Decoded &picture = decoded();
    if (!picture.image.isNull())
        return QSizeF(picture.image.size());
    if (!picture.metafile.isNull())
        return QSizeF(picture.metafile.size());
    return {};
}

QRectF TrpPictureView::pictureRect(const QRectF &box) const
{
    const QSizeF own = pictureSize();
    if (own.isEmpty())
        return {};
    QSizeF size = own;
    if (Flags & pfStretch) {
        size = box.size();
        if (Flags & pfKeepAspect)
            size = own.scaled(box.size(), Qt::KeepAspectRatio);
    }
    if (Flags & pfCenter)
        return QRectF(box.left() + (box.width() - size.width()) / 2, box.top() + (box.height() - size.height()) / 2,
                      size.width(), size.height());
    return QRectF(box.topLeft(), size);
}

void TrpPictureView::draw(QPainter &painter, const TrpDrawContext &context) const
{
    painter.save();
    applyContext(painter, context);
    const QRectF box = pageRect();
    drawBackground(painter, box, context);
    const QRectF target = pictureRect(box);
    if (!target.isEmpty()) {
        painter.save();
        painter.setClipRect(box, Qt::IntersectClip);
        const Decoded &picture = decoded();
        if (!picture.image.isNull())
            painter.drawImage(target, picture.image);
        else
            picture.metafile.play(painter, target);
        painter.restore();
    }
    drawFrame(painter, box);
    painter.restore();
}

namespace {

// Base64 characters on one PictureData line.
constexpr int PictureChunk = 96;

} // namespace

void TrpPictureView::writeText(TrpTextFieldWriter &out) const
{
    out.number("PictureKind", m_kind);
    const QByteArray data = m_data.toBase64();
    for (qsizetype i = 0; i < data.size(); i += PictureChunk)
        out.field("PictureData", QString::fromLatin1(data.mid(i, PictureChunk)));
}

bool TrpPictureView::readText(const TrpTextLine &line, QByteArray &gathered, QString &error, bool &known)
{
    known = true;
    const QString key = line.keyword();
    if (key == QLatin1String("PictureKind")) {
        quint8 kind = pkNone;
        if (!line.number(0, kind, error))
            return false;
        setPicture(kind, m_data);
        return true;
    }
    if (key == QLatin1String("PictureData")) {
        QString chunk;
        if (!line.bare(0, chunk, error))
            return false;
        gathered += chunk.toLatin1();
        return true;
    }
    known = false;
    return true;
}

bool TrpPictureView::finishText(const QByteArray &gathered, QString &)
{
    setPicture(m_kind, QByteArray::fromBase64(gathered));
    return true;
}
