#include "FakePlatformPrinters.h"

#include "report/pages/TrpPrinter.h"
#include "report/pages/TrpPlatformPrinter.h"
#include "report/pages/TrpPlatformPrinters.h"
#include "reportui/TrpCupsPrinters.h"

#include "FakePlatformPrinters.h"

#include <QPageLayout>
#include <QPageSize>

#include <gtest/gtest.h>

#include <set>

TEST(TrpPrinter, PaperTableHoldsTheWindowsPapers)
{
    const auto table = TrpPrinter::paperTable();
    ASSERT_EQ(table.size(), 67u);
    std::set<int> codes;
    for (const TrpPrinter::PaperInfo &paper : table) {
        EXPECT_TRUE(codes.insert(paper.code).second) << paper.code;
        if (paper.code != TrpPrinter::CustomPaper) {
            EXPECT_GT(paper.width, 0) << paper.code;
            EXPECT_GT(paper.height, 0) << paper.code;
        }
    }
    for (int code = 1; code <= 68; ++code)
        EXPECT_EQ(codes.count(code), code == 48 || code == 49 ? 0u : 1u) << code;
    EXPECT_EQ(table.back().code, 256);

    struct Row
    {
        int code;
        const char *name;
        int width;
        int height;
    };
    const Row rows[] = {
        {1, "Letter, 8 1/2 x 11\"", 2159, 2794},
        {8, "A3 297 x 420 mm", 2970, 4200},
        {68, "A3 Extra Transverse 322 x 445 mm", 3220, 4450},
        {256, "Custom", 0, 0},
        {9, "A4 210 x 297 mm", 2100, 2970},
        {13, "B5 (JIS) 182 x 257 mm", 1820, 2570},
        {43, "Japanese Postcard 100 x 148 mm", 1000, 1480},
    };
    for (const Row &row : rows) {
        const TrpPrinter::PaperInfo *paper = TrpPrinter::findPaper(row.code);
        ASSERT_TRUE(paper) << row.code;
        EXPECT_STREQ(paper->name, row.name);
        EXPECT_EQ(paper->width, row.width);
        EXPECT_EQ(paper->height, row.height);
    }
    EXPECT_FALSE(TrpPrinter::findPaper(48));
    EXPECT_FALSE(TrpPrinter::findPaper(300));
}

TEST(TrpPrinter, WithoutPrintersOnlyTheDefaultPrinterIsListed)
{
    TrpPrinter printer({});
    EXPECT_EQ(printer.printers(), QStringList{QStringLiteral("Default printer")});
    EXPECT_FALSE(printer.hasPlatformPrinters());
    EXPECT_TRUE(printer.isDefaultPrinter());
    EXPECT_EQ(printer.printerName(), QStringLiteral("Default printer"));
    EXPECT_EQ(printer.printer(), nullptr);
    EXPECT_EQ(printer.paperCodes().size(), 67);
    EXPECT_EQ(printer.paperNames().size(), 67);
    EXPECT_EQ(printer.paperNames().at(printer.paperIndex(9)), QStringLiteral("A4 210 x 297 mm"));
    EXPECT_FALSE(printer.setPrinterIndex(1));
    EXPECT_FALSE(printer.setPrinterIndex(-1));
    EXPECT_EQ(printer.indexOfPrinter(QStringLiteral("Nowhere")), -1);
}

TEST(TrpPrinter, APrinterThatCannotBeOpenedIsNotMadeCurrent)
{
    TrpPrinter printer({QStringLiteral("No such queue"), QStringLiteral("Default printer")});
    EXPECT_EQ(printer.printers(), QStringList({QStringLiteral("No such queue"), QStringLiteral("Default printer")}));
    EXPECT_EQ(printer.defaultPrinterIndex(), 1);
    EXPECT_TRUE(printer.hasPlatformPrinters());
    EXPECT_FALSE(printer.setPrinterIndex(0));
    EXPECT_EQ(printer.printerIndex(), 1);
    EXPECT_TRUE(printer.setPrinterIndex(1));
}

TEST(TrpPrinter, DefaultPrinterMetricsComeFromThePaperTable)
{
    TrpPrinter printer({});
    printer.setPaper(9, 0, 0, TrpPrinter::Portrait);
    // 5 mm margins; the printer's pixels are page units.
    const TrpPrinter::PageMetrics a4{752, 1071, 752, 1071, 18, 18, 18, 18, 716, 1035, 716, 1035};
    EXPECT_EQ(printer.metrics(), a4);

    // Landscape swaps width and height from the table.
    printer.setPaper(9, 0, 0, TrpPrinter::Landscape);
    EXPECT_EQ(printer.paperWidth(), 2970);
    EXPECT_EQ(printer.paperHeight(), 2100);
    EXPECT_EQ(printer.metrics().pageWidth, 1064);
    EXPECT_EQ(printer.metrics().pageHeight, 758);

    // The stored size of a table paper does not count.
    printer.setPaper(8, 1, 1, TrpPrinter::Portrait);
    EXPECT_EQ(printer.paperWidth(), 2970);
    EXPECT_EQ(printer.paperHeight(), 4200);

    // Custom paper keeps its size; setting the same paper again changes nothing.
    printer.setPaper(256, 1000, 1500, TrpPrinter::Portrait);
    EXPECT_EQ(printer.paperSize(), 256);
    EXPECT_EQ(printer.paperWidth(), 1000);
    const TrpPrinter::PageMetrics custom = printer.metrics();
    EXPECT_EQ(custom, TrpPrinter::defaultMetrics(1000, 1500));
    printer.setPaper(256, 1000, 1500, TrpPrinter::Portrait);
    EXPECT_EQ(printer.metrics(), custom);
    printer.setPaper(256, 1200, 1500, TrpPrinter::Portrait);
    EXPECT_EQ(printer.paperWidth(), 1200);
}

TEST(TrpPrinter, PaperWithoutSizeFallsBackToA4)
{
    TrpPrinter printer({});
    const TrpPrinter::PageMetrics a4 = TrpPrinter::defaultMetrics(2100, 2970);
    struct Case
    {
        int code;
        int width;
        int height;
    };
    for (const Case c : {Case{256, 0, 0}, Case{300, 0, 0}, Case{256, -5, 100}, Case{256, 2100, 0},
                         Case{256, 2100, 2000000000}, Case{65535, 0, 0}}) {
        printer.forgetPaper();
        printer.setPaper(c.code, c.width, c.height, TrpPrinter::Portrait);
        EXPECT_EQ(printer.paperSize(), 9) << c.code << " " << c.width << " " << c.height;
        EXPECT_EQ(printer.metrics(), a4);
        EXPECT_GT(printer.metrics().printableWidth, 0);
    }
    EXPECT_EQ(TrpPrinter::defaultMetrics(0, 0), a4);
    // A code the table lacks, with a size, keeps it.
    printer.setPaper(300, 1000, 1000, TrpPrinter::Portrait);
    EXPECT_EQ(printer.paperSize(), 300);
    EXPECT_EQ(printer.metrics(), TrpPrinter::defaultMetrics(1000, 1000));
    // Orientations other than landscape are portrait.
    printer.setPaper(9, 0, 0, 7);
    EXPECT_EQ(printer.orientation(), TrpPrinter::Portrait);
}

TEST(TrpPrinter, DeviceMetricsScalePrinterPixelsToPageUnits)
{
    // A4 at 600 dpi with 4.23 mm (100 pixels) margins all round.
    const double margin = 100.0 / 600 * 25.4;
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(margin, margin, margin, margin),
                             QPageLayout::Millimeter);
    // Printer pixels, then page units: paper, origin and printable area.
    const TrpPrinter::PageMetrics expected{4961, 7016, 752, 1071, 100, 100, 15, 15, 4761, 6816, 722, 1041};
    EXPECT_EQ(TrpPrinter::deviceMetrics(layout, 600, 600), expected);
    EXPECT_EQ(TrpPrinter::deviceMetrics(layout, 0, 600), TrpPrinter::PageMetrics{});
}

TEST(TrpPrinter, APlatformPrinterGivesItsPapersAndMetrics)
{
    FakePrinters platform;
    TrpPrinter printer(platform.printerNames(), &platform);
    EXPECT_EQ(printer.printers(),
              QStringList({QStringLiteral("Office"), QStringLiteral("Broken"), QStringLiteral("Default printer")}));
    EXPECT_FALSE(printer.setPrinterIndex(1));
    EXPECT_TRUE(printer.isDefaultPrinter());
    ASSERT_TRUE(printer.setPrinterIndex(0));
    ASSERT_TRUE(platform.opened);
    EXPECT_EQ(printer.printer(), platform.opened);
    // Sizes without a Windows code count as custom paper.
    EXPECT_EQ(printer.paperCodes(), (QList<quint16>{9, 11, 256}));
    EXPECT_EQ(printer.paperSize(), 9);
    EXPECT_EQ(printer.paperWidth(), 2100);
    EXPECT_EQ(printer.metrics().printerOffsetX, 100);
    EXPECT_EQ(printer.metrics().pageWidth, 752);
    EXPECT_EQ(printer.metrics().offsetX, 30);

    printer.setPaper(11, 0, 0, TrpPrinter::Landscape);
    EXPECT_EQ(platform.opened->paperChanges, 1);
    EXPECT_EQ(printer.paperSize(), 11);
    EXPECT_EQ(printer.orientation(), TrpPrinter::Landscape);
    EXPECT_EQ(printer.paperWidth(), 2100);
    EXPECT_EQ(printer.paperHeight(), 1480);
    // The same paper again does not touch the printer; one it lacks leaves
    // its paper as it was.
    printer.setPaper(11, 0, 0, TrpPrinter::Landscape);
    EXPECT_EQ(platform.opened->paperChanges, 1);
    printer.setPaper(8, 0, 0, TrpPrinter::Landscape);
    EXPECT_EQ(platform.opened->paperChanges, 2);
    EXPECT_EQ(printer.paperSize(), 11);

    EXPECT_TRUE(printer.setPrinterIndex(printer.defaultPrinterIndex()));
    EXPECT_EQ(printer.printer(), nullptr);
    EXPECT_EQ(printer.paperCodes().size(), 67);
}

TEST(TrpPrinter, InstalledPlatformPrintersAreThoseOfTheProcess)
{
    FakePrinters platform;
    TrpPlatformPrinters *before = TrpPlatformPrinters::install(&platform);
    EXPECT_EQ(TrpPlatformPrinters::installed(), &platform);
    EXPECT_EQ(TrpPlatformPrinters::install(before), &platform);

    // CUPS has no queue of that name, here or anywhere.
    TrpCupsPrinters cups;
    EXPECT_EQ(cups.open(QStringLiteral("No such queue")), nullptr);
    EXPECT_FALSE(cups.printerNames().contains(QStringLiteral("No such queue")));
}
