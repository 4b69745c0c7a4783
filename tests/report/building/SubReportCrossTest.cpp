#include "BuildFixture.h"

#include "report/objects/TrpSubReportView.h"
#include "report/pages/TrpEMFPage.h"

#include <QBuffer>

using namespace TrpBandTypes;

namespace {

class SubReportCrossTest : public BuildFixture
{
protected:
    void addSubReport(int left, int top, int subPage)
    {
        auto view = std::make_unique<TrpSubReportView>();
        view->Left = left;
        view->Top = top;
        view->Width = 200;
        view->Height = 20;
        view->SubPage = subPage;
        addObject(std::move(view));
    }
};

TEST_F(SubReportCrossTest, SubReportsPrintSideBySideAndGoOnOnNewPages)
{
    band(btMasterData, 0, 20, q("1"));
    memo(0, 0, "Before");
    band(btReportSummary, 100, 20);
    addSubReport(0, 100, 1);
    addSubReport(300, 100, 2);
    band(btMasterData, 0, 20, q("3"), 48, 1);
    memo(10, 0, "A[LINE#]", 100, 10, 1);
    band(btMasterData, 0, 50, q("30"), 48, 2);
    memo(20, 0, "B[LINE#]", 100, 10, 2);
    ASSERT_TRUE(build());
    // The summary starts below the row; each subreport from there down.
    EXPECT_EQ(rectOf(0, q("A1")), QRect(10, 20, 100, 10));
    EXPECT_EQ(rectOf(0, q("A3")).top(), 60);
    EXPECT_EQ(rectOf(0, q("B1")), QRect(320, 20, 100, 10));
    const int perPage = (pageHeight() - 20) / 50;
    EXPECT_EQ(rectOf(1, QStringLiteral("B%1").arg(perPage + 1)).top(), 0);
    EXPECT_EQ(pageCount(), 2);
    // Pages printed as subreports are not built on their own.
    EXPECT_EQ(allTexts().count(q("A1")), 1);
}

TEST_F(SubReportCrossTest, ASubReportPageThatPrintsItselfIsAnError)
{
    band(btMasterData, 0, 20, q("1"));
    addSubReport(0, 0, 1);
    band(btMasterData, 0, 20, q("1"), 48, 1);
    auto view = std::make_unique<TrpSubReportView>();
    view->SubPage = 1;
    addObject(std::move(view), 1);
    build(true);
    EXPECT_TRUE(report.ErrorCause().message.contains(q("contains itself")));
}

// A report built while another records its subreport (a form's answer
// builds one) records its own pages: neither sees the other's pages as its
// own, though both record the same page numbers.
TEST_F(SubReportCrossTest, AReportBuiltWhileAnotherRecordsKeepsItsOwnPages)
{
    band(btMasterData, 0, 20, q("1"));
    addSubReport(0, 0, 1);
    band(btMasterData, 0, 20, q("2"), 48, 1);
    memo(0, 0, "[Inner] [LINE#]", 100, 10, 1);
    QByteArray bytes;
    QBuffer saved(&bytes);
    saved.open(QIODevice::WriteOnly);
    ASSERT_TRUE(report.SaveToStream(saved));

    TrpReport inner(&form);
    inner.setPrinter(printer);
    inner.setObjectName(QStringLiteral("rpReport2"));
    QBuffer load(&bytes);
    load.open(QIODevice::ReadOnly);
    ASSERT_TRUE(inner.LoadFromStream(load));
    inner.OnGetValue = [](const QString &name, Variant &value) {
        if (name == u"Inner")
            value = QStringLiteral("inner");
    };
    QStringList innerTexts;
    report.OnGetValue = [&](const QString &name, Variant &value) {
        if (name != u"Inner")
            return;
        EXPECT_TRUE(inner.PrepareReport());
        EXPECT_FALSE(inner.hasError()) << inner.ErrorText().toStdString();
        for (int i = 0; i < inner.EMFPages().Count(); ++i) {
            for (const std::unique_ptr<TrpView> &view : inner.EMFPages()[i].objects())
                innerTexts.append(view->Memo.join(u' '));
        }
        value = QStringLiteral("outer");
    };
    ASSERT_TRUE(build());
    EXPECT_EQ(texts(0), strings({"outer 1", "outer 2"}));
    EXPECT_EQ(innerTexts.filter(QStringLiteral("inner")), strings({"inner 1", "inner 2", "inner 1", "inner 2"}));
}

TEST_F(SubReportCrossTest, TwoPassReportsKnowTheirPageCount)
{
    for (const bool twoPass : {false, true}) {
        report.Template().TwoPass = twoPass;
        report.Pages().Clear();
        band(btMasterData, 0, 400, q("5"));
        memo(0, 0, "[LINE#]");
        band(btPageFooter, 500, 20);
        memo(0, 500, "[PAGE#]/[TOTALPAGES]");
        ASSERT_TRUE(build());
        EXPECT_EQ(pageCount(), 3);
        EXPECT_EQ(texts(2).last(), twoPass ? q("3/3") : q("3/0"));
    }
}

// Rows of two, columns from a counted cross data set; each column as wide as
// OnPrintColumn leaves it, the footer after the last.
class CrossTest : public BuildFixture
{
protected:
    void layOut(int columns)
    {
        auto &strip = band(btCrossHeader, 0, 0);
        strip.Left = 0;
        strip.Width = 100;
        auto &data = band(btCrossData, 0, 0, QString::number(columns));
        data.Left = 200;
        data.Width = 50;
        auto &footer = band(btCrossFooter, 0, 0);
        footer.Left = 300;
        footer.Width = 60;
        band(btMasterData, 30, 20, q("2"));
        memo(10, 30, "R[LINE#]", 80);
        memo(200, 30, "C[COLUMN#]", 40);
        memo(300, 30, "T[SUM([COLUMN#])]", 60);
        band(btMasterFooter, 60, 20);
        memo(200, 60, "S[SUM([COLUMN#] * 10)]", 40);
    }
};

TEST_F(CrossTest, ColumnsRunLeftToRightWithTheFooterAfterThem)
{
    layOut(3);
    report.OnPrintColumn = [](int column, int &width) {
        if (column == 2)
            width = 80;
    };
    ASSERT_TRUE(build());
    ASSERT_EQ(pageCount(), 1);
    EXPECT_EQ(texts(0), strings({"R1", "C1", "C2", "C3", "T6", "R2", "C1", "C2", "C3", "T6", "S20", "S40", "S60"}));
    EXPECT_EQ(rectOf(0, q("C1")).left(), 200);
    EXPECT_EQ(rectOf(0, q("C2")).left(), 250);
    EXPECT_EQ(rectOf(0, q("C3")).left(), 330);
    EXPECT_EQ(rectOf(0, q("T6")).left(), 380);
}

TEST_F(CrossTest, ColumnsBeyondThePageWidthGoOnOnFollowingPages)
{
    layOut(30);
    ASSERT_TRUE(build());
    const int perGroup = int((page().PrnInfo.pageWidth - 200 - 60) / 50);
    const int groups = (30 + perGroup - 1) / perGroup;
    ASSERT_EQ(pageCount(), groups);
    QStringList columns;
    for (int i = 0; i < pageCount(); ++i) {
        EXPECT_EQ(texts(i).first(), q("R1"));
        for (const QString &text : texts(i))
            if (text.startsWith(QLatin1Char('C')) && !columns.contains(text))
                columns.append(text);
    }
    EXPECT_EQ(columns.size(), 30);
    EXPECT_TRUE(texts(groups - 1).contains(q("T465")));
    EXPECT_FALSE(texts(0).contains(q("T465")));
}

TEST_F(CrossTest, BandsNamedByTheCrossDataBandWalkTheirOwnDataSets)
{
    auto &strip = band(btCrossHeader, 0, 0);
    strip.Width = 100;
    auto &data = band(btCrossData, 0, 0);
    data.Left = 200;
    data.Width = 50;
    band(btMasterHeader, 0, 20).Name = q("Heading");
    memo(200, 0, "H[COLUMN#]", 40);
    band(btMasterData, 30, 20, q("2")).Name = q("Lines");
    memo(200, 30, "C[COLUMN#]", 40);
    band(btMasterFooter, 60, 20).Name = q("Sums");
    memo(200, 60, "S[COLUMN#]", 40);
    // No data set of its own: the columns are those of the longest band's.
    data.FormatStr = q("heading=3;Lines=4;Sums=2;");
    ASSERT_TRUE(build());
    EXPECT_EQ(texts(0), strings({"H1", "H2", "H3", "C1", "C2", "C3", "C4", "C1", "C2", "C3", "C4", "S1", "S2"}));
    EXPECT_EQ(rectOf(0, q("C4")).left(), 350);
}

} // namespace
