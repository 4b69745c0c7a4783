#include "report/building/TrpPageBuilder.h"

#include "report/building/TrpBand.h"
#include "report/building/TrpBandPrinter.h"
#include "report/building/TrpBuild.h"
#include "report/building/TrpCrossLayout.h"
#include "report/building/TrpReport.h"
#include "report/data/TrpDataset.h"
#include "report/data/TrpUserDataset.h"
#include "report/objects/TrpBandView.h"
#include "report/objects/TrpSubReportView.h"
#include "report/pages/TrpPage.h"

#include <QSet>

#include <algorithm>
#include <utility>

using namespace TrpBandTypes;

TrpPageBuilder::TrpPageBuilder(TrpBuild &build, TrpPage &page, int index) : m_build(build), m_page(page), m_index(index)
{}

TrpPageBuilder::~TrpPageBuilder() = default;

TrpBand *TrpPageBuilder::slot(int type) const
{
    return type >= 0 && type < Count ? m_slots[type] : nullptr;
}

bool TrpPageBuilder::setUp()
{
    if (!makeBands())
        return false;
    attachObjects();
    linkBands();
    computeLimits();
    if (!resolveDatasets())
        return false;
    m_cross = TrpCrossLayout::create(m_build, *this);
    return !m_build.stopped();
}

bool TrpPageBuilder::makeBands()
{
    std::vector<TrpBandView *> views;
    for (const std::unique_ptr<TrpView> &object : m_page.Objects) {
        if (auto *bandView = dynamic_cast<TrpBandView *>(object.get()))
            views.push_back(bandView);
    }
    // Chains run from top to bottom; cross strips come first.
    std::stable_sort(views.begin(), views.end(), [](const TrpBandView *a, const TrpBandView *b) {
        const bool crossA = isCross(a->BandType()), crossB = isCross(b->BandType());
        if (crossA != crossB)
            return crossA;
        if (a->BandType() != b->BandType())
            return a->BandType() < b->BandType();
        return crossA ? a->Left < b->Left : a->Top < b->Top;
    });
    TrpBand *last[Count] = {};
    for (TrpBandView *bandView : views) {
        const int type = bandView->BandType() < Count ? bandView->BandType() : int(btNone);
        auto band = std::make_unique<TrpBand>(*bandView);
        band->type = type;
        band->y = TrpBand::bounded(bandView->Top);
        band->designHeight = std::max(0, TrpBand::bounded(bandView->Height));
        band->x = TrpBand::bounded(bandView->Left);
        band->width = std::max(0, TrpBand::bounded(bandView->Width));
        const quint16 flags = bandView->Flags;
        band->stretched = flags & TrpBandView::bfStretched;
        band->startNewPage = (flags & TrpBandView::bfStartNewPage) && !skip;
        band->allowSplit = (flags & TrpBandView::bfAllowSplit) && !skip;
        band->printIfDetailEmpty = flags & TrpBandView::bfPrintIfDetailEmpty;
        band->reprintOnNewPage = flags & TrpBandView::bfReprintOnNewPage;
        if (type == btGroupHeader)
            band->condition = bandView->FormatStr;
        if (isDataBand(type))
            band->lineThrough = 1;
        if (last[type])
            last[type]->next = band.get();
        else
            m_slots[type] = band.get();
        last[type] = band.get();
        m_bands.push_back(std::move(band));
    }
    return true;
}

void TrpPageBuilder::attachObjects()
{
    QSet<const TrpView *> attached;
    std::vector<TrpView *> ordinary;
    std::vector<TrpView *> subreports;
    for (const std::unique_ptr<TrpView> &object : m_page.Objects) {
        if (dynamic_cast<TrpBandView *>(object.get()))
            continue;
        object->Left = TrpBand::bounded(object->Left);
        object->Top = TrpBand::bounded(object->Top);
        object->Width = TrpBand::bounded(object->Width);
        object->Height = TrpBand::bounded(object->Height);
        (dynamic_cast<TrpSubReportView *>(object.get()) ? subreports : ordinary).push_back(object.get());
    }
    for (const std::unique_ptr<TrpBand> &strip : m_bands) {
        if (!isCross(strip->type))
            continue;
        for (TrpView *view : ordinary) {
            if (attached.contains(view) || view->Left < strip->x ||
                qint64(view->Left) + view->Width > qint64(strip->x) + strip->width)
                continue;
            attached.insert(view);
            m_crossStrip.insert(view, strip.get());
        }
    }
    QSet<const TrpView *> placed;
    auto within = [](const TrpBand &band, const TrpView &view) {
        return view.Top >= band.y && qint64(view.Top) <= qint64(band.y) + band.designHeight;
    };
    for (const std::unique_ptr<TrpBand> &band : m_bands) {
        if (isCross(band->type))
            continue;
        for (TrpView *view : ordinary) {
            if (placed.contains(view) || !within(*band, *view))
                continue;
            if (attached.contains(view) && !m_crossStrip.contains(view))
                continue;
            attached.insert(view);
            placed.insert(view);
            view->Top -= band->y;
            band->objects.push_back(view);
        }
        for (TrpView *view : subreports) {
            if (placed.contains(view) || !within(*band, *view))
                continue;
            placed.insert(view);
            view->Top -= band->y;
            band->objects.push_back(view);
        }
    }
}

void TrpPageBuilder::linkBands()
{
    for (int level = 0; level < 3; ++level) {
        TrpBand *data = m_slots[dataOfLevel(level)];
        if (!data)
            continue;
        data->header = m_slots[dataOfLevel(level) - 1];
        data->footer = m_slots[dataOfLevel(level) + 1];
    }
    for (TrpBand *group = m_slots[btGroupHeader]; group; group = group->next)
        groups.push_back(group);
    // The innermost header (the lowest) takes the topmost footer.
    TrpBand *footer = m_slots[btGroupFooter];
    for (auto it = groups.rbegin(); it != groups.rend() && footer; ++it, footer = footer->next)
        (*it)->groupFooter = footer;
}

void TrpPageBuilder::computeLimits()
{
    // Page coordinates start at the printable area's corner; the margins
    // lie inside that area, so nothing laid out within them is cut.
    const auto &m = m_page.PrnInfo;
    leftLimit = 0;
    topLimit = 0;
    rightLimit = m.printableWidth;
    bottomLimit = m.printableHeight;
    if (m_page.UseMargins) {
        leftLimit = TrpBand::bounded(m_page.Margins.Left);
        topLimit = TrpBand::bounded(m_page.Margins.Top);
        rightLimit = TrpBand::bounded(qint64(m.printableWidth) - m_page.Margins.Right);
        bottomLimit = TrpBand::bounded(qint64(m.printableHeight) - m_page.Margins.Bottom);
    }
    if (const TrpBand *footer = m_slots[btPageFooter]; footer && footer->view.Visible && !footer->objects.empty())
        bottomLimit -= footer->designHeight;
    bottomLimit = std::max(bottomLimit, topLimit + 1);
    rightLimit = std::max(rightLimit, leftLimit + 1);
    columnCount = std::clamp(m_page.ColumnCount, 1, rightLimit - leftLimit);
    columnWidth = (rightLimit - leftLimit) / columnCount;
}

bool TrpPageBuilder::resolveSource(TrpBand &band, const QString &source, TrpDataset *&dataset,
                                   std::unique_ptr<TrpDataset> &owned)
{
    if (source.contains(QLatin1Char(';')) || source.isEmpty())
        return true;
    if (source[0] >= QLatin1Char('1') && source[0] <= QLatin1Char('9')) {
        qsizetype digits = 0;
        while (digits < source.size() && source[digits].isDigit() && digits < 9)
            ++digits;
        auto counted = std::make_unique<TrpUserDataset>();
        counted->setObjectName(band.name());
        counted->RangeEnd = reCount;
        counted->RangeEndCount = source.left(digits).toInt();
        owned = std::move(counted);
        dataset = owned.get();
    } else {
        dataset = m_build.report.findDataset(source);
    }
    if (dataset && !dataset->Init()) {
        m_build.report.setBuildError(&band.view, &band, dataset->error());
        return false;
    }
    return true;
}

bool TrpPageBuilder::resolveDatasets()
{
    TrpBand *crossData = m_slots[btCrossData];
    for (const std::unique_ptr<TrpBand> &band : m_bands) {
        if (!isDataBand(band->type) && band->type != btCrossData)
            continue;
        if (!resolveSource(*band, band->view.FormatStr, band->dataset, band->ownDataset))
            return false;
        if (band->type == btMasterData && !band->dataset && m_build.report.ReportType == rtSimple &&
            m_build.report.Dataset) {
            band->dataset = m_build.report.Dataset;
            if (!band->dataset->Init()) {
                m_build.report.setBuildError(&band->view, band.get(), band->dataset->error());
                return false;
            }
        }
    }
    if (!crossData)
        return true;
    const QString &pairs = crossData->view.FormatStr;
    for (const std::unique_ptr<TrpBand> &band : m_bands) {
        if (band->type < btMasterHeader || band->type > btGroupFooter)
            continue;
        band->crossDataset = crossData->dataset;
        if (!pairs.contains(QLatin1Char(';')))
            continue;
        band->crossDataset = nullptr;
        for (const QString &pair : pairs.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const qsizetype equals = pair.indexOf(QLatin1Char('='));
            if (equals <= 0 || pair.left(equals).trimmed().compare(band->name(), Qt::CaseInsensitive) != 0)
                continue;
            if (!resolveSource(*band, pair.mid(equals + 1).trimmed(), band->crossDataset, band->ownCrossDataset))
                return false;
        }
    }
    return true;
}

std::vector<TrpDataset *> TrpPageBuilder::bandCrossDatasets() const
{
    std::vector<TrpDataset *> datasets;
    for (const std::unique_ptr<TrpBand> &band : m_bands) {
        if (band->crossDataset && std::find(datasets.begin(), datasets.end(), band->crossDataset) == datasets.end())
            datasets.push_back(band->crossDataset);
    }
    return datasets;
}

void TrpPageBuilder::exitDatasets()
{
    QSet<TrpDataset *> done;
    for (const std::unique_ptr<TrpBand> &band : m_bands) {
        for (TrpDataset *dataset : {band->dataset, band->crossDataset}) {
            if (dataset && !done.contains(dataset)) {
                done.insert(dataset);
                dataset->Exit();
            }
        }
    }
}

void TrpPageBuilder::startPage()
{
    m_build.startPage(m_page);
    curY = topLimit;
    column = 0;
    leftOffset = leftLimit;
    columnTop = curY;
    freshY = curY;
    outputBand(m_slots[btOverlay]);
}

void TrpPageBuilder::build(TrpPageBuilder *continueFrom, bool keepOpen)
{
    const int groupCount = m_cross ? m_cross->groupCount() : 1;
    for (int group = 0; group < groupCount && !m_build.stopped(); ++group) {
        if (m_cross)
            m_cross->setGroup(group);
        m_build.page = this;
        current = 1;
        crossColumn = 1;
        const bool continues = continueFrom && group == 0;
        if (continues) {
            // Below the previous page's bands, inside this page's own
            // margins; a band that does not fit there goes to a new page.
            curY = continueFrom->curY;
            freshY = continueFrom->freshY;
            columnTop = curY;
            column = 0;
            leftOffset = leftLimit;
        } else {
            startPage();
        }
        if (m_build.report.OnManualBuild) {
            m_build.report.OnManualBuild(m_page);
        } else {
            const int pageNo = m_build.PageNo;
            outputBand(m_slots[btReportTitle]);
            if (m_build.PageNo == pageNo) {
                if (TrpBand *header = m_slots[btPageHeader];
                    header && !header->objects.empty() && (header->view.Flags & TrpBandView::bfPrintOnFirstPage))
                    outputBand(header);
                outputBand(m_slots[btColumnHeader]);
            }
            dataLoop(0);
            outputBand(m_slots[btColumnFooter]);
            outputBand(m_slots[btReportSummary]);
        }
        if (keepOpen && group == groupCount - 1)
            return;
        continueTexts();
        const TrpBand *footer = m_slots[btPageFooter];
        if (footer && !footer->objects.empty() && (footer->view.Flags & TrpBandView::bfPrintOnLastPage))
            finishPage();
        else {
            if (m_build.report.OnEndPage)
                m_build.report.OnEndPage(m_build.PageNo);
            ++m_build.PageNo;
        }
    }
}

void TrpPageBuilder::finishPage()
{
    if (m_build.report.OnEndPage)
        m_build.report.OnEndPage(m_build.PageNo);
    TrpBand *footer = m_slots[btPageFooter];
    if (footer && (m_build.PageNo > 0 || (footer->view.Flags & TrpBandView::bfPrintOnFirstPage)))
        outputBand(footer);
    ++m_build.PageNo;
}

void TrpPageBuilder::continueTexts()
{
    if (m_build.continued.empty() || m_build.stopped())
        return;
    std::vector<TrpContinued> strips = std::exchange(m_build.continued, {});
    newPage();
    for (TrpContinued &strip : strips) {
        if (m_build.stopped())
            return;
        TrpBandPrinter(m_build, *this).printContinued(strip);
    }
}

void TrpPageBuilder::newPage()
{
    if (m_build.stopped())
        return;
    const bool wasBreaking = breaking;
    breaking = true;
    outputBand(m_slots[btColumnFooter]);
    finishPage();
    startPage();
    outputBand(m_slots[btPageHeader]);
    outputBand(m_slots[btColumnHeader]);
    freshY = curY;
    breaking = wasBreaking;
}

void TrpPageBuilder::newColumn(TrpBand *cause)
{
    if (m_build.stopped())
        return;
    if (column < columnCount - 1) {
        const bool wasBreaking = breaking;
        breaking = true;
        outputBand(m_slots[btColumnFooter]);
        ++column;
        leftOffset = TrpBand::position(qint64(leftOffset) + columnWidth + TrpBand::bounded(m_page.ColumnGap));
        curY = columnTop;
        outputBand(m_slots[btColumnHeader]);
        breaking = wasBreaking;
    } else {
        newPage();
    }
    reprintHeaders(cause);
    freshY = curY;
}

void TrpPageBuilder::reprintHeaders(TrpBand *cause)
{
    if (!cause || m_reprinting)
        return;
    m_reprinting = true;
    const bool wasBreaking = breaking;
    breaking = true;
    auto reprint = [this](TrpBand *header) {
        if (!header || !header->reprintOnNewPage)
            return;
        header->reprinting = true;
        outputBand(header);
        header->reprinting = false;
    };
    for (TrpBand *group : groups) {
        if (group == cause)
            break;
        reprint(group);
    }
    if (isDataBand(cause->type))
        reprint(cause->header);
    breaking = wasBreaking;
    m_reprinting = false;
}

void TrpPageBuilder::outputBand(TrpBand *band)
{
    if (band && !m_build.stopped())
        TrpBandPrinter(m_build, *this).print(*band);
}

void TrpPageBuilder::queue(TrpBand *band)
{
    if (band)
        m_pending.push_back(band);
}

void TrpPageBuilder::outputPending()
{
    const std::vector<TrpBand *> pending = std::move(m_pending);
    m_pending.clear();
    for (size_t i = 0; i < pending.size(); ++i) {
        const int type = pending[i]->type;
        const bool heading = type == btMasterHeader || type == btDetailHeader || type == btSubDetailHeader;
        keepWithNext = heading && i + 1 < pending.size() ? pending[i + 1]->designHeight : 0;
        outputBand(pending[i]);
    }
    keepWithNext = 0;
}

bool TrpPageBuilder::datasetFailed(TrpDataset &dataset)
{
    if (!dataset.failed())
        return false;
    if (!m_build.report.hasError())
        m_build.report.setBuildError(nullptr, m_build.band, dataset.error());
    return true;
}

void TrpPageBuilder::dataLoop(int level)
{
    for (TrpBand *band = m_slots[dataOfLevel(level)]; band && !m_build.stopped(); band = band->next) {
        if (!band->dataset)
            continue;
        TrpDataset &dataset = *band->dataset;
        const size_t start = m_pending.size();
        if (!dataset.First() && datasetFailed(dataset))
            return;
        band->lineNo = 1;
        for (TrpBand *group : groups)
            group->lineNo = group->lineThrough = 0;
        const bool empty = dataset.Eof();
        if (datasetFailed(dataset))
            return;
        if (!empty) {
            if (level == 0)
                for (TrpBand *group : groups)
                    outputBand(group);
            queue(band->header);
            if (band->footer)
                band->footer->aggregates.reset();
        }
        while (!dataset.Eof() && !m_build.stopped()) {
            m_build.checkCancel();
            const bool counted = walkRow(*band, level);
            if (!dataset.Next() && datasetFailed(dataset))
                return;
            const bool ended = dataset.Eof();
            if (level == 0 && !groups.empty())
                checkGroups(*band, dataset);
            if (counted) {
                ++current;
                ++band->lineThrough;
                ++band->lineNo;
                if (!ended && band->startNewPage)
                    newColumn(band);
            }
        }
        if (datasetFailed(dataset) || empty)
            continue;
        if (m_pending.size() > start)
            m_pending.resize(start);
        else if (level > 0 || groups.empty())
            outputBand(band->footer);
    }
}

bool TrpPageBuilder::walkRow(TrpBand &band, int level)
{
    m_build.dataBand = &band;
    const size_t mark = m_pending.size();
    queue(&band);
    if (level < 2 && m_slots[dataOfLevel(level + 1)]) {
        dataLoop(level + 1);
        m_build.dataBand = &band;
        if (m_pending.size() > mark) {
            if (!band.printIfDetailEmpty) {
                m_pending.resize(mark);
                return false;
            }
            outputPending();
        }
    } else {
        outputPending();
    }
    return true;
}

void TrpPageBuilder::checkGroups(TrpBand &band, TrpDataset &dataset)
{
    const bool ended = dataset.Eof();
    size_t changed = groups.size();
    for (size_t i = 0; i < groups.size() && changed == groups.size(); ++i) {
        if (ended) {
            changed = i;
            break;
        }
        m_build.band = groups[i];
        const std::optional<Variant> value = m_build.report.parser().Calc(groups[i]->condition);
        if (!value) {
            m_build.report.setBuildError(&groups[i]->view, groups[i], m_build.report.parser().error());
            return;
        }
        if (!(*value == groups[i]->lastValue))
            changed = i;
    }
    if (changed == groups.size())
        return;
    outputBand(band.footer);
    for (size_t i = groups.size(); i-- > changed;) {
        outputBand(groups[i]->groupFooter);
        if (i > changed)
            groups[i]->lineNo = 0;
    }
    if (ended)
        return;
    if (groups[changed]->startNewPage)
        newPage();
    for (size_t i = changed; i < groups.size(); ++i)
        outputBand(groups[i]);
    // The row count that follows makes the next row the group's first.
    band.lineNo = 0;
    outputBand(band.header);
}

void TrpPageBuilder::record(TrpRecorder &target, qint32 left)
{
    TrpPageBuilder *outer = m_build.page;
    const qint32 savedY = curY, savedBottom = bottomLimit, savedLeft = leftOffset, savedFresh = freshY;
    const int savedColumns = columnCount, savedColumn = column;
    TrpRecorder *savedRecorder = recorder;
    recorder = &target;
    m_build.page = this;
    curY = 0;
    freshY = 0;
    bottomLimit = std::numeric_limits<qint32>::max() / 4;
    leftOffset = left;
    columnCount = 1;
    column = 0;
    current = 1;
    outputBand(m_slots[btReportTitle]);
    dataLoop(0);
    outputBand(m_slots[btReportSummary]);
    recorder = savedRecorder;
    curY = savedY;
    bottomLimit = savedBottom;
    leftOffset = savedLeft;
    freshY = savedFresh;
    columnCount = savedColumns;
    column = savedColumn;
    m_build.page = outer;
}
