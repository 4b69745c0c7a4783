#include "report/building/TrpCrossLayout.h"

#include "report/building/TrpBand.h"
#include "report/building/TrpBuild.h"
#include "report/building/TrpPageBuilder.h"
#include "report/building/TrpReport.h"
#include "report/data/TrpDataset.h"
#include "report/objects/TrpBandView.h"
#include "report/objects/TrpMemoView.h"

using namespace TrpBandTypes;

namespace {

// Columns a cross data set may give before the layout stops with an error.
constexpr int MaxColumns = 10000;

} // namespace

std::unique_ptr<TrpCrossLayout> TrpCrossLayout::create(TrpBuild &build, TrpPageBuilder &page)
{
    if (!page.slot(btCrossData))
        return nullptr;
    auto layout = std::make_unique<TrpCrossLayout>(build, page);
    if (!layout->layOut())
        return nullptr;
    return layout;
}

TrpCrossLayout::TrpCrossLayout(TrpBuild &build, TrpPageBuilder &page)
    : m_build(build), m_page(page), m_header(page.slot(btCrossHeader)), m_data(page.slot(btCrossData)),
      m_footer(page.slot(btCrossFooter))
{}

// A cross data band that names a data set for each band has none of its
// own: the columns are those of the longest of the bands' data sets.
TrpDataset *TrpCrossLayout::columnDataset()
{
    if (m_data->dataset)
        return m_data->dataset;
    TrpDataset *longest = nullptr;
    int most = -1;
    for (TrpDataset *dataset : m_page.bandCrossDatasets()) {
        int rows = 0;
        bool ok = dataset->First();
        while (ok && !dataset->Eof() && rows < MaxColumns) {
            ++rows;
            ok = dataset->Next();
        }
        if (rows > most) {
            longest = dataset;
            most = rows;
        }
    }
    return longest;
}

bool TrpCrossLayout::layOut()
{
    TrpReport &report = m_build.report;
    if (TrpDataset *dataset = columnDataset()) {
        if (report.OnBeginColumn)
            report.OnBeginColumn(*m_data);
        bool ok = dataset->First();
        while (ok && !dataset->Eof()) {
            if (int(m_widths.size()) >= MaxColumns) {
                report.setBuildError(&m_data->view, m_data,
                                     {TrpError::Kind::Calculation, QStringLiteral("Too many cross columns"), -1});
                return false;
            }
            int width = m_data->width;
            if (report.OnPrintColumn)
                report.OnPrintColumn(int(m_widths.size()) + 1, width);
            m_widths.push_back(std::clamp(width, 1, TrpBand::CoordinateLimit));
            ok = dataset->Next();
        }
        if (dataset->failed()) {
            report.setBuildError(&m_data->view, m_data, dataset->error());
            return false;
        }
    }
    const qint32 footerWidth = m_footer ? m_footer->width : 0;
    const qint64 room = std::max<qint64>(1, qint64(m_page.rightLimit) - m_page.leftLimit - m_data->x - footerWidth);
    int first = 0;
    while (first < int(m_widths.size())) {
        qint64 used = m_widths[size_t(first)];
        int count = 1;
        while (first + count < int(m_widths.size()) && used + m_widths[size_t(first + count)] <= room)
            used += m_widths[size_t(first + count++)];
        m_groups.emplace_back(first, count);
        first += count;
    }
    if (m_groups.empty())
        m_groups.emplace_back(0, 0);
    return true;
}

bool TrpCrossLayout::seek(TrpDataset &dataset, int column, int &at)
{
    if (at < 0 || at > column) {
        if (!dataset.First())
            return false;
        at = 0;
    }
    while (at < column && !dataset.Eof()) {
        if (!dataset.Next())
            return false;
        ++at;
    }
    return !dataset.Eof();
}

bool TrpCrossLayout::writeAt(TrpView &view, TrpBand &band, qint32 x, qint32 top)
{
    if (!m_build.writer.prepare(view, band))
        return false;
    return m_build.writer.write(view, band, x, top + view.Top);
}

void TrpCrossLayout::writeBand(TrpBand &band, const std::vector<TrpView *> &objects, qint32 top, qint32)
{
    TrpReport &report = m_build.report;
    const qint32 offset = m_page.leftOffset;
    for (TrpView *view : objects) {
        TrpBand *strip = m_page.crossStripOf(view);
        if (strip && strip->type == btCrossHeader && !writeAt(*view, band, offset + view->Left, top))
            return;
    }
    const auto [first, count] = m_groups[size_t(m_group)];
    TrpDataset *dataset = band.crossDataset ? band.crossDataset : m_data->dataset;
    if (report.OnBeginColumn)
        report.OnBeginColumn(band);
    qint64 x = m_data->x;
    int at = -1;
    for (int column = first; column < first + count && dataset && !m_build.stopped(); ++column) {
        if (!seek(*dataset, column, at))
            break;
        m_build.crossColumn = m_page.crossColumn = column + 1;
        int width = m_widths[size_t(column)];
        if (report.OnPrintColumn)
            report.OnPrintColumn(column + 1, width);
        for (TrpView *view : objects) {
            if (m_page.crossStripOf(view) == m_data &&
                !writeAt(*view, band, TrpBand::position(offset + x + (view->Left - m_data->x)), top))
                break;
        }
        x += std::clamp(width, 1, TrpBand::CoordinateLimit);
    }
    m_build.crossColumn = 0;
    if (dataset && dataset->failed() && !report.hasError())
        report.setBuildError(&band.view, &band, dataset->error());
    if (!m_footer || m_build.stopped() || m_group != groupCount() - 1)
        return;
    // The footer sums over every column of the row, on all pages.
    at = -1;
    for (int column = 0; column < columnCount() && dataset && !m_build.stopped(); ++column) {
        if (!seek(*dataset, column, at) || !collectFooterStrip(band, objects, column + 1))
            break;
    }
    m_build.crossColumn = 0;
    m_build.inCrossFooter = true;
    for (TrpView *view : objects) {
        if (m_page.crossStripOf(view) == m_footer &&
            !writeAt(*view, band, TrpBand::position(offset + x + (view->Left - m_footer->x)), top))
            break;
    }
    m_build.inCrossFooter = false;
    m_footer->aggregates.reset();
}

// The cross footer collects one row per column: the band's memos on the
// footer strip are evaluated in aggregate mode with the column current.
bool TrpCrossLayout::collectFooterStrip(TrpBand &band, const std::vector<TrpView *> &objects, int column)
{
    m_footer->aggregates.beginRow();
    m_build.crossColumn = m_page.crossColumn = column;
    TrpBand *outer = m_build.band;
    m_build.collectingFooter = m_footer;
    m_build.collectingDataBand = &band;
    m_build.inCrossFooter = true;
    bool ok = true;
    for (TrpView *view : objects) {
        auto *memo = dynamic_cast<TrpMemoView *>(view);
        if (!memo || m_page.crossStripOf(view) != m_footer)
            continue;
        TrpError error;
        if (!memo->ExpandMemo(m_build.report, error)) {
            m_build.report.setBuildError(memo, &band, error);
            ok = false;
            break;
        }
    }
    m_build.inCrossFooter = false;
    m_build.collectingFooter = nullptr;
    m_build.collectingDataBand = nullptr;
    m_build.band = outer;
    return ok;
}

void TrpCrossLayout::collect(TrpBand &footer, TrpMemoView &memo)
{
    TrpBand *strip = m_page.crossStripOf(&memo);
    TrpError error;
    if (strip != m_data) {
        m_build.inCrossFooter = strip == m_footer;
        const bool ok = memo.ExpandMemo(m_build.report, error);
        m_build.inCrossFooter = false;
        if (!ok)
            m_build.report.setBuildError(&memo, &footer, error);
        return;
    }
    TrpDataset *dataset = footer.crossDataset ? footer.crossDataset : m_data->dataset;
    int at = -1;
    for (int column = 0; column < columnCount() && dataset; ++column) {
        if (!seek(*dataset, column, at))
            break;
        m_build.crossColumn = m_page.crossColumn = column + 1;
        if (!memo.ExpandMemo(m_build.report, error)) {
            m_build.report.setBuildError(&memo, &footer, error);
            break;
        }
    }
    m_build.crossColumn = 0;
}
