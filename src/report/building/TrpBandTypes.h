#pragma once

#include <QString>

// The kinds of band (the low byte of a band object's FrameTyp) and the names
// that error texts show for them.
namespace TrpBandTypes {

enum Type : int {
    btReportTitle = 0,
    btReportSummary = 1,
    btPageHeader = 2,
    btPageFooter = 3,
    btMasterHeader = 4,
    btMasterData = 5,
    btMasterFooter = 6,
    btDetailHeader = 7,
    btDetailData = 8,
    btDetailFooter = 9,
    btSubDetailHeader = 10,
    btSubDetailData = 11,
    btSubDetailFooter = 12,
    btOverlay = 13,
    btColumnHeader = 14,
    btColumnFooter = 15,
    btGroupHeader = 16,
    btGroupFooter = 17,
    btCrossHeader = 18,
    btCrossData = 19,
    btCrossFooter = 20,
    btNone = 21,
};
constexpr int Count = 22;

// The display name of a type; types out of range show as "none".
[[nodiscard]] QString displayName(int type);

[[nodiscard]] constexpr bool isDataBand(int type)
{
    return type == btMasterData || type == btDetailData || type == btSubDetailData;
}
[[nodiscard]] constexpr bool isCross(int type)
{
    return type >= btCrossHeader && type <= btCrossFooter;
}
// Bands whose aggregates collect the rows of the data bands.
[[nodiscard]] constexpr bool keepsAggregates(int type)
{
    return type == btReportSummary || type == btPageFooter || type == btMasterFooter || type == btDetailFooter ||
           type == btSubDetailFooter || type == btGroupFooter || type == btCrossFooter;
}
// The data band of a data level (0 master, 1 detail, 2 subdetail) and the
// header and footer around it.
[[nodiscard]] constexpr int dataOfLevel(int level)
{
    return btMasterData + 3 * level;
}

} // namespace TrpBandTypes
