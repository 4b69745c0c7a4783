// Texts are shaped once while a page is recorded and their glyphs replayed
// into images, printers and PDF files. What comes out must be what the
// painter makes of the texts themselves: the same records, the same pixels
// and the same words in the same boxes of a PDF file.

#include "PreparedFixtures.h"
#include "drawing/DrawListChecks.h"

#include "report/drawing/TrpRecordingDevice.h"
#include "report/objects/TrpLineView.h"
#include "report/objects/TrpMemoView.h"
#include "report/pages/TrpEMFPage.h"
#include "report/pages/TrpPage.h"
#include "report/pages/TrpPdfFile.h"
#include "report/pages/TrpPrinter.h"

#include <QPageSize>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>

using namespace PreparedFixtures;
using namespace DrawListChecks;

namespace {

// Names with radicals' look-alikes, mixed scripts, full- and half-width
// forms, digits after letters and ligatures, marks that combine, symbols a
// Japanese font lacks, spaces around and inside.
const char *const Texts[] = {
    "山田 太郎",
    "佐藤　一郎",
    "高橋",
    "渡辺 己之助",
    "齋藤 巾",
    "長谷川 龍",
    "No.5 office fi",
    "ｶﾀｶﾅ半角ﾊﾟﾋﾟ ﾌﾞ",
    "全角ＡＢＣ１２３",
    "令和8年12月7日（月）",
    "が　か\u3099 e\u0301",
    "〈評価〉「歩行」・杖 ※ ㈱ ① ㎡",
    "한국어 ไทย Ελληνικά",
    "  leading and trailing  ",
    "1234567890",
    "A",
};

QFont gothic(int pixels)
{
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(pixels);
    return font;
}

QFont fontNumber(int i)
{
    QFont font(i % 2 ? QStringLiteral("Noto Serif CJK JP") : QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(9 + 4 * (i % 4));
    font.setBold(i % 3 == 1);
    font.setItalic(i % 5 == 2);
    if (i % 7 == 3)
        font.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    return font;
}

// Every text in several fonts, twice, with frames between them, drawn by
// the painter or through the recording device.
TrpDrawList recordTexts(bool throughDevice)
{
    TrpRecordingDevice device(QSizeF(800, 1200));
    QPainter painter(&device);
    double y = 20;
    for (int round = 0; round < 2; ++round) {
        for (int f = 0; f < 8; ++f) {
            painter.setFont(fontNumber(f));
            painter.setPen(f == 5 ? Qt::blue : Qt::black);
            for (const char *text : Texts) {
                const QPointF origin(10 + 3 * f, y);
                if (throughDevice)
                    TrpRecordingDevice::drawText(painter, origin, u8(text));
                else
                    painter.drawText(origin, u8(text));
                painter.save();
                painter.setPen(QPen(Qt::black, 1));
                painter.drawLine(QPointF(5, y + 2), QPointF(300, y + 2));
                painter.restore();
                y = y > 1150 ? 20 : y + 9;
            }
        }
    }
    painter.end();
    return device.takeRecords();
}

// The list as the painter's own texts leave it: no glyphs, every text
// shaped again where it is drawn.
TrpDrawList withoutGlyphs(const TrpDrawList &list)
{
    TrpDrawList plain(list.pageSize());
    for (const TrpDrawState &state : list.states())
        (void)plain.addState(state);
    for (TrpDrawRecord record : list.records()) {
        if (auto *text = std::get_if<TrpDrawRecord::Text>(&record.item))
            text->glyphs.clear();
        plain.addRecord(std::move(record));
    }
    return plain;
}

// A sheet of memos as reports print them: aligned every way, wrapped with
// and without word breaks, turned, in both fonts, framed or not, with lines
// between them.
void fillPage(TrpEMFPage &page)
{
    TrpMemoView memo;
    TrpLineView line;
    line.FrameTyp = TrpView::frTop;
    line.Width = 700;
    int i = 0;
    for (const char *text : Texts) {
        for (int variant = 0; variant < 6; ++variant, ++i) {
            memo.Left = 20 + (i % 4) * 180;
            memo.Top = 20 + (i / 4) * 44;
            memo.Width = variant == 5 ? 40 : 170;
            memo.Height = variant == 5 ? 42 : 40;
            memo.FrameTyp = i % 3 ? quint16(TrpView::frAll) : quint16(0);
            memo.Font.Name = variant % 2 ? u8("ＭＳ 明朝") : u8("ＭＳ ゴシック");
            memo.Font.Size = 8 + variant;
            memo.Font.Style = variant == 3 ? 2 : 0;
            memo.CharacterSpacing = variant == 4 ? 1 : 0;
            memo.Adjust = quint16(variant % 4) | (variant == 5 ? quint16(TrpMemoView::adRotated) : 0) |
                          (variant == 2 ? quint16(TrpMemoView::adVCenter) : 0);
            memo.Flags = variant == 1 ? 0 : quint16(TrpView::flWordWrap | (variant == 3 ? TrpView::flWordBreak : 0));
            memo.ExpandedMemo = {u8(text)};
            if (variant == 3)
                memo.ExpandedMemo.append(u8(text) + QLatin1Char(' ') + u8(text) + QLatin1Char(' ') + u8(text));
            ASSERT_TRUE(page.addObject(memo));
        }
        line.Left = 20;
        line.Top = 20 + (i / 4) * 44 - 2;
        ASSERT_TRUE(page.addObject(line));
    }
}

// The page as the system writes its PDF files: a text recorded without its
// glyphs is shaped by the writer.
QByteArray pdfOf(const TrpDrawList &list)
{
    TrpPdfFile file;
    if (!file.addPage(list, QPageSize(QPageSize::A4).sizePoints()) || !file.finish())
        return {};
    return file.document();
}

// What pdftotext reads: every word with its box in reading order, then the
// text as read and as laid out on the page.
QString extracted(const QByteArray &pdf)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("page.pdf"));
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
        return {};
    file.close();
    QStringList read;
    // Plain reading order too, with no option.
    for (const QString &mode :
         {QStringLiteral("-bbox"), QStringLiteral("-raw"), QStringLiteral("-layout"), QString()}) {
        QProcess process;
        QStringList arguments{name, QStringLiteral("-")};
        if (!mode.isEmpty())
            arguments.prepend(mode);
        process.start(QStringLiteral("pdftotext"), arguments);
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            return {};
        for (const QString &line : QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'))) {
            if (!line.contains(QLatin1String("CreationDate")))
                read.append(line);
        }
    }
    return read.join(QLatin1Char('\n'));
}

qsizetype differingPixels(const QImage &a, const QImage &b)
{
    qsizetype count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    }
    return count;
}

qsizetype inkPixels(const QImage &image)
{
    qsizetype count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
    }
    return count;
}

QImage imageOf(const TrpDrawList &list, double scale)
{
    const QSize size = (list.pageSize() * scale).toSize();
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    list.draw(painter, QRectF(QPointF(0, 0), size));
    return image;
}

} // namespace

TEST(TrpTextReplay, TextsShapedOnceRecordAsThePainterDoes)
{
    const TrpDrawList painted = recordTexts(false);
    const TrpDrawList shaped = recordTexts(true);
    expectSameRecords(painted, shaped);
    // All but the first text of each painter state carry their glyphs.
    EXPECT_GT(glyphTexts(shaped), int(std::size(Texts)) * 8 * 2 * 9 / 10);
    EXPECT_EQ(imageOf(shaped, 1), imageOf(painted, 1));
    EXPECT_EQ(imageOf(shaped, 2.5), imageOf(painted, 2.5));
}

// Pages recorded on several threads at once (a printout beside a preview)
// each learn and find their texts as one alone does. Glyphs are drawn on
// the thread that shaped them, whose fonts they are.
TEST(TrpTextReplay, PagesRecordedOnThreadsAtOnceRecordAsThePainterDoes)
{
    const TrpDrawList painted = recordTexts(false);
    const QImage paintedImage = imageOf(painted, 1);
    struct Page
    {
        TrpDrawList records;
        QImage image;
    };
    std::vector<Page> pages(4);
    std::vector<std::thread> threads;
    for (Page &page : pages) {
        threads.emplace_back([&page] {
            const TrpDrawList list = recordTexts(true);
            page.image = imageOf(list, 1);
            page.records = withoutGlyphs(list);
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    for (const Page &page : pages) {
        expectSameRecords(painted, page.records);
        EXPECT_EQ(page.image, paintedImage);
    }
}

TEST(TrpTextReplay, PagesDrawTheirGlyphsAsThePainterDrawsTheirTexts)
{
    TrpPrinter printer({});
    TrpPage a4;
    a4.PaperSize = TrpPrinter::A4Paper;
    a4.UseMargins = true;
    a4.applyPaper(printer);
    TrpEMFPage page(a4);
    fillPage(page);
    const TrpDrawList &list = page.drawList();
    ASSERT_GT(glyphTexts(list), 100);
    // Memos that draw their frames and texts in turn share the states.
    EXPECT_LT(list.states().size(), list.records().size() / 4);
    const TrpDrawList plain = withoutGlyphs(list);
    ASSERT_EQ(glyphTexts(plain), 0);

    EXPECT_EQ(imageOf(list, 1), imageOf(plain, 1));
    // Off whole pixels glyphs may fall into the next subpixel step: a few
    // edge pixels of the justified words differ.
    const QImage replayed = imageOf(list, 1.7);
    const QImage drawn = imageOf(plain, 1.7);
    EXPECT_LT(differingPixels(replayed, drawn), inkPixels(drawn) / 500);

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    const QString text = extracted(pdfOf(list));
    ASSERT_FALSE(text.isEmpty());
    EXPECT_EQ(text, extracted(pdfOf(plain)));
    for (const char *name : {"山田", "佐藤", "高橋", "渡辺", "齋藤"})
        EXPECT_TRUE(text.contains(QLatin1Char('>') + u8(name))) << name;
}

// A text that cannot be replayed from one line's glyphs is drawn by the
// painter as before: clipped, right to left, with tabs or line breaks.
TEST(TrpTextReplay, TextsThePainterSplitsAreLeftToIt)
{
    TrpRecordingDevice device(QSizeF(400, 300));
    QPainter painter(&device);
    painter.setFont(gothic(13));
    TrpRecordingDevice::drawText(painter, QPointF(10, 20), u8("最初"));
    const QStringList split = {u8("שלום abc"), u8("a\tb"), u8("行\n改"), u8("x\u202ey")};
    double y = 40;
    for (const QString &text : split) {
        TrpRecordingDevice::drawText(painter, QPointF(10, y), text);
        y += 20;
    }
    painter.setClipRect(QRectF(0, 0, 30, 300));
    TrpRecordingDevice::drawText(painter, QPointF(10, y), u8("切抜き"));
    painter.end();
    const TrpDrawList list = device.takeRecords();
    for (const TrpDrawRecord &record : list.records()) {
        const auto *text = std::get_if<TrpDrawRecord::Text>(&record.item);
        if (text && text->text != u8("最初")) {
            EXPECT_TRUE(text->glyphs.isEmpty()) << text->text.toStdString();
        }
    }
    const TrpDrawList plain = withoutGlyphs(list);
    EXPECT_EQ(imageOf(list, 1.5), imageOf(plain, 1.5));
}

// Glyphs wait to be drawn together only while nothing drawn meanwhile comes
// near them: a box filled over a text still covers it, one beside it leaves
// it whole.
TEST(TrpTextReplay, WhatIsDrawnOverATextStaysOverIt)
{
    TrpRecordingDevice device(QSizeF(300, 120));
    QPainter painter(&device);
    painter.setFont(gothic(20));
    painter.setPen(Qt::black);
    for (int i = 0; i < 3; ++i) {
        TrpRecordingDevice::drawText(painter, QPointF(10, 30 + 40 * i), u8("山田太郎"));
        painter.fillRect(QRectF(200, 10 + 40 * i, 20, 20), Qt::blue);
    }
    painter.fillRect(QRectF(30, 60, 30, 40), Qt::white);
    painter.end();
    const TrpDrawList list = device.takeRecords();
    ASSERT_GE(glyphTexts(list), 2);
    const QImage image = imageOf(list, 1);
    EXPECT_EQ(image, imageOf(withoutGlyphs(list), 1));
    // The covered part of the second name is white.
    for (int x = 30; x < 60; ++x) {
        for (int y = 60; y < 100; ++y)
            ASSERT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << x << " " << y;
    }
}
