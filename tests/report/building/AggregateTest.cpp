#include "BuildFixture.h"

#include "report/data/TrpDBDataSet.h"
#include "report/data/TrpTableRowSource.h"

using namespace TrpBandTypes;

namespace {

// Five rows in three groups, as a database data set "Data".
class AggregateTest : public BuildFixture
{
protected:
    AggregateTest()
    {
        const std::pair<const char *, int> values[] = {{"A", 10}, {"A", 20}, {"B", 5}, {"C", 1}, {"C", 2}};
        for (const auto &[group, amount] : values)
            rows.addRow({Variant(q(group)), Variant(amount)});
        data.setObjectName(q("Data"));
        data.setDataSet(&rows);
        empty.setObjectName(q("Empty"));
        empty.setDataSet(&noRows);
    }

    TrpTableRowSource rows{strings({"Grp", "Amount"})};
    TrpTableRowSource noRows{strings({"Amount"})};
    TrpDBDataSet data{&form};
    TrpDBDataSet empty{&form};
};

TEST_F(AggregateTest, GroupsPrintHeadersFootersAndSubtotals)
{
    band(btGroupHeader, 0, 20, q("[Data.Grp]"));
    memo(0, 0, "G [Data.Grp] [LINE#]");
    band(btMasterData, 30, 20, q("Data"));
    memo(0, 30, "[Amount]");
    band(btMasterFooter, 60, 20);
    memo(0, 60, "MF [SUM([Amount])]");
    band(btGroupFooter, 90, 20);
    memo(0, 90, "GF [SUM([Amount])] [AVG([Amount])]");
    band(btReportSummary, 120, 20);
    memo(0, 120, "T [SUM([Amount])] [COUNT(1)] [MIN([Amount])] [MAX([Amount])]");
    ASSERT_TRUE(build());
    EXPECT_EQ(allTexts(), q("G A 1,10,20,MF 30,GF 30 15,G B 2,5,MF 5,GF 5 5,G C 3,1,2,MF 3,GF 3 1.5,T 38 5 1 20"));
}

TEST_F(AggregateTest, GroupsMayStartNewPagesAndReprintTheirHeaders)
{
    band(btGroupHeader, 0, 20, q("[Data.Grp]"), 48 | TrpBandView::bfStartNewPage);
    memo(0, 0, "G [Data.Grp]");
    band(btMasterHeader, 30, 20, {}, 48 | TrpBandView::bfReprintOnNewPage);
    memo(0, 30, "H");
    band(btMasterData, 60, 600, q("Data"));
    memo(0, 60, "[Amount]");
    ASSERT_TRUE(build());
    // Each group on its own page, the header repeated when a group runs on.
    EXPECT_EQ(allTexts(), q("G A,H,10|H,20|G B,H,5|G C,H,1|H,2"));
}

TEST_F(AggregateTest, AGroupChangingEveryRowGivesOneGroupPerRow)
{
    band(btGroupHeader, 0, 20, q("[Data.Amount]"));
    memo(0, 0, "G");
    band(btMasterData, 30, 20, q("Data"));
    memo(0, 30, "[Amount] [LINE#]");
    band(btGroupFooter, 90, 20);
    memo(0, 90, "F[COUNT(1)]");
    ASSERT_TRUE(build());
    EXPECT_EQ(allTexts(), q("G,10 1,F1,G,20 1,F1,G,5 1,F1,G,1 1,F1,G,2 1,F1"));
}

TEST_F(AggregateTest, FootersCountEachRowOnce)
{
    band(btMasterData, 0, 20, q("Data"));
    // Data set mode: the whole data set at once, and back on the row.
    memo(0, 0, "[Amount] of [SUM([Data.Amount])]");
    band(btMasterFooter, 30, 20);
    memo(0, 30, "[SUM([Amount] * 2)]");
    memo(200, 30, "[SUM([Amount] * 2)]");
    band(btPageFooter, 60, 20);
    memo(0, 60, "P[SUM([Data.Amount])]");
    ASSERT_TRUE(build());
    EXPECT_EQ(allTexts(), q("10 of 38,20 of 38,5 of 38,1 of 38,2 of 38,76,76,P38"));
}

TEST_F(AggregateTest, EmptyDataGivesZeroesAndTheStartValues)
{
    band(btReportTitle, 0, 20);
    memo(0, 0, "[SUM([Empty.Amount])] [COUNT(Empty)] [MIN([Empty.Amount])] [MAX([Empty.Amount])]");
    band(btMasterData, 30, 20, q("Empty"));
    memo(0, 30, "[Amount]");
    band(btMasterFooter, 60, 20);
    memo(0, 60, "[AVG([Amount])]");
    band(btReportSummary, 90, 20);
    memo(0, 90, "[AVG([Amount])]");
    ASSERT_TRUE(build());
    EXPECT_EQ(allTexts(), q("0 0 1E200 -1E200,0"));
}

TEST_F(AggregateTest, NamedAndInvisibleDataBandsFilterTheRows)
{
    auto &master = band(btMasterData, 0, 20, q("Data"));
    master.Name = q("MasterBand");
    memo(0, 0, "M");
    auto &detail = band(btDetailData, 30, 20, q("3"));
    detail.Name = q("DetailBand");
    memo(0, 30, "D");
    band(btReportSummary, 60, 20);
    memo(0, 60, "[SUM([LINE#], DetailBand)] [COUNT(1, MasterBand)] [COUNT(1, 'detailband')] [COUNT(1)]");
    ASSERT_TRUE(build());
    EXPECT_EQ(texts(0).last(), q("30 5 15 20"));

    // An invisible band still gives its rows, to functions that ask for them.
    detail.Visible = false;
    report.Pages()[0].Objects.back()->Memo = strings({"[COUNT(1, DetailBand)] [COUNT(1, DetailBand, 1)]"});
    ASSERT_TRUE(build());
    EXPECT_EQ(texts(0).last(), q("0 15"));
}

TEST_F(AggregateTest, KeysAreExactAndNumbersReadBack)
{
    // SUM([Amount]) and SUM([Amount]) * 10 must not share an entry with
    // SUM([Amount] * 10); a fraction and a large sum read back unchanged.
    band(btMasterData, 0, 20, q("Data"));
    memo(0, 0, "r");
    band(btReportSummary, 30, 20);
    memo(0, 30, "[SUM([Amount])] [SUM([Amount] * 10)] [SUM([Amount] / 3) #N0.4] [SUM([Amount] * 1e15 / 1e15)]");
    ASSERT_TRUE(build());
    EXPECT_EQ(texts(0).last(), q("38 380 12.6667 38"));
}

} // namespace
