#include "PreparedFixtures.h"
#include "drawing/DrawListChecks.h"

#include "report/drawing/TrpRecordingDevice.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace PreparedFixtures;

namespace {

template <typename T> const T *itemAt(const TrpDrawList &list, qsizetype index)
{
    return index < list.records().size() ? std::get_if<T>(&list.records()[index].item) : nullptr;
}

QImage whiteImage(QSize size, int dpi = 96)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(int(dpi / 0.0254 + 0.5));
    image.setDotsPerMeterY(int(dpi / 0.0254 + 0.5));
    return image;
}

// The list drawn on a white image of the size onto the target.
QImage drawnOn(const TrpDrawList &list, QSize size, const QRectF &target, int dpi = 96, const QRectF &visible = {})
{
    QImage image = whiteImage(size, dpi);
    QPainter painter(&image);
    list.draw(painter, target, visible);
    return image;
}

// The columns and rows that are not white.
QRect inkOf(const QImage &image)
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

} // namespace

TEST(TrpDrawList, RecordsWhatIsDrawnInPageUnits)
{
    TrpRecordingDevice device(QSizeF(200, 100));
    EXPECT_EQ(device.width(), 200);
    EXPECT_EQ(device.logicalDpiY(), TrpDrawList::Dpi);
    QPainter painter(&device);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::red);
    painter.drawRect(QRectF(10, 10, 20, 5));
    painter.translate(50, 20);
    painter.scale(2, 2);
    painter.drawEllipse(QRectF(0, 0, 10, 10));
    painter.resetTransform();
    painter.setPen(QPen(Qt::blue, 3));
    painter.drawLine(QPointF(0, 50), QPointF(100, 50));
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(20);
    painter.setFont(font);
    painter.drawText(QPointF(5, 90), u8("介護記録 A"));
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(Qt::green);
    painter.drawImage(QRectF(150, 10, 40, 20), image);
    painter.end();

    const TrpDrawList list = device.takeRecords();
    EXPECT_EQ(list.pageSize(), QSizeF(200, 100));
    ASSERT_EQ(list.records().size(), 5);
    ASSERT_TRUE(itemAt<TrpDrawRecord::Rects>(list, 0));
    EXPECT_EQ(list.records()[0].bounds, QRectF(10, 10, 20, 5));
    EXPECT_EQ(list.stateOf(list.records()[0]).brush.color(), QColor(Qt::red));
    ASSERT_TRUE(itemAt<TrpDrawRecord::Ellipse>(list, 1));
    EXPECT_EQ(list.records()[1].bounds, QRectF(50, 20, 20, 20));
    ASSERT_TRUE(itemAt<TrpDrawRecord::Lines>(list, 2));
    EXPECT_EQ(list.records()[2].bounds, QRectF(-1.5, 48.5, 103, 3));

    const auto *text = itemAt<TrpDrawRecord::Text>(list, 3);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->text, u8("介護記録 A"));
    EXPECT_EQ(text->origin, QPointF(5, 90));
    EXPECT_EQ(list.stateOf(list.records()[3]).font.pixelSize(), 20);
    EXPECT_NEAR(list.records()[3].bounds.bottom(), 90 + text->descent, 0.01);
    EXPECT_GT(text->width, 80);

    ASSERT_TRUE(itemAt<TrpDrawRecord::Image>(list, 4));
    EXPECT_EQ(list.records()[4].bounds, QRectF(150, 10, 40, 20));
    EXPECT_EQ(list.texts(), QStringList{u8("介護記録 A")});
}

TEST(TrpDrawList, KeepsClipsInPageUnits)
{
    TrpRecordingDevice device(QSizeF(100, 100));
    QPainter painter(&device);
    painter.translate(10, 10);
    painter.setClipRect(QRectF(0, 0, 20, 20));
    painter.translate(5, 0);
    painter.fillRect(QRectF(0, 0, 50, 50), Qt::black);
    painter.setClipping(false);
    painter.fillRect(QRectF(60, 60, 10, 10), Qt::black);
    painter.end();

    const TrpDrawList list = device.takeRecords();
    ASSERT_EQ(list.records().size(), 2);
    const TrpDrawState &clipped = list.stateOf(list.records()[0]);
    EXPECT_TRUE(clipped.clipped);
    EXPECT_EQ(clipped.clip.boundingRect(), QRectF(10, 10, 20, 20));
    EXPECT_EQ(list.records()[0].bounds, QRectF(15, 10, 15, 20));
    EXPECT_FALSE(list.stateOf(list.records()[1]).clipped);
}

TEST(TrpDrawList, DrawsOntoAnyTargetRectangle)
{
    TrpRecordingDevice device(QSizeF(100, 50));
    QPainter recorder(&device);
    recorder.fillRect(QRectF(10, 10, 20, 10), Qt::black);
    recorder.end();
    const TrpDrawList list = device.takeRecords();

    EXPECT_EQ(inkOf(drawnOn(list, QSize(100, 50), QRectF(0, 0, 100, 50))), QRect(10, 10, 20, 10));
    // Twice the size, moved by 5, 5.
    EXPECT_EQ(inkOf(drawnOn(list, QSize(220, 120), QRectF(5, 5, 200, 100))), QRect(25, 25, 40, 20));

    // The painter's own clip and transform stay in force.
    QImage clipped = whiteImage(QSize(100, 50));
    QPainter painter(&clipped);
    painter.setClipRect(QRect(0, 0, 20, 50));
    painter.translate(2, 0);
    list.draw(painter, QRectF(0, 0, 100, 50));
    EXPECT_TRUE(painter.hasClipping());
    EXPECT_EQ(painter.transform(), QTransform::fromTranslate(2, 0));
    painter.end();
    EXPECT_EQ(inkOf(clipped), QRect(12, 10, 8, 10));
}

TEST(TrpDrawList, LeavesOutWhatLiesAwayFromTheVisibleArea)
{
    TrpRecordingDevice device(QSizeF(300, 100));
    QPainter recorder(&device);
    recorder.fillRect(QRectF(10, 10, 10, 10), Qt::black);
    recorder.fillRect(QRectF(200, 10, 10, 10), Qt::black);
    recorder.end();
    const TrpDrawList list = device.takeRecords();

    // Within 10 pixels of the visible area counts as visible.
    const QRectF page(0, 0, 300, 100);
    EXPECT_EQ(inkOf(drawnOn(list, QSize(300, 100), page, 96, QRectF(0, 0, 185, 100))), QRect(10, 10, 10, 10));
    EXPECT_EQ(inkOf(drawnOn(list, QSize(300, 100), page, 96, QRectF(0, 0, 191, 100))), QRect(10, 10, 200, 10));
}

TEST(TrpDrawList, TextKeepsItsSizeOnDevicesOfAnotherResolution)
{
    TrpRecordingDevice device(QSizeF(200, 50));
    QPainter recorder(&device);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(12); // 16 page units at 96 per inch
    recorder.setFont(font);
    recorder.setPen(Qt::black);
    recorder.drawText(QPointF(10, 30), QStringLiteral("MMMMMM"));
    recorder.end();
    const TrpDrawList list = device.takeRecords();

    // A 288 dpi device with the page three times as large: the text must
    // grow three times, not nine.
    const QRect small = inkOf(drawnOn(list, QSize(200, 50), QRectF(0, 0, 200, 50)));
    const QRect large = inkOf(drawnOn(list, QSize(600, 150), QRectF(0, 0, 600, 150), 288));
    ASSERT_FALSE(small.isEmpty());
    EXPECT_NEAR(large.width(), 3.0 * small.width(), 6);
    EXPECT_NEAR(large.left(), 3.0 * small.left(), 4);
}

TEST(TrpDrawList, FindsTextRunsFromAnIndex)
{
    TrpRecordingDevice device(QSizeF(300, 200));
    QPainter painter(&device);
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(12);
    painter.setFont(font);
    painter.drawText(QPointF(10, 20), u8("利用者 Tanaka"));
    painter.fillRect(QRectF(0, 0, 5, 5), Qt::black);
    painter.drawText(QPointF(10, 60), u8("実施日"));
    painter.drawText(QPointF(100, 120), u8("tanaka様"));
    painter.end();
    const TrpDrawList list = device.takeRecords();

    std::optional<TrpDrawList::TextHit> hit = list.findText(QStringLiteral("TANAKA"), false);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->index, 0);
    EXPECT_NEAR(hit->point.x(), 10, 0.01);
    EXPECT_LT(hit->point.y(), 20);
    EXPECT_GT(hit->point.y(), 5);

    hit = list.findText(QStringLiteral("TANAKA"), false, hit->index + 1);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->index, 2);
    EXPECT_NEAR(hit->point.x(), 100, 0.01);

    EXPECT_FALSE(list.findText(QStringLiteral("TANAKA"), false, 3));
    EXPECT_FALSE(list.findText(QStringLiteral("TANAKA"), true));
    hit = list.findText(u8("実施"), true);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->index, 1);
}

namespace {

// A page of one unit's width drawn into an image, as a broken prepared
// report has it: glyphs stretched 80 times one way and shrunk the other
// crash the glyph cache, so such text is left out, while text stretched as
// a printer of unequal resolutions stretches it is still drawn.
TEST(TrpDrawList, TextOfAbsurdShapeOrSizeIsLeftOut)
{
    const auto page = [](const QSizeF &size) {
        TrpRecordingDevice device(size);
        QPainter painter(&device);
        QFont font(QStringLiteral("Noto Sans CJK JP"));
        font.setPixelSize(13);
        painter.setFont(font);
        painter.setPen(Qt::black);
        TrpRecordingDevice::drawText(painter, QPointF(0, 20), u8("ページ"));
        painter.drawText(QPointF(0, 40), QStringLiteral("Page"));
        painter.end();
        return device.takeRecords();
    };
    const TrpDrawList narrow = page(QSizeF(1, 1070));
    ASSERT_EQ(narrow.texts().size(), 2);
    EXPECT_TRUE(inkOf(drawnOn(narrow, QSize(80, 110), QRectF(0, 0, 80, 110))).isEmpty());
    EXPECT_TRUE(inkOf(drawnOn(narrow, QSize(80, 110), QRectF(0, 0, 1e-9, 110))).isEmpty());
    EXPECT_TRUE(inkOf(drawnOn(narrow, QSize(80, 110), QRectF(0, 0, 1e12, 1e14))).isEmpty());

    const TrpDrawList wide = page(QSizeF(100, 50));
    EXPECT_FALSE(inkOf(drawnOn(wide, QSize(200, 50), QRectF(0, 0, 200, 50))).isEmpty());
    EXPECT_FALSE(inkOf(drawnOn(wide, QSize(50, 50), QRectF(0, 0, 50, 50))).isEmpty());
}

// The same drawing twice over: texts, some of them again, with a frame and
// a change of pen between them, as memos draw them.
TrpDrawList recordMemos(bool throughDevice)
{
    TrpRecordingDevice device(QSizeF(300, 200));
    QPainter painter(&device);
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(13);
    auto text = [&](const QPointF &origin, const QString &line) {
        if (throughDevice)
            TrpRecordingDevice::drawText(painter, origin, line);
        else
            painter.drawText(origin, line);
    };
    for (int round = 0; round < 3; ++round) {
        for (int memo = 0; memo < 4; ++memo) {
            const double top = 10 + 40 * memo + round;
            painter.save();
            painter.setPen(QPen(Qt::black, 1));
            painter.drawRect(QRectF(10, top, 100, 30));
            painter.restore();
            painter.setFont(font);
            painter.setPen(memo == 2 ? Qt::red : Qt::black);
            text(QPointF(12, top + 12), u8("山田1"));
            text(QPointF(12, top + 27), QStringLiteral("%1").arg(memo * 7));
            // Touching the run before: one run, as the painter joins its pieces.
            text(QPointF(12 + QFontMetricsF(font).horizontalAdvance(QStringLiteral("%1").arg(memo * 7)), top + 27),
                 u8("様"));
        }
        // Text turned as memos turn it.
        painter.save();
        painter.translate(250 + 15 * round, 190);
        painter.rotate(-90);
        text(QPointF(2, 12), u8("回転 Text"));
        painter.restore();
    }
    painter.end();
    return device.takeRecords();
}

} // namespace

TEST(TrpDrawList, TextsDrawnAgainRecordAsThePainterDoes)
{
    const TrpDrawList painted = recordMemos(false);
    const TrpDrawList known = recordMemos(true);
    DrawListChecks::expectSameRecords(painted, known);
    EXPECT_GT(DrawListChecks::glyphTexts(known), 0);

    // Images draw the glyphs; they look as the shaped text does, at any
    // size.
    for (const double scale : {1.0, 1.5, 2.0}) {
        const QSize size(int(300 * scale), int(200 * scale));
        const QRectF target(QPointF(0, 0), size);
        EXPECT_EQ(drawnOn(known, size, target), drawnOn(painted, size, target)) << scale;
    }
}

TEST(TrpDrawList, UnderlinedAndClippedTextsAreLeftToThePainter)
{
    for (int pass = 0; pass < 2; ++pass) {
        TrpRecordingDevice device(QSizeF(200, 100));
        QPainter painter(&device);
        QFont font(QStringLiteral("Noto Sans CJK JP"));
        font.setPixelSize(13);
        font.setUnderline(true);
        painter.setFont(font);
        TrpRecordingDevice::drawText(painter, QPointF(10, 20), u8("下線"));
        TrpRecordingDevice::drawText(painter, QPointF(10, 40), u8("下線"));
        painter.setClipRect(QRectF(0, 0, 50, 100));
        font.setUnderline(false);
        painter.setFont(font);
        TrpRecordingDevice::drawText(painter, QPointF(10, 60), u8("切抜"));
        TrpRecordingDevice::drawText(painter, QPointF(10, 80), u8("切抜"));
        painter.end();
        const TrpDrawList list = device.takeRecords();
        // Each underlined text with its line, the clipped texts as drawn.
        EXPECT_EQ(list.texts(), (QStringList{u8("下線"), u8("下線"), u8("切抜"), u8("切抜")}));
        EXPECT_GE(list.records().size(), 6);
        for (const TrpDrawRecord &record : list.records()) {
            if (const auto *text = std::get_if<TrpDrawRecord::Text>(&record.item)) {
                EXPECT_TRUE(text->glyphs.isEmpty());
                if (text->text == u8("切抜")) {
                    EXPECT_LE(record.bounds.right(), 50);
                }
            }
        }
    }
}

// A picture of fine diagonal hatching (the printed body figure) shown
// smaller than its pixels, as the preview shows a page, stays an even
// grey: sampling one pixel in several turns the hatching into black
// blotches on white.
TEST(TrpDrawList, AShrunkPictureKeepsItsHatchingEven)
{
    QImage hatching(240, 240, QImage::Format_RGB32);
    hatching.fill(Qt::white);
    for (int y = 0; y < hatching.height(); ++y)
        for (int x = 0; x < hatching.width(); ++x)
            if ((x + y) % 4 == 0)
                hatching.setPixel(x, y, qRgb(0, 0, 0));
    TrpRecordingDevice device(QSizeF(300, 300));
    QPainter recorder(&device);
    recorder.drawImage(QRectF(0, 0, 240, 240), hatching);
    recorder.end();
    const TrpDrawList list = device.takeRecords();

    const QImage shown = drawnOn(list, QSize(100, 100), QRectF(0, 0, 100, 100));
    int darkest = 255, lightest = 0;
    for (int y = 5; y < 75; ++y) {
        for (int x = 5; x < 75; ++x) {
            darkest = std::min(darkest, qGray(shown.pixel(x, y)));
            lightest = std::max(lightest, qGray(shown.pixel(x, y)));
        }
    }
    EXPECT_GT(darkest, 100);
    EXPECT_LT(lightest, 240);
}
