#include "BuildFixture.h"
#include "FakePlatformPrinters.h"
#include "FakeReportUi.h"

#include "report/building/TrpBand.h"
#include "report/building/TrpPageRange.h"
#include "report/data/TrpUserDataset.h"

#include "base/Clock.h"

#include <QBuffer>
#include <QTemporaryDir>

using namespace TrpBandTypes;

namespace {

using TrpReportTest = BuildFixture;

TEST_F(TrpReportTest, TheFormIsAskedFirstThenTheEngineLooksUp)
{
    report.Template().Values.Add({vtExpression, 0, {}, q("1 + 1"), q("Named")});
    report.Template().Values.Add({vtSpecial, 0, {}, {}, q("Page")});
    report.Template().Values.Add({vtExpression, 0, {}, q("'named'"), q("Asked")});
    report.OnGetValue = [](const QString &name, Variant &value) {
        if (name == QLatin1String("Asked"))
            value = Variant(q("form"));
    };
    Clock::setFixed(QDateTime(QDate(2024, 5, 10), QTime(14, 5)));
    band(btReportTitle, 0, 20);
    memo(0, 0, "[Named] [Asked] [Page] [DATE] [TIME] [VALUE] [2 * 3] [TOTALPAGES]");
    ASSERT_TRUE(build());
    Clock::reset();
    // VALUE is the value of the expression before it.
    EXPECT_EQ(texts(0), strings({"2 form 1 2024/05/10 14:05:00 14:05:00 6 0"}));
}

TEST_F(TrpReportTest, CalculationErrorsKeepTheirTextAndAreResetByTheNextBuild)
{
    band(btMasterData, 0, 20, q("2"));
    auto &broken = memo(0, 0, "a [Nowhere] b");
    broken.Memo.append(q("second"));
    EXPECT_TRUE(build(true));
    EXPECT_EQ(report.ErrorText(), q("An error occured during calculating\ra [Nowhere] b\rsecond\rReport rpReport1\r"
                                    "Band: マスタ データ"));
    EXPECT_EQ(report.ErrorCause().message, q("Undefined symbol \"NOWHERE\""));

    broken.Memo = strings({"fine"});
    EXPECT_TRUE(build());
    EXPECT_EQ(report.ErrorText(), QString());
    EXPECT_EQ(pageCount(), 1);
}

TEST_F(TrpReportTest, ShowReportPreviewsOrShowsTheErrorBox)
{
    band(btMasterData, 0, 20, q("1"));
    auto &row = memo(0, 0, "[LINE#]");
    {
        // Nothing installed: the build runs silently and returns.
        EXPECT_TRUE(report.ShowReport());
        EXPECT_EQ(pageCount(), 1);
    }
    FakeReportUi ui;
    report.Title = q("List");
    EXPECT_TRUE(report.ShowReport());
    EXPECT_EQ(ui.shown, strings({"List - Report preparing / Processing page:  1", "preview List - Preview"}));

    ui.shown.clear();
    row.Memo = strings({"[1 +]"});
    EXPECT_FALSE(report.ShowReport());
    ASSERT_EQ(ui.shown.size(), 2);
    EXPECT_TRUE(ui.shown[1].startsWith(q("Error: An error occured during calculating\r[1 +]\r")));
    EXPECT_EQ(pageCount(), 0);
    EXPECT_FALSE(report.RebuildReport());
    EXPECT_EQ(ui.shown.size(), 4);

    // No pages: no preview.
    ui.shown.clear();
    report.Pages().Clear();
    EXPECT_TRUE(report.ShowReport());
    EXPECT_EQ(ui.shown.size(), 1);
}

TEST_F(TrpReportTest, CancelInTheProgressDialogStopsBuilding)
{
    FakeReportUi ui;
    ui.cancelAfter = 1;
    band(btMasterData, 0, 400, q("50"));
    memo(0, 0, "[LINE#]");
    EXPECT_FALSE(report.PrepareReport());
    EXPECT_FALSE(report.hasError());
    EXPECT_EQ(pageCount(), 2);
    EXPECT_EQ(ui.labels, strings({"Processing page:  1", "Processing page:  2"}));
}

TEST_F(TrpReportTest, TwoPassProgressShowsTheTotalInTheSecondPass)
{
    FakeReportUi ui;
    report.Template().TwoPass = true;
    band(btMasterData, 0, 600, q("2"));
    memo(0, 0, "[LINE#]");
    ASSERT_TRUE(build());
    EXPECT_EQ(ui.shown, strings({"Report preparing / Performing 1st pass:  1"}));
    EXPECT_EQ(ui.labels, strings({"Performing 1st pass:  1", "Performing 1st pass:  2", "Processing page:  1 from 2",
                                  "Processing page:  2 from 2"}));
}

TEST_F(TrpReportTest, EventsComeInOrder)
{
    QStringList events;
    report.OnBeginDoc = [&] {
        events.append(q("doc"));
    };
    report.OnEndDoc = [&] {
        events.append(q("end doc"));
    };
    report.OnBeginPage = [&](int page) {
        events.append(QStringLiteral("page %1").arg(page));
    };
    report.OnEndPage = [&](int page) {
        events.append(QStringLiteral("end page %1").arg(page));
    };
    report.OnBeginBand = [&](TrpBand &band) {
        events.append(QStringLiteral("band %1").arg(band.type));
    };
    report.OnEnterRect = [&](QStringList &memo, TrpView &) {
        if (memo.first() == q("replace"))
            memo = strings({"replaced [not expanded]"});
    };
    band(btMasterData, 0, 600, q("2"));
    memo(0, 0, "replace");
    ASSERT_TRUE(build());
    // The band begins before it finds that it needs the next page.
    EXPECT_EQ(events, strings({"doc", "page 0", "band 5", "band 5", "end page 0", "page 1", "end page 1", "end doc"}));
    EXPECT_EQ(texts(1), strings({"replaced [not expanded]"}));
}

TEST_F(TrpReportTest, TextsWithAnyLineEndsPrintAsSeparateLines)
{
    // CR LF, CR and LF alike end a line, whether the text comes from a
    // value or from the OnEnterRect hook; no line keeps a CR.
    const QString text = QString::fromUtf8("杖歩行\r\n見守り要\r三行目\n\r\n五行目");
    const QStringList lines = strings({"杖歩行", "見守り要", "三行目", "", "五行目"});
    report.OnGetValue = [&](const QString &name, Variant &value) {
        if (name == q("Remark"))
            value = Variant(text);
    };
    report.OnEnterRect = [&](QStringList &memo, TrpView &) {
        if (memo.first() == q("hooked"))
            memo = QStringList{q("first"), text};
    };
    band(btMasterData, 0, 200, q("1"));
    memo(0, 0, "[Remark]", 200, 100);
    memo(0, 100, "hooked", 200, 100);
    ASSERT_TRUE(build());
    ASSERT_EQ(output(0).size(), 2u);
    EXPECT_EQ(report.EMFPages()[0].objects()[0]->ExpandedMemo, lines);
    EXPECT_EQ(report.EMFPages()[0].objects()[1]->ExpandedMemo, QStringList{q("first")} + lines);
}

TEST_F(TrpReportTest, MultipleReportsBuildOncePerRowOrOnceWithoutADataset)
{
    band(btReportTitle, 0, 20);
    memo(0, 0, "Page [PAGE#]");
    report.ReportType = rtMultiple;
    ASSERT_TRUE(build());
    EXPECT_EQ(allTexts(), q("Page 1"));

    TrpUserDataset people(&form);
    people.RangeEnd = reCount;
    people.RangeEndCount = 3;
    report.Dataset = &people;
    ASSERT_TRUE(build());
    EXPECT_EQ(allTexts(), q("Page 1|Page 2|Page 3"));
}

TEST_F(TrpReportTest, PreparedReportsSaveAndLoad)
{
    band(btMasterData, 0, 600, q("2"));
    memo(0, 0, "[LINE#]");
    ASSERT_TRUE(build());
    QTemporaryDir dir;
    const QString file = dir.filePath(q("out.rpd"));
    ASSERT_TRUE(report.SavePreparedReport(file));
    TrpReport other;
    other.setPrinter(printer);
    ASSERT_TRUE(other.LoadPreparedReport(file));
    EXPECT_EQ(other.EMFPages().Count(), 2);
    EXPECT_FALSE(other.canRebuild());
    EXPECT_EQ(report.FindObject(q("MEMO2")), report.Pages()[0].Objects[1].get());
    EXPECT_EQ(report.FindObject(q("none")), nullptr);

    FakeReportUi ui;
    QByteArray newer(1, char(24));
    QBuffer buffer(&newer);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_FALSE(report.LoadFromStream(buffer));
    EXPECT_EQ(report.Pages().Count(), 1);
    EXPECT_EQ(ui.shown.takeFirst(), q("Error: Unsupported RPF format"));
    EXPECT_FALSE(report.ChangePrinter(0, 7));
    EXPECT_EQ(ui.shown, strings({"Error: Printer selected is not valid"}));
    EXPECT_TRUE(report.ChangePrinter(0, 0));
}

TEST_F(TrpReportTest, PrintingTakesThePagesNamedInOneJob)
{
    band(btMasterData, 0, 600, q("5"));
    memo(0, 0, "[LINE#]");
    ASSERT_TRUE(build());
    ASSERT_EQ(pageCount(), 5);
    FakePrinters platform;
    TrpPrinter office(platform.printerNames(), &platform);
    ASSERT_TRUE(office.setPrinterIndex(0));
    report.setPrinter(office);
    FakeReportUi ui;
    EXPECT_TRUE(report.PrintPreparedReport(q("1,3-4"), 2));
    EXPECT_EQ(platform.opened->jobName, q("Quernlight: Untitled"));
    EXPECT_EQ(platform.opened->printedPages(), 6);
    EXPECT_EQ(ui.shown, strings({"Report preparing / Printing page:"}));
    EXPECT_EQ(ui.labels, strings({"Printing page:  1", "Printing page:  3", "Printing page:  4"}));

    ui.shown.clear();
    EXPECT_FALSE(report.PrintPreparedReport(q("9"), 1));
    EXPECT_EQ(ui.shown.last(), q("Error: No page to print: \"9\""));
}

TEST(TrpPageRangeTest, PageTextsNameThePagesToPrint)
{
    const struct
    {
        const char *text;
        QList<int> pages;
    } cases[] = {
        {"", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"1,3-5", {0, 2, 3, 4}},
        {" 2 - 2 ", {1}},
        {"7-", {6, 7, 8, 9}},
        {"-2", {0, 1}},
        {"9-30", {8, 9}},
        {"11,12", {}},
        {"x", {}},
        {"3,,1", {0, 2}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(TrpPageRange::parse(q(c.text), 10), c.pages) << c.text;
    EXPECT_EQ(TrpReport::jobName({}), q("Quernlight: Untitled"));
    EXPECT_EQ(TrpReport::jobName(q("List")), q("Quernlight: List"));
}

} // namespace
