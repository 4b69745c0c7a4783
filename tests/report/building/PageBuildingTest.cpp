#include "BuildFixture.h"

#include "report/data/TrpUserDataset.h"

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
