#include "PreparedFixtures.h"

#include "report/objects/TrpLineView.h"
#include "report/objects/TrpMemoView.h"
#include "report/objects/TrpPictureView.h"
#include "report/pages/TrpEMFPages.h"
#include "report/pages/TrpPage.h"
#include "report/pages/TrpPagePrinter.h"
#include "report/pages/TrpPrinter.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace PreparedFixtures;

namespace {

QByteArray fixture(const char *name)
{
    QFile file(QStringLiteral(TAMSOLEN_TEST_DATA "/") + QString::fromLatin1(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

bool load(TrpEMFPages &pages, const QByteArray &bytes, TrpPrinter &printer, bool useDefaultPrinter = false)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return pages.LoadFromStream(buffer, printer, useDefaultPrinter);
}

QByteArray save(TrpEMFPages &pages, const QString &printerName = QStringLiteral("Default printer"))
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(pages.SaveToStream(buffer, printerName)) << pages.error().message.toStdString();
    return bytes;
}

qint32 int32At(const QByteArray &bytes, qsizetype at)
{
    return qint32(quint8(bytes[at]) | (quint8(bytes[at + 1]) << 8) | (quint8(bytes[at + 2]) << 16) |
                  (quint32(quint8(bytes[at + 3])) << 24));
}

void setInt32At(QByteArray &bytes, qsizetype at, qint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char((quint32(value) >> (8 * i)) & 0xFF);
}

// Offsets of the fixture "prepared-two-pages.rpd".
constexpr qsizetype CountAt = 19;
constexpr qsizetype FirstPageAt = 23;

TrpPage a4Page(TrpPrinter &printer, bool useMargins = true)
{
    TrpPage page;
    page.PaperSize = 9;
    page.UseMargins = useMargins;
    page.applyPaper(printer);
    return page;
}

std::unique_ptr<TrpMemoView> memo(QRect rect, const QStringList &lines)
{
    auto view = std::make_unique<TrpMemoView>();
    view->Left = rect.left();
    view->Top = rect.top();
    view->Width = rect.width();
    view->Height = rect.height();
    view->FrameTyp = TrpView::frAll;
    view->ExpandedMemo = lines;
    return view;
}

// An add-in record of a class nobody registered, at the rectangle.
LeBytes unknownAddin(std::initializer_list<qint64> rect, int frame, const QStringList &lines)
{
    LeBytes b;
    b.byte(10).text(QStringLiteral("TrpMysteryView"));
    b.int32s(rect).word(0).word(frame).int32(1).int32(0).word(0).int32(0x1FFFFFFF).lines(lines);
    return b;
}

} // namespace

TEST(TrpEMFPages, ReadsAPreparedReportAndWritesTheSameBytes)
{
    const QByteArray bytes = fixture("prepared-two-pages.rpd");
    TrpPrinter printer({});
    TrpEMFPages pages;
    ASSERT_TRUE(load(pages, bytes, printer)) << pages.error().message.toStdString();
    EXPECT_EQ(pages.printerName(), QStringLiteral("Default printer"));
    ASSERT_EQ(pages.Count(), 2);

    TrpEMFPage &first = pages[0];
    EXPECT_EQ(first.PaperSize, 9);
    EXPECT_EQ(first.PaperWidth, 2100);
    EXPECT_EQ(first.Orientation, 0);
    EXPECT_TRUE(first.UseMargins);
    EXPECT_EQ(first.PrnInfo, TrpPrinter::defaultMetrics(2100, 2970));
    EXPECT_EQ(first.size(), QSize(752, 1071));
    ASSERT_EQ(first.objects().size(), 2u);
    EXPECT_TRUE(first.error().message.isEmpty());
    EXPECT_EQ(first.objects()[0]->ExpandedMemo, QStringList({u8("利用者名 山田 太郎"), u8("訓練記録")}));
    EXPECT_EQ(first.objects()[1]->Typ, gtLine);

    // The second page is A3 landscape: the printer switched paper for it.
    TrpEMFPage &second = pages[1];
    EXPECT_EQ(second.PaperSize, 8);
    EXPECT_EQ(second.Orientation, 1);
    EXPECT_EQ(printer.paperSize(), 8);
    EXPECT_EQ(printer.orientation(), TrpPrinter::Landscape);
    EXPECT_EQ(second.PrnInfo, TrpPrinter::defaultMetrics(4200, 2970));
    ASSERT_EQ(second.objects().size(), 2u);
    const auto *picture = dynamic_cast<const TrpPictureView *>(second.objects()[1].get());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pictureKind(), TrpPictureView::pkMetafile);

    EXPECT_EQ(save(pages), bytes);
}

TEST(TrpEMFPages, EachRecordStartsWithTheOffsetOfTheNext)
{
    TrpPrinter printer({});
    TrpEMFPages pages;
    TrpPage a4 = a4Page(printer);
    TrpEMFPage &one = pages.Add(a4);
    ASSERT_TRUE(one.addObject(*memo(QRect(10, 10, 200, 20), {u8("一頁目")})));
    TrpEMFPage &two = pages.Add(a4);
    ASSERT_TRUE(two.addObject(*memo(QRect(10, 10, 200, 20), {u8("二頁目")})));
    auto picture = std::make_unique<TrpPictureView>();
    picture->setPicture(TrpPictureView::pkMetafile, rectangleMetafile(QRect(0, 0, 10, 10)));
    ASSERT_TRUE(two.addObject(*picture));
    // Inserted before the first.
    pages.Add(a4, 0).Orientation = TrpPrinter::Landscape;

    const QByteArray bytes = save(pages);
    EXPECT_EQ(int32At(bytes, CountAt), 3);
    qsizetype at = FirstPageAt;
    for (int i = 0; i < 3; ++i) {
        const qint32 next = int32At(bytes, at);
        EXPECT_GT(next, at);
        at = next;
    }
    EXPECT_EQ(at, bytes.size());

    TrpEMFPages read;
    ASSERT_TRUE(load(read, bytes, printer)) << read.error().message.toStdString();
    ASSERT_EQ(read.Count(), 3);
    EXPECT_EQ(read[0].Orientation, TrpPrinter::Landscape);
    EXPECT_EQ(read[0].objects().size(), 0u);
    EXPECT_EQ(read[1].objects()[0]->ExpandedMemo, QStringList{u8("一頁目")});
    ASSERT_EQ(read[2].objects().size(), 2u);
    EXPECT_EQ(dynamic_cast<const TrpPictureView &>(*read[2].objects()[1]).pictureData(),
              rectangleMetafile(QRect(0, 0, 10, 10)));
    EXPECT_EQ(save(read), bytes);

    // No pages: no records.
    TrpEMFPages none;
    const QByteArray empty = save(none);
    EXPECT_EQ(empty.size(), CountAt + 4);
    EXPECT_TRUE(load(none, empty, printer));
    EXPECT_EQ(none.Count(), 0);
}

TEST(TrpEMFPages, ReadsTheOlderLayoutAsOneMetafilePerPage)
{
    const QByteArray older = fixture("prepared-older.rpd");
    ASSERT_GE(quint8(older[0]), 2);
    TrpPrinter printer({});
    TrpEMFPages pages;
    ASSERT_TRUE(load(pages, older, printer)) << pages.error().message.toStdString();
    EXPECT_EQ(pages.printerName(), QStringLiteral("Default printer"));
    ASSERT_EQ(pages.Count(), 1);
    TrpEMFPage &page = pages[0];
    EXPECT_EQ(page.Stream.at(0), char(23));
    ASSERT_EQ(page.objects().size(), 1u);
    const TrpView &picture = *page.objects()[0];
    EXPECT_EQ(picture.Typ, gtPicture);
    EXPECT_EQ(QRect(picture.Left, picture.Top, picture.Width, picture.Height), QRect(-18, -18, 752, 1071));

    // The metafile (one inch drawn on the page) fills the page: its red
    // rectangle at 10,20 - 40,60 of 96 lands scaled on the page.
    const QList<const TrpDrawRecord *> rects = recordsOf<TrpDrawRecord::Rects>(page.drawList());
    ASSERT_EQ(rects.size(), 1);
    EXPECT_NEAR(rects[0]->bounds.left(), 10 * 752 / 96.0, 0.01);
    EXPECT_NEAR(rects[0]->bounds.bottom(), 60 * 1071 / 96.0, 0.01);

    // A printer name whose first byte is 5 still marks the older layout.
    QByteArray five = older;
    five[0] = 5;
    ASSERT_TRUE(load(pages, five, printer));
    EXPECT_EQ(pages.printerName().at(0), QChar(5));
    EXPECT_EQ(pages.Count(), 1);
}

TEST(TrpEMFPages, CompressedFilesAreRefused)
{
    TrpPrinter printer({});
    TrpEMFPages pages;
    const QByteArray compressed = fixture("prepared-compressed.rpd");
    EXPECT_FALSE(load(pages, compressed, printer));
    EXPECT_TRUE(pages.error().message.contains(QStringLiteral("Compressed")));
    EXPECT_EQ(pages.Count(), 0);
    QByteArray other = compressed;
    other[0] = char(255);
    EXPECT_FALSE(load(pages, other, printer));
    EXPECT_FALSE(load(pages, QByteArray(), printer));
}

TEST(TrpEMFPages, BrokenPositionsAndCountsAreFormatErrorsKeepingThePagesRead)
{
    const QByteArray bytes = fixture("prepared-two-pages.rpd");
    const qint32 secondAt = int32At(bytes, FirstPageAt);
    TrpPrinter printer({});
    TrpEMFPages pages;

    // The second page's end points back into its own head, then past the file.
    for (const qint32 end : {secondAt + 4, secondAt - 100, qint32(bytes.size() + 1), qint32(-1)}) {
        QByteArray broken = bytes;
        setInt32At(broken, secondAt, end);
        EXPECT_FALSE(load(pages, broken, printer)) << end;
        EXPECT_EQ(pages.Count(), 1) << end;
        EXPECT_EQ(pages.error().kind, TrpError::Kind::Stream);
        EXPECT_FALSE(pages.error().message.isEmpty());
    }

    // More pages counted than there are; a negative count.
    QByteArray more = bytes;
    setInt32At(more, CountAt, 1000000);
    EXPECT_FALSE(load(pages, more, printer));
    EXPECT_EQ(pages.Count(), 2);
    QByteArray negative = bytes;
    setInt32At(negative, CountAt, -1);
    EXPECT_FALSE(load(pages, negative, printer));
    EXPECT_EQ(pages.Count(), 0);

    // Cut inside the second page's head and inside the printer name.
    EXPECT_FALSE(load(pages, bytes.left(secondAt + 6), printer));
    EXPECT_EQ(pages.Count(), 1);
    EXPECT_FALSE(load(pages, bytes.left(5), printer));
    EXPECT_EQ(pages.Count(), 0);
}

TEST(TrpEMFPages, BrokenPageStreamsKeepTheObjectsBeforeTheFault)
{
    TrpPrinter printer({});
    TrpEMFPages pages;
    ASSERT_TRUE(load(pages, fixture("prepared-two-pages.rpd"), printer));
    TrpEMFPage &page = pages[0];
    const QByteArray valid = page.Stream;
    const qsizetype lineAt = valid.indexOf(char(4), 40);
    ASSERT_GT(lineAt, 0);

    for (const char type : {char(5), char(9), char(11), char(252)}) {
        page.Stream = valid;
        page.Stream[lineAt] = type;
        page.release();
        ASSERT_EQ(page.objects().size(), 1u) << int(type);
        EXPECT_EQ(page.error().kind, TrpError::Kind::Stream);
    }
    page.Stream = valid.left(valid.size() - 3);
    page.release();
    EXPECT_EQ(page.objects().size(), 1u);
    EXPECT_FALSE(page.error().message.isEmpty());

    page.Stream = QByteArray(1, char(24));
    page.release();
    EXPECT_TRUE(page.objects().empty());
    EXPECT_FALSE(page.error().message.isEmpty());

    page.Stream = valid;
    page.release();
    EXPECT_EQ(page.objects().size(), 2u);
    EXPECT_TRUE(page.error().message.isEmpty());
}

TEST(TrpEMFPages, UnknownAddinIsDrawnAsAnEmptyFramedBoxAndReported)
{
    TrpPrinter printer({});
    TrpEMFPages pages;
    TrpEMFPage &page = pages.Add(a4Page(printer));
    ASSERT_TRUE(page.addObject(*memo(QRect(10, 10, 100, 20), {QStringLiteral("before")})));
    page.Stream.append(unknownAddin({50, 60, 70, 80}, 0, {QStringLiteral("hidden")}).byte(1).byte(2).byte(3).data());
    ASSERT_TRUE(page.addObject(*memo(QRect(10, 200, 100, 20), {QStringLiteral("after")})));
    const QImage image = drawnPage(page);

    EXPECT_EQ(page.objects().size(), 1u);
    EXPECT_TRUE(page.error().message.contains(QStringLiteral("TrpMysteryView")));
    const QList<const TrpDrawRecord *> rects = recordsOf<TrpDrawRecord::Rects>(page.drawList());
    ASSERT_FALSE(rects.isEmpty());
    const TrpDrawRecord *box = rects.last();
    EXPECT_EQ(std::get<TrpDrawRecord::Rects>(box->item).rects.value(0), QRectF(50, 60, 70, 80));
    EXPECT_EQ(page.drawList().stateOf(*box).brush.style(), Qt::NoBrush);
    EXPECT_FALSE(page.drawList().texts().contains(QStringLiteral("hidden")));
    // On the paper the box stands in the printable area, 18 units in.
    EXPECT_EQ(image.pixel(50 + 18, 100), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(85 + 18, 100), qRgb(255, 255, 255));
}

TEST(TrpEMFPages, DrawingAPageThatIsNotVisibleReleasesIt)
{
    TrpPrinter printer({});
    TrpEMFPages pages;
    TrpEMFPage &page = pages.Add(a4Page(printer));
    ASSERT_TRUE(page.addObject(*memo(QRect(10, 10, 200, 20), {u8("記録")})));
    QImage image(page.size(), QImage::Format_RGB32);
    QPainter painter(&image);

    page.Visible = true;
    page.draw(painter, QRectF(QPointF(0, 0), page.size()));
    EXPECT_TRUE(page.isHeld());
    EXPECT_TRUE(page.drawList().findText(u8("記録"), true).has_value());

    page.Visible = false;
    page.draw(painter, QRectF(QPointF(0, 0), page.size()));
    EXPECT_FALSE(page.isHeld());

    page.Visible = true;
    page.draw(painter, QRectF(QPointF(0, 0), page.size()));
    EXPECT_TRUE(page.isHeld());
    EXPECT_EQ(page.objects().size(), 1u);

    pages.Delete(5);
    pages.Delete(0);
    EXPECT_EQ(pages.Count(), 0);
}

TEST(TrpEMFPages, ObjectsNearThe32BitLimitAreDrawnClamped)
{
    TrpPrinter printer({});
    TrpEMFPages pages;
    TrpEMFPage &page = pages.Add(a4Page(printer, false));
    ASSERT_TRUE(page.addObject(*memo(QRect(0, 0, 1, 1), {QStringLiteral("x")})));
    std::vector<std::unique_ptr<TrpView>> far;
    far.push_back(memo(QRect(), {QStringLiteral("far")}));
    far.push_back(std::make_unique<TrpLineView>());
    for (const std::unique_ptr<TrpView> &view : far) {
        view->Left = std::numeric_limits<qint32>::max() - 5;
        view->Top = std::numeric_limits<qint32>::min();
        view->Width = std::numeric_limits<qint32>::max();
        view->Height = std::numeric_limits<qint32>::max();
        view->FrameTyp = TrpView::frAll;
        view->FrameWidth = 1e30f;
        ASSERT_TRUE(page.addObject(*view));
    }
    page.Stream.append(unknownAddin({0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF}, 15, {}).data());
    (void)drawnPage(page);
    EXPECT_EQ(page.objects().size(), 3u);
    for (const TrpDrawRecord &record : page.drawList().records()) {
        EXPECT_LT(std::abs(record.bounds.left()), 1e12);
        EXPECT_LT(std::abs(record.bounds.right()), 1e12);
    }
}

TEST(TrpEMFPages, PagesAreDrawnInThePrintableAreaWithOrWithoutMargins)
{
    TrpPrinter printer({});
    TrpEMFPages pages;
    TrpEMFPage &withMargins = pages.Add(a4Page(printer, true));
    TrpEMFPage &without = pages.Add(a4Page(printer, false));
    auto line = std::make_unique<TrpLineView>();
    line->Left = 100;
    line->Top = 100;
    line->Width = 100;
    line->FrameTyp = TrpView::frTop;
    ASSERT_TRUE(withMargins.addObject(*line));
    ASSERT_TRUE(without.addObject(*line));
    const QRectF a = withMargins.drawList().records().value(0).bounds;
    const QRectF b = without.drawList().records().value(0).bounds;
    ASSERT_FALSE(a.isEmpty());
    EXPECT_EQ(a, b);
    EXPECT_NEAR(a.left(), 118, 1);
    EXPECT_NEAR(a.center().y(), 118, 1);
}

TEST(TrpEMFPages, WriterRefusesWhatItCannotStore)
{
    TrpPrinter printer({});
    TrpEMFPages pages;
    TrpEMFPage &page = pages.Add(a4Page(printer));
    const QByteArray before = page.Stream;
    TrpError error;
    EXPECT_FALSE(page.addObject(*memo(QRect(0, 0, 10, 10), {QString(70000, QLatin1Char('x'))}), &error));
    EXPECT_TRUE(error.isSet());
    EXPECT_EQ(page.Stream, before);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_FALSE(pages.SaveToStream(buffer, QString(70000, QLatin1Char('p'))));
    EXPECT_TRUE(pages.error().isSet());
}

TEST(TrpEMFPages, FilesAreSavedWholeOrNotAtAll)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.rpd"));
    TrpPrinter printer({});
    TrpEMFPages pages;
    ASSERT_TRUE(load(pages, fixture("prepared-two-pages.rpd"), printer));
    ASSERT_TRUE(pages.SaveToFile(path, printer.printerName()));

    TrpEMFPages read;
    ASSERT_TRUE(read.LoadFromFile(path, printer, false));
    EXPECT_EQ(read.Count(), 2);

    // A failing save keeps the file that was there.
    pages[0].Stream.clear();
    EXPECT_FALSE(pages.SaveToFile(path, QString(70000, QLatin1Char('p'))));
    ASSERT_TRUE(read.LoadFromFile(path, printer, false));
    EXPECT_EQ(read.Count(), 2);
    EXPECT_FALSE(read.LoadFromFile(dir.filePath(QStringLiteral("missing.rpd")), printer, false));
    EXPECT_EQ(read.Count(), 0);
}

TEST(TrpEMFPages, PrintsEachPageOnItsOwnPaper)
{
    EXPECT_EQ(TrpPagePrinter::pageLayout(TrpEMFPage()).pageSize().id(), QPageSize::A4);
    TrpEMFPage page;
    page.PaperSize = 8;
    page.Orientation = TrpPrinter::Landscape;
    QPageLayout layout = TrpPagePrinter::pageLayout(page);
    EXPECT_EQ(layout.pageSize().id(), QPageSize::A3);
    EXPECT_EQ(layout.orientation(), QPageLayout::Landscape);
    EXPECT_EQ(layout.margins(), QMarginsF());
    page.PaperSize = 256;
    page.PaperWidth = 1500;
    page.PaperHeight = 1000;
    layout = TrpPagePrinter::pageLayout(page);
    EXPECT_EQ(layout.fullRect(QPageLayout::Millimeter).size(), QSizeF(150, 100));
    page.PaperWidth = 0;
    EXPECT_EQ(TrpPagePrinter::pageLayout(page).pageSize().id(), QPageSize::A4);

    TrpPrinter printer({});
    TrpEMFPages pages;
    ASSERT_TRUE(load(pages, fixture("prepared-two-pages.rpd"), printer));
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        TrpPagePrinter pagePrinter(writer);
        for (int i = 0; i < pages.Count(); ++i) {
            ASSERT_TRUE(pagePrinter.print(pages[i]));
            EXPECT_FALSE(pages[i].isHeld());
        }
        EXPECT_TRUE(pagePrinter.finish());
    }
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count("/Type /Page\n"), 2);
}
