#include "BuildFixture.h"
#include "PdfWordBox.h"

#include "report/data/TrpUserDataset.h"
#include "report/pages/TrpEMFPage.h"
#include "report/pages/TrpPagePrinter.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <optional>

using namespace TrpBandTypes;

namespace {

using PageBuildingTest = BuildFixture;

TEST_F(PageBuildingTest, BandsPrintInOrderWithACountedSource)
{
    band(btReportTitle, 0, 30);
    memo(0, 0, QStringLiteral("Title"));
    band(btPageHeader, 40, 20);
    memo(0, 40, QStringLiteral("Header"));
    band(btColumnHeader, 70, 20);
    memo(0, 70, QStringLiteral("Columns"));
    band(btMasterData, 100, 20, QStringLiteral("3"));
    memo(10, 105, QStringLiteral("Row [LINE#]"));
    band(btReportSummary, 130, 20);
    memo(0, 130, QStringLiteral("End"));
    ASSERT_TRUE(build());
    ASSERT_EQ(pageCount(), 1);
    EXPECT_EQ(texts(0), strings({"Title", "Header", "Columns", "Row 1", "Row 2", "Row 3", "End"}));
    EXPECT_EQ(rectOf(0, QStringLiteral("Title")), QRect(0, 0, 100, 10));
    EXPECT_EQ(rectOf(0, QStringLiteral("Header")).top(), 30);
    EXPECT_EQ(rectOf(0, QStringLiteral("Row 1")), QRect(10, 75, 100, 10));
    EXPECT_EQ(rectOf(0, QStringLiteral("Row 3")).top(), 115);
    EXPECT_EQ(rectOf(0, QStringLiteral("End")).top(), 130);
}

} // namespace

namespace {

TEST_F(PageBuildingTest, RowsRunOntoNewPagesWithHeadersAndFooters)
{
    // Page header and footer on every page but as their bits say.
    struct Case
    {
        quint16 headerFlags;
        quint16 footerFlags;
        bool headerOnFirst;
        bool footerOnLast;
    };
    for (const Case &c : {Case{48, 48, true, true}, Case{32, 16, false, false}}) {
        SCOPED_TRACE(c.headerFlags);
        report.Pages().Clear();
        band(btPageHeader, 0, 20, {}, c.headerFlags);
        memo(0, 0, "Head [PAGE#]");
        band(btMasterData, 30, 20, q("200"));
        memo(0, 30, "[LINE#]");
        band(btPageFooter, 60, 20, {}, c.footerFlags);
        memo(0, 60, "Foot [PAGE#]");
        ASSERT_TRUE(build());
        const int perPage = (pageHeight() - 20 - 20) / 20;
        // Without the header the first page takes one row more.
        ASSERT_EQ(pageCount(), (200 + perPage - 1 + (c.headerOnFirst ? 0 : 1)) / perPage);
        EXPECT_EQ(texts(0).contains(q("Head 1")), c.headerOnFirst);
        EXPECT_EQ(texts(0).contains(q("Foot 1")), (c.footerFlags & 16) != 0);
        EXPECT_TRUE(texts(1).contains(q("Head 2")));
        EXPECT_EQ(rectOf(1, q("Foot 2")).top(), pageHeight() - 20);
        const QString last = QStringLiteral("Foot %1").arg(pageCount());
        EXPECT_EQ(texts(pageCount() - 1).contains(last), c.footerOnLast);
        EXPECT_EQ(texts(pageCount() - 1).last(), c.footerOnLast ? last : q("200"));
    }
}

TEST_F(PageBuildingTest, TwoColumnsStartTheSecondAtWidthPlusGap)
{
    page().ColumnCount = 2;
    page().ColumnGap = 12;
    band(btColumnHeader, 0, 20);
    memo(5, 0, "Col");
    band(btMasterData, 30, 50, q("60"));
    memo(5, 30, "[LINE#]");
    ASSERT_TRUE(build());
    const int width = page().PrnInfo.printableWidth / 2;
    const int perColumn = (pageHeight() - 20) / 50;
    EXPECT_EQ(rectOf(0, q("1")).left(), 5);
    EXPECT_EQ(rectOf(0, QString::number(perColumn + 1)), QRect(5 + width + 12, 20, 100, 10));
    EXPECT_EQ(texts(0).count(q("Col")), 2);
    EXPECT_EQ(rectOf(1, QString::number(2 * perColumn + 1)).left(), 5);
}

TEST_F(PageBuildingTest, StartNewPageAndScriptRequestsBreakPages)
{
    band(btMasterData, 0, 20, q("3"), 48 | TrpBandView::bfStartNewPage);
    memo(0, 0, "[LINE#]");
    band(btReportSummary, 30, 20).Script = strings({"if [LINE#] > 0 then NEWPAGE"});
    memo(0, 30, "End");
    ASSERT_TRUE(build());
    EXPECT_EQ(allTexts(), q("1|2|3|End"));
}

TEST_F(PageBuildingTest, ObjectScriptsAskForABreakAfterTheirBand)
{
    // NEWPAGE from an object: the row prints, the next one starts a page.
    band(btPageHeader, 0, 20);
    memo(0, 0, "H[PAGE#]");
    band(btMasterData, 30, 20, q("4"));
    memo(0, 30, "[LINE#]").Script = strings({"if [LINE#] = 2 then NEWPAGE"});
    memo(100, 30, "x");
    band(btPageFooter, 60, 20);
    memo(0, 60, "F[SUM([LINE#])]");
    ASSERT_TRUE(build());
    EXPECT_EQ(allTexts(), q("H1,1,x,2,x,F3|H2,3,x,4,x,F7"));

    // NEWCOLUMN moves on to the next column; the last column's to a new page.
    report.Pages().Clear();
    page().ColumnCount = 2;
    band(btMasterData, 0, 20, q("5"));
    memo(0, 0, "[LINE#]").Script = strings({"if [LINE#] mod 2 = 1 then NEWCOLUMN"});
    ASSERT_TRUE(build());
    EXPECT_EQ(allTexts(), q("1,2,3|4,5"));
    const int second = page().PrnInfo.printableWidth / 2;
    EXPECT_EQ(rectOf(0, q("2")).topLeft(), QPoint(second, 0));
    EXPECT_EQ(rectOf(0, q("3")).topLeft(), QPoint(second, 20));
    EXPECT_EQ(rectOf(1, q("4")).topLeft(), QPoint(0, 0));
}

TEST_F(PageBuildingTest, ABandMovedToANewPageShowsThatPagesNumber)
{
    // Each row needs a page of its own: the break comes after the row's
    // text was made, and the text still shows the page it lands on.
    for (const bool stretched : {false, true}) {
        SCOPED_TRACE(stretched);
        report.Pages().Clear();
        auto &rows = band(btMasterData, 0, 900, q("6"));
        auto &text = memo(0, 0, "d p[PAGE#] l[LINE#]", 200, 20);
        band(btPageFooter, 950, 20);
        memo(0, 950, "f[PAGE#]");
        if (stretched) {
            rows.Flags |= TrpBandView::bfStretched;
            text.Flags = TrpView::flStretched;
            memo(0, 880, "end p[PAGE#]", 200, 20);
        }
        ASSERT_TRUE(build());
        ASSERT_EQ(pageCount(), 6);
        for (int i = 0; i < 6; ++i) {
            EXPECT_TRUE(texts(i).contains(QStringLiteral("d p%1 l%1").arg(i + 1))) << texts(i).join(u',').toStdString();
            EXPECT_TRUE(texts(i).contains(QStringLiteral("f%1").arg(i + 1)));
            if (stretched) {
                EXPECT_TRUE(texts(i).contains(QStringLiteral("end p%1").arg(i + 1)));
            }
        }
    }
}

TEST_F(PageBuildingTest, ASplitBandsLaterMemosShowThePageTheyStartOn)
{
    band(btMasterData, 0, 1500, q("1"), 48 | TrpBandView::bfAllowSplit);
    memo(0, 0, "top p[PAGE#]", 200, 20);
    memo(0, 1400, "low p[PAGE#]", 200, 20);
    ASSERT_TRUE(build());
    ASSERT_EQ(pageCount(), 2);
    EXPECT_EQ(allTexts(), q("top p1|low p2"));
}

TEST_F(PageBuildingTest, TallBandsMoveOnOrSplit)
{
    band(btMasterData, 0, 20, q("1"));
    memo(0, 0, "Top");
    auto &tall = band(btDetailData, 30, pageHeight() - 40, q("1"));
    auto &text = memo(0, 30, "", 200, pageHeight() - 40);
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines.append(QStringLiteral("line %1").arg(i));
    text.Memo = lines;
    text.Flags = TrpView::flStretched;
    tall.Flags |= TrpBandView::bfStretched;
    // Too tall for what is left: a new page first, then, taller than that
    // page too, the text goes on over the pages that follow.
    ASSERT_TRUE(build());
    ASSERT_GE(pageCount(), 3);
    EXPECT_EQ(texts(0), strings({"Top"}));
    const auto printedLines = [this] {
        QStringList printed;
        for (int i = 0; i < pageCount(); ++i)
            for (const Output &item : output(i)) {
                EXPECT_LE(item.rect.bottom(), pageHeight());
                if (item.text != q("Top"))
                    printed.append(item.text.split(QLatin1Char('\n')));
            }
        return printed;
    };
    EXPECT_EQ(printedLines(), lines);

    tall.Flags |= TrpBandView::bfAllowSplit;
    ASSERT_TRUE(build());
    ASSERT_GE(pageCount(), 3);
    // Split: the text goes on where it stopped, nothing lost or repeated.
    EXPECT_EQ(printedLines(), lines);
    EXPECT_EQ(rectOf(0, q("Top")).top(), 0);
    EXPECT_EQ(output(0)[1].rect.top(), 20);
}

TEST_F(PageBuildingTest, BandTallerThanThePageIsDrawnClippedOnce)
{
    band(btMasterData, 0, pageHeight() * 3, q("2"));
    memo(0, 0, "[LINE#]", 100, pageHeight() * 3);
    ASSERT_TRUE(build());
    ASSERT_EQ(pageCount(), 2);
    EXPECT_EQ(output(0).front().rect.height(), pageHeight());
    EXPECT_EQ(allTexts(), q("1|2"));
}

TEST_F(PageBuildingTest, EmptyDetailDropsTheMasterRowUnlessAsked)
{
    TrpUserDataset detail(&form);
    detail.setObjectName(q("Detail"));
    detail.RangeEnd = reCount;
    TrpUserDataset master(&form);
    master.setObjectName(q("Master"));
    master.RangeEnd = reCount;
    master.RangeEndCount = 3;
    // The second master row has no detail rows.
    master.OnFirst = master.OnNext = [&detail](TrpDataset &sender) {
        detail.RangeEndCount = sender.RecNo == 1 ? 0 : 2;
    };
    band(btMasterHeader, 0, 20);
    memo(0, 0, "MH");
    auto &masterBand = band(btMasterData, 30, 20, q("Master"));
    memo(0, 30, "M[LINE#]");
    band(btDetailHeader, 60, 20);
    memo(0, 60, "DH");
    band(btDetailData, 90, 20, q("Detail"));
    memo(0, 90, "D[LINE#]");
    band(btDetailFooter, 120, 20);
    memo(0, 120, "DF");
    band(btMasterFooter, 150, 20);
    memo(0, 150, "MF");
    ASSERT_TRUE(build());
    EXPECT_EQ(allTexts(), q("MH,M1,DH,D1,D2,DF,M2,DH,D1,D2,DF,MF"));

    masterBand.Flags |= TrpBandView::bfPrintIfDetailEmpty;
    ASSERT_TRUE(build());
    EXPECT_EQ(allTexts(), q("MH,M1,DH,D1,D2,DF,M2,M3,DH,D1,D2,DF,MF"));
}

TEST_F(PageBuildingTest, EmptyFirstDetailKeepsTheMasterHeader)
{
    TrpUserDataset detail(&form);
    detail.setObjectName(q("Detail"));
    detail.RangeEnd = reCount;
    TrpUserDataset master(&form);
    master.setObjectName(q("Master"));
    master.RangeEnd = reCount;
    master.RangeEndCount = 2;
    master.OnFirst = master.OnNext = [&detail](TrpDataset &sender) {
        detail.RangeEndCount = sender.RecNo == 0 ? 0 : 1;
    };
    band(btMasterHeader, 0, 20);
    memo(0, 0, "MH");
    band(btMasterData, 30, 20, q("Master"));
    memo(0, 30, "M[LINE#]");
    band(btDetailData, 90, 20, q("Detail"));
    memo(0, 90, "D");
    ASSERT_TRUE(build());
    // The dropped first row was not counted.
    EXPECT_EQ(allTexts(), q("MH,M1,D"));
}

// A table's heading that fits at the foot of a page where its first row
// does not goes to the next page with that row, whether it may split or
// not.
TEST_F(PageBuildingTest, AHeadingGoesToTheNextPageWithItsFirstRow)
{
    TrpUserDataset rows(&form);
    rows.setObjectName(q("Rows"));
    rows.RangeEnd = reCount;
    rows.RangeEndCount = 2;
    for (const quint16 headingFlags : {quint16(48), quint16(48 | 8)}) {
        SCOPED_TRACE(headingFlags);
        report.Pages().Clear();
        TrpBandView &master = band(btMasterData, 0, pageHeight() - 50, q("1"));
        memo(0, 0, "Master");
        band(btDetailHeader, pageHeight() - 40, 30, {}, headingFlags);
        memo(0, pageHeight() - 40, "DH");
        band(btDetailData, pageHeight() - 5, 30, q("Rows"));
        memo(0, pageHeight() - 5, "D[LINE#]");
        ASSERT_TRUE(build());
        EXPECT_EQ(allTexts(), q("Master|DH,D1,D2"));

        // With room for both they stay on the first page.
        master.Height = pageHeight() - 70;
        ASSERT_TRUE(build());
        EXPECT_EQ(allTexts(), q("Master,DH,D1|D2"));
    }
}

// A page printed on the previous one starts a new page for a band that
// does not fit below what stands there, as any band further down does.
TEST_F(PageBuildingTest, ABandOfAContinuingPageThatDoesNotFitStartsANewPage)
{
    band(btReportTitle, 0, pageHeight() - 30);
    memo(0, 0, "First");
    page(1).PrintToPreviousPage = true;
    band(btReportTitle, 0, 50, {}, 48, 1);
    memo(0, 0, "Second", 100, 10, 1);
    band(btMasterData, 60, 50, q("1"), 48, 1);
    memo(0, 60, "Third", 100, 10, 1);
    ASSERT_TRUE(build());
    EXPECT_EQ(allTexts(), q("First|Second,Third"));
}

} // namespace

namespace {

// The bounding box of what is not white.
QRect inkOf(const QImage &image)
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                ink |= QRect(x, y, 1, 1);
    return ink;
}

TEST_F(PageBuildingTest, APageContinuingThePreviousOneKeepsItsLeftMargin)
{
    page(0).Margins = {60, 40, 60, 40};
    band(btMasterData, 0, 20, q("1"), 0, 0);
    memo(0, 0, "First", 200, 20, 0);
    page(1).Margins = {60, 40, 60, 40};
    page(1).PrintToPreviousPage = true;
    band(btMasterData, 0, 20, q("1"), 0, 1);
    memo(0, 0, "Second", 200, 20, 1);
    ASSERT_TRUE(build());
    ASSERT_EQ(report.EMFPages().Count(), 1);
    EXPECT_EQ(rectOf(0, q("First")).topLeft(), QPoint(60, 40));
    EXPECT_EQ(rectOf(0, q("Second")).topLeft(), QPoint(60, 60));
}

TEST_F(PageBuildingTest, MarginsAndThePrintableAreaPlaceObjectsOnThePaper)
{
    page().Margins = {100, 100, 100, 100};
    band(btPageHeader, 0, 40);
    TrpMemoView &mark = memo(0, 0, "Mark", 200, 30);
    mark.FrameTyp = TrpView::frAll;
    band(btMasterData, 50, 20, q("1"));
    memo(0, 50, "Row", 200, 20);
    band(btPageFooter, 100, 20);
    memo(0, 100, "Foot", 200, 20);
    band(btOverlay, 200, 20);
    memo(10, 205, "Over", 200, 10);
    ASSERT_TRUE(build());
    const TrpPrinter::PageMetrics &m = page().PrnInfo;
    ASSERT_EQ(m.offsetX, 18);
    // Laid out inside the margins on both axes, the footer above the bottom one.
    EXPECT_EQ(rectOf(0, q("Mark")), QRect(100, 100, 200, 30));
    EXPECT_EQ(rectOf(0, q("Row")).topLeft(), QPoint(100, 140));
    EXPECT_EQ(rectOf(0, q("Foot")).bottom() + 1, m.printableHeight - 100);
    EXPECT_EQ(rectOf(0, q("Over")).topLeft(), QPoint(110, 305));

    // Drawn on the paper in the printable area, 18 units in on each axis.
    TrpEMFPage &prepared = report.EMFPages()[0];
    prepared.Visible = true;
    QImage image(prepared.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        prepared.draw(painter, QRectF(QPointF(0, 0), prepared.size()));
    }
    const QRect ink = inkOf(image);
    EXPECT_NEAR(ink.left(), 118, 1);
    EXPECT_NEAR(ink.top(), 118, 1);
    EXPECT_LE(ink.right(), m.pageWidth - 118);
    EXPECT_LE(ink.bottom(), m.pageHeight - 118);

    // The printer's path draws the same place on the sheet.
    QTemporaryDir dir;
    const QString pdf = dir.filePath(q("page.pdf"));
    {
        QPdfWriter writer(pdf);
        writer.setResolution(300);
        TrpPagePrinter printer(writer);
        ASSERT_TRUE(printer.print(prepared));
        ASSERT_TRUE(printer.finish());
    }
    if (QStandardPaths::findExecutable(q("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    const std::optional<QRectF> word = pdfWordBox(pdf, 1, q("Mark"));
    ASSERT_TRUE(word) << "pdftotext finds no word \"Mark\" on the page";
    const double pointsX = 72.0 / TrpPrinter::UnitsPerInchX, pointsY = 72.0 / TrpPrinter::UnitsPerInchY;
    EXPECT_GE(word->left(), 118 * pointsX);
    EXPECT_LE(word->left(), (118 + 2 * TrpMemoView::GapX + 1) * pointsX);
    EXPECT_GE(word->center().y(), 118 * pointsY);
    EXPECT_LE(word->center().y(), (118 + 30) * pointsY);
}

} // namespace

// A text its fixed box does not hold even at the smallest size shows there
// what the box holds; the rest goes on on sheets after the page, under the
// page header and beside the box's heading, each line printed once.
TEST_F(PageBuildingTest, TextsTheirBoxesCannotHoldGoOnAfterThePage)
{
    band(btPageHeader, 0, 20, {}, 0);
    memo(0, 0, "Continued");
    band(btReportTitle, 30, 60);
    memo(0, 30, "Heading", 50, 30);
    TrpMemoView &text = memo(50, 30, "", 150, 30);
    QStringList lines;
    for (int i = 0; i < 150; ++i)
        lines.append(QStringLiteral("line %1").arg(i));
    text.Memo = lines;
    memo(0, 60, "Below", 200, 20);
    band(btReportSummary, 100, 20);
    memo(0, 100, "End");
    ASSERT_TRUE(build());
    ASSERT_GE(pageCount(), 3);
    const std::vector<Output> first = output(0);
    ASSERT_EQ(first.size(), 4u);
    EXPECT_EQ(first[0].text, q("Heading"));
    // The box holds four lines at 7 pixels, set solid.
    EXPECT_EQ(first[1].text, lines.mid(0, 4).join(u'\n'));
    EXPECT_EQ(first[1].rect, QRect(50, 0, 150, 30));
    EXPECT_EQ(texts(0).mid(2), strings({"Below", "End"}));
    QStringList printed = first[1].text.split(u'\n');
    for (int i = 1; i < pageCount(); ++i) {
        const std::vector<Output> sheet = output(i);
        ASSERT_GE(sheet.size(), 3u);
        EXPECT_EQ(sheet[0].text, q("Continued"));
        EXPECT_EQ(sheet[1].rect.top(), 20);
        for (const Output &item : sheet) {
            EXPECT_LE(item.rect.bottom(), pageHeight());
            if (item.text == q("Heading"))
                EXPECT_EQ(item.rect.height(), sheet.back().rect.height());
            else if (item.text != q("Continued"))
                printed.append(item.text.split(u'\n'));
        }
        EXPECT_TRUE(texts(i).contains(q("Heading"))) << i;
    }
    EXPECT_EQ(printed, lines);
}
