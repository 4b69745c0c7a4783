#pragma once

#include <QtGlobal>

#include <memory>
#include <vector>

class TrpBand;
class TrpBuild;
class TrpDataset;
class TrpMemoView;
class TrpPageBuilder;
class TrpView;

// The columns of a page with cross bands: one per row of the cross data
// set (the longest of the bands' own ones when the cross data band names
// one per band), as wide as OnPrintColumn leaves them, laid out left to right from
// the cross data strip. Columns that do not fit the page width form further
// groups; the page is built once per group, so the row bands print again
// for the columns that follow. The cross footer follows the last column.
class TrpCrossLayout
{
public:
    // Null when the page has no cross data band.
    [[nodiscard]] static std::unique_ptr<TrpCrossLayout> create(TrpBuild &build, TrpPageBuilder &page);

    TrpCrossLayout(TrpBuild &build, TrpPageBuilder &page);

    [[nodiscard]] int groupCount() const { return int(m_groups.size()); }
    void setGroup(int group) { m_group = group; }
    [[nodiscard]] int columnCount() const { return int(m_widths.size()); }

    // Writes the band's objects that lie on cross strips.
    void writeBand(TrpBand &band, const std::vector<TrpView *> &objects, qint32 top, qint32 height);
    // Collects a footer's memo that lies on a cross strip for the current row.
    void collect(TrpBand &footer, TrpMemoView &memo);

private:
    bool layOut();
    [[nodiscard]] TrpDataset *columnDataset();
    // Moves the data set to the column's row; false at its end or on failure.
    bool seek(TrpDataset &dataset, int column, int &at);
    bool writeAt(TrpView &view, TrpBand &band, qint32 x, qint32 top);
    bool collectFooterStrip(TrpBand &band, const std::vector<TrpView *> &objects, int column);

    TrpBuild &m_build;
    TrpPageBuilder &m_page;
    TrpBand *m_header = nullptr;
    TrpBand *m_data = nullptr;
    TrpBand *m_footer = nullptr;
    std::vector<qint32> m_widths;
    // First column and count of each group.
    std::vector<std::pair<int, int>> m_groups;
    int m_group = 0;
};
