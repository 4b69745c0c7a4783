#pragma once

#include "report/objects/TrpView.h"

#include <QByteArray>
#include <QSizeF>

class QImage;
class TrpMetafilePlayer;

// A picture in a box: a bitmap, a metafile or an icon. The picture is kept
// as the bytes of its own stream format (a BMP file, an enhanced metafile,
// an ICO file), so that it is written back as it was read, and decoded when
// it is first drawn.
class TrpPictureView : public TrpView
{
public:
    enum PictureKind : quint8 { pkNone = 0, pkBitmap = 1, pkMetafile = 2, pkIcon = 3 };
    // Picture options in Flags.
    enum PictureFlags : quint16 { pfStretch = 1, pfCenter = 2, pfKeepAspect = 4 };

    TrpPictureView();
    ~TrpPictureView() override;

    [[nodiscard]] std::unique_ptr<TrpView> clone() const override;
    [[nodiscard]] QString ClassName() const override;
    [[nodiscard]] QString BaseName() const override;

    void loadFromStream(TrpStreamReader &reader, TrpStreamMode mode) override;
    void saveToStream(TrpStreamWriter &writer, TrpStreamMode mode) const override;
    void writeText(TrpTextFieldWriter &out) const override;
    bool readText(const TrpTextLine &line, QByteArray &gathered, QString &error, bool &known) override;
    bool finishText(const QByteArray &gathered, QString &error) override;
    void draw(QPainter &painter, const TrpDrawContext &context) const override;

    [[nodiscard]] quint8 pictureKind() const { return m_kind; }
    [[nodiscard]] const QByteArray &pictureData() const { return m_data; }
    // Bytes in the stream format of the kind; kinds past the icon are kept
    // as they are and draw nothing.
    void setPicture(quint8 kind, QByteArray data);
    // The image as a bitmap; transparent parts take the fill colour (white
    // without one), since a bitmap holds no transparency.
    void setImage(const QImage &image);
    void clearPicture();
    // Takes the picture that the bytes hold: a bitmap, a metafile or an
    // icon as they are, any other image format that can be read (PNG, JPEG,
    // GIF) as a bitmap. Bytes that hold no picture, and none, leave none.
    void loadPicture(const QByteArray &bytes);
    // A null in a column whose kind the database does not tell (an
    // expression column of SQLite) leaves no picture either, rather than the
    // last row's.
    void loadFromField(QStringList &text) override;

    // The size the picture is drawn at when not stretched, in page units;
    // empty when there is nothing to draw.
    [[nodiscard]] QSizeF pictureSize() const;
    // Where the picture goes inside a box, by the picture options.
    [[nodiscard]] QRectF pictureRect(const QRectF &box) const;

private:
    struct Decoded;
    TrpPictureView(const TrpPictureView &) = default;

    [[nodiscard]] const Decoded &decoded() const;

    quint8 m_kind = pkNone;
    QByteArray m_data;
    mutable std::shared_ptr<const Decoded> m_decoded;
};
