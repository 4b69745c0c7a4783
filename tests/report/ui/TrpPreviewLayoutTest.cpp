#include "reportui/TrpPreviewLayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// An A4 page of "Default printer" at 100 %.
const QSize A4(752, 1071);

QList<QSize> pages(int count)
{
    return QList<QSize>(count, A4);
}

} // namespace

TEST(TrpPreviewLayout, PlacesPagesForEachZoomMode)
{
    struct Case
    {
        const char *name;
        int pages;
        QSize view;
        int mode;
        double factor;
        int perRow;
        QList<QPoint> corners; // of the first pages
        int horizontalMax;
        int verticalMax;
    };
    const Case cases[] = {
        // One page narrower than the view stands in the middle.
        {"one page centred", 1, {1000, 800}, TrpPreviewLayout::FixedZoom, 1.0, 1, {{124, 10}}, 0, 291},
        {"two side by side", 2, {1600, 800}, TrpPreviewLayout::FixedZoom, 1.0, 2, {{10, 10}, {772, 10}}, 0, 291},
        {"many in rows",
         5,
         {1600, 800},
         TrpPreviewLayout::FixedZoom,
         1.0,
         2,
         {{10, 10}, {772, 10}, {10, 1091}},
         0,
         2453},
        {"wider than the view", 1, {500, 800}, TrpPreviewLayout::FixedZoom, 1.0, 1, {{10, 10}}, 272, 291},
        {"page width", 3, {800, 600}, TrpPreviewLayout::PageWidth, 0.5, 1, {{10, 10}, {10, 1131}}, 0, 2773},
        {"whole page, one", 1, {800, 600}, TrpPreviewLayout::WholePage, 3.0, 1, {{196, 10}}, 0, 0},
        {"whole page, many", 4, {2000, 600}, TrpPreviewLayout::WholePage, 3.0, 1, {{796, 10}, {796, 600}}, 0, 1770},
        {"two pages", 3, {1000, 600}, TrpPreviewLayout::TwoPages, 3.0, 2, {{10, 10}, {505, 10}, {10, 711}}, 0, 812},
        {"two pages of one", 1, {1000, 600}, TrpPreviewLayout::TwoPages, 3.0, 2, {{10, 10}}, 0, 111},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TrpPreviewLayout layout;
        layout.compute(pages(c.pages), c.view, c.mode, c.factor, 0);
        EXPECT_EQ(layout.pagesPerRow(), c.perRow);
        ASSERT_EQ(layout.rects().size(), c.pages);
        for (qsizetype i = 0; i < c.corners.size(); ++i)
            EXPECT_EQ(layout.rect(int(i)).topLeft(), c.corners[i]) << i;
        EXPECT_EQ(layout.horizontalMax(), c.horizontalMax);
        EXPECT_EQ(layout.verticalMax(), c.verticalMax);
    }
}

TEST(TrpPreviewLayout, FactorsStayBetweenTenAndAThousandPercent)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Case
    {
        const char *name;
        int mode;
        double factor;
        QSize page;
        QSize view;
        double expected;
    };
    const Case cases[] = {
        {"stored zero", TrpPreviewLayout::FixedZoom, 0.0, A4, {800, 600}, 0.1},
        {"stored negative", TrpPreviewLayout::FixedZoom, -3.0, A4, {800, 600}, 0.1},
        {"stored infinity", TrpPreviewLayout::FixedZoom, inf, A4, {800, 600}, 10.0},
        {"stored NaN", TrpPreviewLayout::FixedZoom, std::nan(""), A4, {800, 600}, 1.0},
        {"page of size 0", TrpPreviewLayout::PageWidth, 1.0, {0, 0}, {800, 600}, 10.0},
        {"view of no width", TrpPreviewLayout::PageWidth, 1.0, A4, {0, 0}, 0.1},
        {"view of no height", TrpPreviewLayout::WholePage, 1.0, A4, {800, 0}, 0.1},
        {"two pages of size 0", TrpPreviewLayout::TwoPages, 1.0, {0, 0}, {800, 600}, 10.0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const double factor = TrpPreviewLayout::factorFor(c.mode, c.factor, c.page, c.view);
        EXPECT_DOUBLE_EQ(factor, c.expected);
        TrpPreviewLayout layout;
        layout.compute({c.page}, c.view, c.mode, c.factor, 0);
        EXPECT_DOUBLE_EQ(layout.factor(), c.expected);
    }
}

TEST(TrpPreviewLayout, FindsThePageAtALineAndTheBarPositionOfAPage)
{
    TrpPreviewLayout layout;
    layout.compute(pages(3), {900, 2000}, TrpPreviewLayout::FixedZoom, 1.0, 0);
    EXPECT_EQ(layout.pageAtLine(11), 0);
    EXPECT_EQ(layout.pageAtLine(1080), 0);
    EXPECT_EQ(layout.pageAtLine(1085), -1); // the gap between rows
    EXPECT_EQ(layout.pageAtLine(1091), 1);
    EXPECT_EQ(layout.verticalPositionOf(0), 0);
    EXPECT_EQ(layout.verticalPositionOf(1), 1081);
    // The last page cannot be scrolled past the range's end.
    EXPECT_EQ(layout.verticalPositionOf(2), layout.verticalMax());
}
