#include "PreparedFixtures.h"

#include "report/objects/TrpPictureView.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace PreparedFixtures;

namespace {

QImage filled(QSize size, QColor colour, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(size, format);
    image.fill(colour);
    return image;
}

// What a picture field may hold: the picture kinds of the files as they
// are, other image formats as a bitmap, and nothing for anything else.
TEST(TrpPictureLoad, TakesEveryPictureAFieldMayHold)
{
    const QByteArray bmp = imageBytes(filled({30, 20}, Qt::blue), "BMP");
    const QByteArray ico = imageBytes(filled({16, 16}, Qt::green, QImage::Format_ARGB32), "ICO");
    const QByteArray emf = rectangleMetafile(QRect(0, 0, 10, 10));
    const QByteArray jpeg = imageBytes(filled({24, 12}, Qt::red), "JPEG");
    const struct
    {
        const char *what;
        QByteArray bytes;
        quint8 kind;
        QSizeF size;
        bool kept;
    } cases[] = {
        {"bitmap", bmp, TrpPictureView::pkBitmap, {30, 20}, true},
        {"icon", ico, TrpPictureView::pkIcon, {16, 16}, true},
        {"metafile", emf, TrpPictureView::pkMetafile, {96, 96}, true},
        {"JPEG", jpeg, TrpPictureView::pkBitmap, {24, 12}, false},
        {"PNG", imageBytes(filled({5, 7}, Qt::red), "PNG"), TrpPictureView::pkBitmap, {5, 7}, false},
        {"a false bitmap header", QByteArray("BM") + QByteArray(60, '\x7f'), TrpPictureView::pkNone, {}, false},
        {"a false icon header", QByteArray("\0\0\1\0\xff\xff", 6), TrpPictureView::pkNone, {}, false},
        {"a cut bitmap", bmp.left(80), TrpPictureView::pkNone, {}, false},
        {"a cut JPEG", jpeg.left(jpeg.size() / 3), TrpPictureView::pkNone, {}, false},
        {"text", QByteArray("見守り要"), TrpPictureView::pkNone, {}, false},
        {"nothing", QByteArray(), TrpPictureView::pkNone, {}, false},
    };
    for (const auto &c : cases) {
        TrpPictureView picture;
        picture.setImage(filled({3, 3}, Qt::black));
        picture.loadPicture(c.bytes);
        EXPECT_EQ(picture.pictureKind(), c.kind) << c.what;
        EXPECT_EQ(picture.pictureSize(), c.size) << c.what;
        if (c.kept) {
            EXPECT_EQ(picture.pictureData(), c.bytes) << c.what;
        } else if (c.kind == TrpPictureView::pkBitmap) {
            EXPECT_TRUE(picture.pictureData().startsWith("BM")) << c.what;
        }
    }
}

// A bitmap holds no transparency: what shows through is the object's fill
// (the paper without one), not black.
TEST(TrpPictureLoad, TransparentPartsTakeTheFill)
{
    QImage half = filled({4, 2}, Qt::transparent, QImage::Format_ARGB32);
    half.setPixelColor(0, 0, Qt::red);
    const QByteArray png = imageBytes(half, "PNG");

    TrpPictureView picture;
    picture.loadPicture(png);
    QImage stored = QImage::fromData(picture.pictureData(), "BMP");
    EXPECT_EQ(stored.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(stored.pixelColor(3, 1), QColor(Qt::white));

    picture.FillColor = 0x00FFFF; // yellow, as BGR
    picture.loadPicture(png);
    stored = QImage::fromData(picture.pictureData(), "BMP");
    EXPECT_EQ(stored.pixelColor(3, 1), QColor(Qt::yellow));
}

} // namespace
