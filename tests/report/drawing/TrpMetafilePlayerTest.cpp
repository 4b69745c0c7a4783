#include "PreparedFixtures.h"

#include "report/drawing/TrpMetafilePlayer.h"
#include "report/drawing/TrpRecordingDevice.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <random>

using namespace PreparedFixtures;

namespace {

TrpDrawList played(const QByteArray &bytes, const QRectF &target = QRectF(0, 0, 96, 96))
{
    TrpMetafilePlayer player;
    EXPECT_TRUE(player.load(bytes)) << player.error().message.toStdString();
    TrpRecordingDevice device(QSizeF(400, 400));
    QPainter painter(&device);
    player.play(painter, target);
    painter.end();
    return device.takeRecords();
}

// The bounds of the rectangles played.
QList<QRectF> rectsPlayed(const QByteArray &bytes, const QRectF &target = QRectF(0, 0, 96, 96))
{
    QList<QRectF> bounds;
    const TrpDrawList list = played(bytes, target);
    for (const TrpDrawRecord *record : recordsOf<TrpDrawRecord::Rects>(list))
        bounds.append(record->bounds);
    return bounds;
}

LeBytes rect(int l, int t, int r, int b)
{
    return LeBytes().int32s({l, t, r, b});
}

// EXTTEXTOUTW of the text at the point, with no advances.
LeBytes textOutW(QPoint at, const QString &text)
{
    LeBytes b;
    b.int32s({0, 0, 0, 0}).int32(1).real(1).real(1); // bounds, graphics mode, scales
    b.int32(at.x()).int32(at.y()).int32(text.size()).int32(76).int32(0).int32s({0, 0, 0, 0}).int32(0);
    for (const QChar c : text)
        b.word(c.unicode());
    return b;
}

LeBytes fontW(int handle, int height, int weight, bool italic, const char *face, int escapement = 0)
{
    LeBytes b;
    b.int32(handle).int32(height).int32(0).int32(escapement).int32(0).int32(weight);
    b.byte(italic).byte(0).byte(0).byte(128).byte(0).byte(0).byte(0).byte(0);
    const QString name = u8(face);
    for (int i = 0; i < 32; ++i)
        b.word(i < name.size() ? name[i].unicode() : 0);
    return b;
}

} // namespace

TEST(TrpMetafilePlayer, RefusesBytesWithoutHeaderAndReadsTheFrame)
{
    TrpMetafilePlayer player;
    EXPECT_FALSE(player.load(QByteArray("not a metafile at all")));
    EXPECT_FALSE(player.error().message.isEmpty());
    QByteArray wrongSignature = EmfBuilder().finish();
    wrongSignature[40] = 'X';
    EXPECT_FALSE(player.load(wrongSignature));

    ASSERT_TRUE(player.load(EmfBuilder(QRect(0, 0, 5080, 2540)).finish()));
    EXPECT_EQ(player.frame(), QRect(0, 0, 5080, 2540));
    EXPECT_EQ(player.size(), QSize(192, 96));
}

TEST(TrpMetafilePlayer, MapsTheFrameOntoTheTarget)
{
    const QByteArray bytes = rectangleMetafile(QRect(10, 20, 30, 40));
    TrpDrawList list = played(bytes);
    QList<const TrpDrawRecord *> rects = recordsOf<TrpDrawRecord::Rects>(list);
    ASSERT_EQ(rects.size(), 1);
    EXPECT_EQ(rects[0]->bounds, QRectF(10, 20, 30, 40));
    EXPECT_EQ(list.stateOf(*rects[0]).brush.color(), QColor(255, 0, 0));
    EXPECT_EQ(list.stateOf(*rects[0]).pen.style(), Qt::NoPen);

    // Twice as large and moved.
    EXPECT_EQ(rectsPlayed(bytes, QRectF(100, 50, 192, 192)), QList<QRectF>{QRectF(120, 90, 60, 80)});
}

TEST(TrpMetafilePlayer, DrawsLinesPolylinesPolygonsAndEllipsesWithTheSelectedPen)
{
    EmfBuilder emf;
    emf.handles(3)
        .record(EmrCreatePen, LeBytes().int32(1).int32(0).int32(4).int32(0).int32(0x00FF00))
        .record(EmrSelectObject, LeBytes().int32(1))
        .record(EmrMoveToEx, LeBytes().int32s({5, 5}))
        .record(EmrLineTo, LeBytes().int32s({45, 5}))
        .record(EmrPolyline16,
                LeBytes().int32s({0, 0, 0, 0}).int32(3).word(10).word(10).word(20).word(30).word(30).word(10))
        .record(EmrSelectObject, LeBytes().int32(NullPen))
        .record(EmrPolygon, LeBytes().int32s({0, 0, 0, 0}).int32(3).int32s({50, 50, 90, 50, 70, 90}))
        .record(EmrEllipse, rect(0, 60, 40, 90));
    const TrpDrawList list = played(emf.finish());

    const QList<const TrpDrawRecord *> lines = recordsOf<TrpDrawRecord::Lines>(list);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(std::get<TrpDrawRecord::Lines>(lines[0]->item).lines.value(0), QLineF(5, 5, 45, 5));
    const QPen pen = list.stateOf(*lines[0]).pen;
    EXPECT_EQ(pen.color(), QColor(0, 255, 0));
    EXPECT_EQ(pen.widthF(), 4);

    const QList<const TrpDrawRecord *> polygons = recordsOf<TrpDrawRecord::Polygon>(list);
    ASSERT_EQ(polygons.size(), 2);
    const auto &polyline = std::get<TrpDrawRecord::Polygon>(polygons[0]->item);
    EXPECT_EQ(polyline.mode, QPaintEngine::PolylineMode);
    EXPECT_EQ(polyline.points, QPolygonF({QPointF(10, 10), QPointF(20, 30), QPointF(30, 10)}));
    const auto &polygon = std::get<TrpDrawRecord::Polygon>(polygons[1]->item);
    EXPECT_NE(polygon.mode, QPaintEngine::PolylineMode);
    EXPECT_EQ(polygons[1]->bounds, QRectF(50, 50, 40, 40));

    const QList<const TrpDrawRecord *> ellipses = recordsOf<TrpDrawRecord::Ellipse>(list);
    ASSERT_EQ(ellipses.size(), 1);
    EXPECT_EQ(ellipses[0]->bounds, QRectF(0, 60, 40, 30));
}

TEST(TrpMetafilePlayer, DrawsTextWithItsFontColourAndAlignment)
{
    EmfBuilder emf;
    emf.handles(2)
        .record(EmrExtCreateFontIndirectW, fontW(1, -20, 700, true, "Arial"))
        .record(EmrSelectObject, LeBytes().int32(1))
        .record(EmrSetTextColor, LeBytes().int32(0xFF0000))
        .record(EmrSetBkMode, LeBytes().int32(1))
        .record(EmrExtTextOutW, textOutW(QPoint(10, 30), u8("日本語")))
        .record(EmrExtTextOutW, textOutW(QPoint(10, 60), QStringLiteral("Hx")));
    TrpDrawList list = played(emf.finish());
    QList<const TrpDrawRecord *> runs = recordsOf<TrpDrawRecord::Text>(list);
    ASSERT_FALSE(runs.isEmpty());
    EXPECT_EQ(list.texts().join(QString()), u8("日本語Hx"));
    const TrpDrawState &state = list.stateOf(*runs[0]);
    EXPECT_EQ(state.pen.color(), QColor(0, 0, 255));
    EXPECT_TRUE(state.font.italic());
    EXPECT_EQ(state.font.weight(), QFont::Bold);
    // Top alignment: the Latin glyphs hang below the reference point, about
    // one character height (20) down.
    const TrpDrawRecord *latin = runs.last();
    EXPECT_EQ(std::get<TrpDrawRecord::Text>(latin->item).text, QStringLiteral("Hx"));
    EXPECT_NEAR(latin->bounds.left(), 10, 1);
    EXPECT_NEAR(latin->bounds.top(), 60, 1);
    EXPECT_GT(latin->bounds.height(), 18);
    EXPECT_LT(latin->bounds.height(), 30);

    // Baseline alignment puts the glyphs above the point; right alignment
    // ends the text there.
    EmfBuilder right;
    right.handles(2)
        .record(EmrExtCreateFontIndirectW, fontW(1, -20, 400, false, "Arial"))
        .record(EmrSelectObject, LeBytes().int32(1))
        .record(EmrSetTextAlign, LeBytes().int32(24 | 2))
        .record(EmrExtTextOutW, textOutW(QPoint(90, 60), QStringLiteral("AB")));
    list = played(right.finish());
    runs = recordsOf<TrpDrawRecord::Text>(list);
    ASSERT_FALSE(runs.isEmpty());
    QRectF all;
    for (const TrpDrawRecord *run : runs)
        all |= run->bounds;
    EXPECT_NEAR(all.right(), 90, 1);
    EXPECT_LT(all.bottom(), 60 + 8); // the descent only
    EXPECT_LT(all.top(), 60 - 10);
}

TEST(TrpMetafilePlayer, ReadsAnsiTextAsShiftJisAndKeepsTheGivenAdvances)
{
    // Five bytes with an advance of 10 each: the run is 50 wide.
    const QByteArray sjis = Sjis::encode(u8("介護A"));
    ASSERT_EQ(sjis.size(), 5);
    LeBytes b;
    b.int32s({0, 0, 0, 0}).int32(1).real(1).real(1);
    b.int32(0).int32(0).int32(sjis.size()).int32(76).int32(0).int32s({0, 0, 0, 0}).int32(84).raw(sjis);
    b.raw(QByteArray(3, '\0')).int32s({10, 10, 10, 10, 10});
    EmfBuilder emf;
    emf.record(EmrSetBkMode, LeBytes().int32(1)).record(EmrExtTextOutA, b);
    const TrpDrawList list = played(emf.finish());
    EXPECT_EQ(list.texts(), QStringList{u8("介護A")});
    const QList<const TrpDrawRecord *> runs = recordsOf<TrpDrawRecord::Text>(list);
    ASSERT_EQ(runs.size(), 1);
    EXPECT_NEAR(runs[0]->bounds.width(), 50, 1);
}

TEST(TrpMetafilePlayer, FollowsMappingModesAndWorldTransforms)
{
    // Anisotropic: a 1000 x 1000 window onto a 96 x 48 viewport.
    EmfBuilder emf;
    emf.record(EmrSetMapMode, LeBytes().int32(8))
        .record(EmrSetWindowExtEx, LeBytes().int32s({1000, 1000}))
        .record(EmrSetViewportExtEx, LeBytes().int32s({96, 48}))
        .record(EmrSelectObject, LeBytes().int32(NullPen))
        .record(EmrRectangle, rect(0, 0, 500, 500));
    EXPECT_EQ(rectsPlayed(emf.finish()), QList<QRectF>{QRectF(0, 0, 48, 24)});

    // A world transform that moves by 10, 20 and doubles.
    EmfBuilder world;
    world.record(EmrSetWorldTransform, LeBytes().real(2).real(0).real(0).real(2).real(10).real(20))
        .record(EmrSelectObject, LeBytes().int32(NullPen))
        .record(EmrRectangle, rect(0, 0, 10, 10));
    EXPECT_EQ(rectsPlayed(world.finish()), QList<QRectF>{QRectF(10, 20, 20, 20)});

    // Low metric: tenths of a millimetre with y growing upwards.
    EmfBuilder metric;
    metric.record(EmrSetMapMode, LeBytes().int32(2))
        .record(EmrSelectObject, LeBytes().int32(NullPen))
        .record(EmrRectangle, rect(0, 0, 254, -254));
    const QList<QRectF> rects = rectsPlayed(metric.finish());
    ASSERT_EQ(rects.size(), 1);
    EXPECT_NEAR(rects[0].width(), 96, 0.01);
    EXPECT_NEAR(rects[0].top(), 0, 0.01);
}

TEST(TrpMetafilePlayer, RestoresSavedStatesAndClips)
{
    EmfBuilder emf;
    emf.handles(2)
        .record(EmrCreatePen, LeBytes().int32(1).int32(0).int32(3).int32(0).int32(0x0000FF))
        .record(EmrSaveDc, LeBytes())
        .record(EmrSelectObject, LeBytes().int32(1))
        .record(EmrIntersectClipRect, rect(0, 0, 20, 20))
        .record(EmrRestoreDc, LeBytes().int32(-1))
        .record(EmrDeleteObject, LeBytes().int32(1))
        .record(EmrMoveToEx, LeBytes().int32s({0, 50}))
        .record(EmrLineTo, LeBytes().int32s({90, 50}));
    const TrpDrawList list = played(emf.finish());
    const QList<const TrpDrawRecord *> lines = recordsOf<TrpDrawRecord::Lines>(list);
    ASSERT_EQ(lines.size(), 1);
    const TrpDrawState &state = list.stateOf(*lines[0]);
    EXPECT_EQ(state.pen.color(), QColor(Qt::black));
    EXPECT_FALSE(state.clipped);

    EmfBuilder clipped;
    clipped.record(EmrIntersectClipRect, rect(0, 0, 20, 20))
        .record(EmrSelectObject, LeBytes().int32(NullPen))
        .record(EmrRectangle, rect(10, 10, 60, 60));
    const TrpDrawList clippedList = played(clipped.finish());
    const QList<const TrpDrawRecord *> rects = recordsOf<TrpDrawRecord::Rects>(clippedList);
    ASSERT_EQ(rects.size(), 1);
    EXPECT_TRUE(clippedList.stateOf(*rects[0]).clipped);
    EXPECT_EQ(rects[0]->bounds, QRectF(10, 10, 10, 10));
}

TEST(TrpMetafilePlayer, DrawsBitmapsUpsideUp)
{
    // A 2 x 2 bottom-up bitmap of 24 bits: bottom row blue, top row red.
    LeBytes bmi;
    bmi.int32(40).int32(2).int32(2).word(1).word(24).int32(0).int32(16).int32s({0, 0, 0, 0});
    LeBytes bits;
    bits.byte(255).byte(0).byte(0).byte(255).byte(0).byte(0).word(0);
    bits.byte(0).byte(0).byte(255).byte(0).byte(0).byte(255).word(0);
    const int headerSize = 80;
    LeBytes record;
    record.int32s({0, 0, 0, 0}).int32s({10, 10, 0, 0, 2, 2});
    record.int32(headerSize).int32(bmi.size()).int32(headerSize + bmi.size()).int32(bits.size());
    record.int32(0).int32(0x00CC0020).int32(40).int32(20);
    record.raw(bmi.data()).raw(bits.data());
    EmfBuilder emf;
    emf.record(EmrStretchDiBits, record);
    const TrpDrawList list = played(emf.finish());
    const QList<const TrpDrawRecord *> images = recordsOf<TrpDrawRecord::Image>(list);
    ASSERT_EQ(images.size(), 1);
    const auto &image = std::get<TrpDrawRecord::Image>(images[0]->item);
    EXPECT_EQ(images[0]->bounds, QRectF(10, 10, 40, 20));
    EXPECT_EQ(image.source, QRectF(0, 0, 2, 2));
    EXPECT_EQ(image.image.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(image.image.pixelColor(1, 1), QColor(Qt::blue));
}

TEST(TrpMetafilePlayer, TruncatedPicturePlaysTheWholeRecordsBeforeTheCut)
{
    EmfBuilder emf;
    emf.record(EmrSelectObject, LeBytes().int32(NullPen))
        .record(EmrRectangle, rect(0, 0, 10, 10))
        .record(EmrRectangle, rect(20, 20, 30, 30));
    const QByteArray whole = emf.finish();
    // The cut falls inside the second rectangle.
    EXPECT_EQ(rectsPlayed(whole.left(whole.size() - 20 - 12)).size(), 1);
}

TEST(TrpMetafilePlayer, CorruptedPicturesPlayWithoutFault)
{
    EmfBuilder emf;
    emf.handles(3)
        .record(EmrExtCreateFontIndirectW, fontW(1, -12, 400, false, "Arial", 900))
        .record(EmrSelectObject, LeBytes().int32(1))
        .record(EmrExtTextOutW, textOutW(QPoint(10, 30), u8("文字")))
        .record(EmrCreatePen, LeBytes().int32(2).int32(1).int32(2).int32(0).int32(0x00FF00))
        .record(EmrSelectObject, LeBytes().int32(2))
        .record(EmrPolyPolygon, LeBytes()
                                    .int32s({0, 0, 0, 0})
                                    .int32(2)
                                    .int32(6)
                                    .int32(3)
                                    .int32(3)
                                    .int32s({0, 0, 10, 0, 5, 5, 20, 20, 30, 20, 25, 25}))
        .record(EmrSetViewportOrgEx, LeBytes().int32s({5, 5}))
        .record(EmrSetWindowOrgEx, LeBytes().int32s({1, 1}))
        .record(EmrSaveDc, LeBytes())
        .record(EmrIntersectClipRect, rect(0, 0, 50, 50))
        .record(EmrEllipse, rect(0, 0, 40, 40))
        .record(EmrRestoreDc, LeBytes().int32(-1));
    const QByteArray valid = emf.finish();

    std::mt19937 random(7);
    QImage image(48, 48, QImage::Format_ARGB32_Premultiplied);
    for (int round = 0; round < 1500; ++round) {
        QByteArray bytes = valid;
        const int changes = 1 + int(random() % 4);
        for (int c = 0; c < changes; ++c) {
            const qsizetype at = qsizetype(random() % quint32(bytes.size()));
            bytes[at] = char(random() % 4 == 0 ? 0xFF : random());
        }
        if (round % 10 == 0)
            bytes.truncate(qsizetype(random() % quint32(bytes.size())));
        TrpMetafilePlayer player;
        if (!player.load(bytes))
            continue;
        QPainter painter(&image);
        player.play(painter, QRectF(0, 0, 48, 48));
    }
    SUCCEED();
}
