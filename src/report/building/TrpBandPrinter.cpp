#include "report/building/TrpBandPrinter.h"

#include "report/building/TrpBand.h"
#include "report/building/TrpBuild.h"
#include "report/building/TrpContinued.h"
#include "report/building/TrpCrossLayout.h"
#include "report/building/TrpPageBuilder.h"
#include "report/building/TrpReport.h"
#include "report/building/TrpSubReports.h"
#include "report/objects/TrpBandView.h"
#include "report/objects/TrpLineView.h"
#include "report/objects/TrpMemoView.h"
#include "report/objects/TrpSubReportView.h"

#include <utility>

using namespace TrpBandTypes;

namespace {

bool placedAtDesign(int type)
{
    return type == btPageFooter || type == btOverlay || type == btNone;
}

bool takesBandHeight(const TrpView &view)
{
    return (view.Flags & TrpView::flStretched) &&
           (dynamic_cast<const TrpStretcheable *>(&view) || dynamic_cast<const TrpLineView *>(&view));
}

} // namespace

TrpBandPrinter::TrpBandPrinter(TrpBuild &build, TrpPageBuilder &page) : m_build(build), m_page(page) {}

void TrpBandPrinter::print(TrpBand &band)
{
    TrpBand *outer = m_build.band;
    m_build.band = &band;
    if (m_build.report.OnBeginBand)
        m_build.report.OnBeginBand(band);
    m_build.newPageRequested = m_build.newColumnRequested = false;
    band.objectNewPage = band.objectNewColumn = false;
    if (!m_build.runScript(band.view, &band)) {
        m_build.band = outer;
        return;
    }
    const bool pageRequest = m_build.newPageRequested, columnRequest = m_build.newColumnRequested;
    m_build.newPageRequested = m_build.newColumnRequested = false;
    breakAsked(band, pageRequest, columnRequest);
    if (band.type == btGroupHeader) {
        ++band.lineNo;
        ++band.lineThrough;
    }
    if (band.view.Visible && !band.objects.empty() && !m_build.stopped())
        draw(band);
    if (isDataBand(band.type) && !m_build.stopped()) {
        if (band.dataset) {
            for (TrpBand *next = band.next; next && !next->dataset && !m_build.stopped(); next = next->next)
                print(*next);
            collectAggregates(band);
        }
    }
    finish(band);
    m_build.band = outer;
}

void TrpBandPrinter::breakAsked(TrpBand &band, bool page, bool column)
{
    if (!(page || column) || m_page.recorder)
        return;
    if (page)
        m_page.column = m_page.columnCount - 1;
    m_page.newColumn(&band);
}

void TrpBandPrinter::finish(TrpBand &band)
{
    const bool pageAsked = std::exchange(band.objectNewPage, false);
    const bool columnAsked = std::exchange(band.objectNewColumn, false);
    if (m_build.stopped())
        return;
    // The bands a break outputs ask for no further break.
    if ((pageAsked || columnAsked) && !m_page.breaking)
        breakAsked(band, pageAsked, columnAsked);
    else if (band.startNewPage && !isDataBand(band.type) && band.type != btGroupHeader && !m_page.breaking &&
             !m_page.recorder)
        m_page.newPage();
    if (!band.reprinting && keepsAggregates(band.type))
        band.aggregates.reset();
    if (band.type == btGroupHeader) {
        if (band.groupFooter && !band.reprinting)
            band.groupFooter->aggregates.reset();
        m_build.band = &band;
        const std::optional<Variant> value = m_build.report.parser().Calc(band.condition);
        if (!value) {
            m_build.report.setBuildError(&band.view, &band, m_build.report.parser().error());
            return;
        }
        band.lastValue = *value;
    }
    if (m_build.report.OnEndBand)
        m_build.report.OnEndBand(band);
}

bool TrpBandPrinter::forObjects(TrpBand &band, const std::vector<TrpView *> &objects,
                                bool (TrpObjectWriter::*step)(TrpView &, TrpBand &))
{
    for (TrpView *view : objects) {
        if (!(m_build.writer.*step)(*view, band))
            return false;
    }
    return true;
}

qint32 TrpBandPrinter::heightOf(TrpBand &band, const std::vector<TrpView *> &objects) const
{
    if (!band.stretched)
        return band.designHeight;
    qint64 bottom = 0;
    for (const TrpView *view : objects) {
        if (!view->Visible)
            continue;
        if (const auto *stretch = dynamic_cast<const TrpStretcheable *>(view);
            stretch && (view->Flags & TrpView::flStretched))
            bottom = std::max(bottom, qint64(view->Top) + stretchedHeight(*view, *stretch));
        else if (!takesBandHeight(*view))
            bottom = std::max(bottom, qint64(view->Top) + view->Height);
    }
    return qint32(std::clamp<qint64>(bottom, 0, 1 << 24));
}

qint32 TrpBandPrinter::stretchedHeight(const TrpView &view, const TrpStretcheable &stretch)
{
    const qint32 height = stretch.CalcHeight();
    // A text that holds in its box as drawn does not grow it for the
    // spacing below its last line.
    const auto *memo = dynamic_cast<const TrpMemoView *>(&view);
    if (memo && height > view.Height && !(memo->Adjust & TrpMemoView::adRotated) &&
        memo->fitsAt(QSizeF(view.Width, view.Height), memo->ownSize()))
        return view.Height;
    return height;
}

bool TrpBandPrinter::holdsIn(const std::vector<TrpView *> &objects, qint32 height) const
{
    for (const TrpView *view : objects) {
        if (!view->Visible)
            continue;
        const auto *memo = dynamic_cast<const TrpMemoView *>(view);
        if (!takesBandHeight(*view)) {
            if (qint64(view->Top) + view->Height > height)
                return false;
        } else if (memo && !memo->ExpandedMemo.join(QString()).isEmpty()) {
            const QSizeF box(view->Width, double(height) - view->Top);
            const QSizeF upright = (memo->Adjust & TrpMemoView::adRotated) ? box.transposed() : box;
            if (box.height() <= 0 || !memo->fitsAt(upright, memo->smallestSize()))
                return false;
        }
    }
    return true;
}

qint32 TrpBandPrinter::chainHeight(TrpBand &band) const
{
    qint64 height = 0;
    if (isDataBand(band.type) && band.dataset) {
        for (const TrpBand *next = band.next; next && !next->dataset; next = next->next) {
            if (next->view.Visible && !next->objects.empty())
                height += next->designHeight;
        }
    }
    return qint32(std::min<qint64>(height, 1 << 24));
}

void TrpBandPrinter::draw(TrpBand &band)
{
    std::vector<TrpView *> ordinary;
    std::vector<TrpView *> subreports;
    std::vector<TrpView *> cross;
    for (TrpView *view : band.objects) {
        if (dynamic_cast<TrpSubReportView *>(view))
            subreports.push_back(view);
        else if (m_page.crossStripOf(view))
            cross.push_back(view);
        else
            ordinary.push_back(view);
    }
    const qint32 keep = std::exchange(m_page.keepWithNext, 0);
    if (!forObjects(band, ordinary, &TrpObjectWriter::prepare))
        return;
    if (band.type == btColumnHeader)
        m_page.columnTop = m_page.curY;
    const bool design = placedAtDesign(band.type);
    qint32 height = design ? band.designHeight : heightOf(band, ordinary);
    // Overlays keep their place on the page, measured from the margins.
    qint32 top = band.type == btPageFooter ? m_page.bottomLimit
                 : design                  ? TrpBand::position(qint64(m_page.topLimit) + band.y)
                                           : m_page.curY;
    const TrpBand *columnFooter = m_page.slot(btColumnFooter);
    const qint32 reserve = (columnFooter && &band != columnFooter) ? columnFooter->designHeight : 0;
    const qint32 limit = m_page.bottomLimit - reserve;
    qint32 clipBottom = std::numeric_limits<qint32>::max();
    const qint64 needed = qint64(top) + height + chainHeight(band);
    // The height kept for the band that follows decides only whether this
    // one moves to the next page: a heading that fits is not split for it.
    if (!design && !m_page.recorder && needed + keep > limit) {
        if (needed > limit && band.allowSplit && !m_page.breaking && cross.empty() && subreports.empty()) {
            drawSplit(band, ordinary, height);
            return;
        }
        // A band stretched by its texts that would hold them in its own
        // height at a smaller size keeps that height where it fits, rather
        // than start a page of its own.
        const qint64 room = qint64(limit) - top - chainHeight(band);
        const bool squeezed = needed > limit && keep == 0 && band.stretched && top > m_page.freshY &&
                              !m_page.breaking && cross.empty() && subreports.empty() &&
                              band.designHeight <= room && holdsIn(ordinary, band.designHeight);
        if (squeezed)
            height = band.designHeight;
        else if (top > m_page.freshY && !m_page.breaking) {
            m_page.newColumn(&band);
            if (m_build.stopped() || !forObjects(band, ordinary, &TrpObjectWriter::refresh))
                return;
            top = m_page.curY;
        }
        if (qint64(top) + height > limit) {
            // Stretched by its texts beyond a whole page: they go on over
            // the pages that follow rather than being cut at the foot.
            if (band.stretched && !m_page.breaking && cross.empty() && subreports.empty()) {
                drawSplit(band, ordinary, height);
                return;
            }
            clipBottom = std::max(limit, top + 1);
        }
    }
    if (m_page.recorder) {
        m_build.writer.beginRecordedStep(height);
        top = 0;
    }
    const std::vector<HeldMemo> held =
        design || m_page.recorder || m_page.breaking ? std::vector<HeldMemo>() : holdOver(band, ordinary, height);
    writeObjects(band, ordinary, top, height, clipBottom);
    for (const HeldMemo &memo : held) {
        memo.view->ExpandedMemo = memo.text;
        memo.view->Flags = memo.flags;
    }
    if (!cross.empty() && m_page.crossLayout())
        m_page.crossLayout()->writeBand(band, cross, top, height);
    qint32 bottom = TrpBand::position(qint64(top) + height);
    if (!subreports.empty() && !m_build.stopped())
        bottom = std::max(bottom, TrpSubReports(m_build, m_page).run(band, subreports, top));
    if (!design) {
        if (m_page.recorder)
            m_page.curY = TrpBand::position(qint64(m_page.curY) + std::max(height, bottom));
        else
            m_page.curY = std::max(m_page.curY, bottom);
    }
}

qint32 TrpBandPrinter::drawnHeight(const TrpBand &band, const TrpView &view, qint32 height)
{
    return band.stretched && takesBandHeight(view) ? std::max(0, height - view.Top) : view.Height;
}

std::vector<TrpBandPrinter::HeldMemo> TrpBandPrinter::holdOver(TrpBand &band, const std::vector<TrpView *> &objects,
                                                               qint32 height)
{
    std::vector<std::pair<TrpMemoView *, TrpMemoView::Overflow>> over;
    for (TrpView *view : objects) {
        auto *memo = dynamic_cast<TrpMemoView *>(view);
        if (!memo || !view->Visible)
            continue;
        if (std::optional<TrpMemoView::Overflow> cut =
                memo->overflow(QSizeF(view->Width, drawnHeight(band, *view, height))))
            over.emplace_back(memo, std::move(*cut));
    }
    std::vector<HeldMemo> held;
    if (over.empty())
        return held;
    for (auto &[memo, cut] : over) {
        const qint32 top = memo->Top;
        const qint32 bottom = top + drawnHeight(band, *memo, height);
        TrpContinued strip{&band, {}, bottom - top};
        for (TrpView *view : objects) {
            const qint32 viewBottom = view->Top + drawnHeight(band, *view, height);
            if (!view->Visible || view->Top < top || viewBottom > bottom)
                continue;
            std::unique_ptr<TrpView> copy = view->clone();
            copy->Top -= top;
            copy->Height = viewBottom - view->Top;
            if (view->Top == top && viewBottom == bottom)
                copy->Flags |= TrpView::flStretched;
            if (view == memo)
                copy->ExpandedMemo = cut.rest;
            strip.objects.push_back(std::move(copy));
        }
        m_build.continued.push_back(std::move(strip));
    }
    for (auto &[memo, cut] : over) {
        held.push_back({memo, memo->ExpandedMemo, memo->Flags});
        memo->ExpandedMemo = std::move(cut.shown);
        memo->Flags &= quint16(~TrpView::flWordWrap);
    }
    return held;
}

void TrpBandPrinter::printContinued(TrpContinued &strip)
{
    std::vector<TrpView *> objects;
    // A strip whose heading and first lines do not fit below what stands
    // on the page starts the next one.
    qint32 first = 0;
    for (const std::unique_ptr<TrpView> &view : strip.objects) {
        objects.push_back(view.get());
        if (const auto *memo = dynamic_cast<const TrpMemoView *>(view.get()))
            first = std::max(first, std::min(memo->CalcHeight(), 2 * memo->lineHeight() + 2 * TrpMemoView::GapY));
    }
    const TrpBand *columnFooter = m_page.slot(btColumnFooter);
    const qint32 limit = m_page.bottomLimit - (columnFooter ? columnFooter->designHeight : 0);
    if (m_page.curY > m_page.freshY && qint64(m_page.curY) + first > limit)
        m_page.newColumn(nullptr);
    TrpBand *outer = m_build.band;
    m_build.band = strip.band;
    drawSplit(*strip.band, objects, strip.height, true);
    m_build.band = outer;
}

void TrpBandPrinter::writeObjects(TrpBand &band, const std::vector<TrpView *> &objects, qint32 top, qint32 height,
                                  qint32 clipBottom)
{
    for (TrpView *view : objects) {
        if (m_build.stopped())
            return;
        const qint32 savedHeight = view->Height;
        view->Height = drawnHeight(band, *view, height);
        const qint64 y = qint64(top) + view->Top;
        if (y < clipBottom) {
            if (y + view->Height > clipBottom)
                view->Height = qint32(clipBottom - y);
            m_build.writer.write(*view, band, m_page.leftOffset + view->Left, qint32(y));
        }
        view->Height = savedHeight;
    }
}

void TrpBandPrinter::collectAggregates(TrpBand &dataBand)
{
    static constexpr int footers[] = {btPageFooter,      btMasterFooter, btDetailFooter,
                                      btSubDetailFooter, btGroupFooter,  btReportSummary};
    for (const int type : footers) {
        for (TrpBand *footer = m_page.slot(type); footer && !m_build.stopped(); footer = footer->next)
            collectInto(*footer, dataBand);
    }
}

void TrpBandPrinter::collectInto(TrpBand &footer, TrpBand &dataBand)
{
    footer.aggregates.beginRow();
    TrpBand *outer = m_build.band;
    m_build.band = &footer;
    m_build.collectingFooter = &footer;
    m_build.collectingDataBand = &dataBand;
    for (TrpView *view : footer.objects) {
        auto *memo = dynamic_cast<TrpMemoView *>(view);
        if (!memo || !memo->Memo.join(QString()).contains(QLatin1Char('(')))
            continue;
        if (m_page.crossStripOf(view)) {
            if (m_page.crossLayout())
                m_page.crossLayout()->collect(footer, *memo);
            continue;
        }
        TrpError error;
        if (!memo->ExpandMemo(m_build.report, error)) {
            m_build.collectingFooter = nullptr;
            m_build.report.setBuildError(memo, &footer, error);
            break;
        }
    }
    m_build.collectingFooter = nullptr;
    m_build.collectingDataBand = nullptr;
    m_build.band = outer;
}

// Each pass fills the space left on the page: objects that fit are written
// whole, memos crossing the limit write the lines that fit and go on with
// the rest, other objects move to the next page. An object that does not
// fit even at the top of a page is written clipped, so every pass makes
// progress. In a stretched band the stretched memos that end in a pass
// reach down to what the pass used, as in a band drawn whole, and those
// standing at the band's top (a box's heading) are written again beside
// the text that goes on.
void TrpBandPrinter::drawSplit(TrpBand &band, const std::vector<TrpView *> &objects, qint32 height, bool continued)
{
    const bool stretched = band.stretched || continued;
    struct Piece
    {
        TrpView *view;
        qint32 top;
        qint32 height;
        QStringList lines;
        qsizetype done = 0;
        bool pending = true;
        bool stretches = false;
        bool heading = false;
    };
    std::vector<Piece> pieces;
    for (TrpView *view : objects) {
        if (!view->Visible)
            continue;
        Piece piece{view, view->Top, view->Height, {}, 0, true, false, false};
        if (auto *memo = dynamic_cast<TrpMemoView *>(view)) {
            if (stretched && (view->Flags & TrpView::flStretched)) {
                piece.height = memo->CalcHeight();
                piece.stretches = true;
            }
            for (const TrpTextWrapper::Line &line : memo->layoutLines(memo->innerWidth(view->Width)))
                piece.lines.append(line.text);
        } else if (stretched && takesBandHeight(*view)) {
            piece.height = std::max(0, height - view->Top);
        }
        pieces.push_back(std::move(piece));
    }
    const TrpBand *columnFooter = m_page.slot(btColumnFooter);
    const qint32 reserve = columnFooter ? columnFooter->designHeight : 0;
    // Writes the lines of a piece's memo (or the object) at its place on
    // the page; the height it took.
    const auto writePiece = [&](Piece &piece, const QStringList &lines, qint32 partHeight) {
        auto *memo = dynamic_cast<TrpMemoView *>(piece.view);
        const QStringList saved = piece.view->ExpandedMemo;
        const qint32 savedHeight = piece.view->Height;
        const quint16 savedFlags = piece.view->Flags;
        if (memo) {
            piece.view->ExpandedMemo = lines;
            piece.view->Flags &= quint16(~TrpView::flWordWrap);
        }
        piece.view->Height = std::min(partHeight, std::max(1, m_page.bottomLimit - m_page.curY - piece.top));
        const qint32 written = piece.view->Height;
        m_build.writer.write(*piece.view, band, m_page.leftOffset + piece.view->Left, m_page.curY + piece.top);
        piece.view->ExpandedMemo = saved;
        piece.view->Height = savedHeight;
        piece.view->Flags = savedFlags;
        return written;
    };
    qint32 used = 0;
    bool firstPass = true;
    while (!m_build.stopped()) {
        const bool atTop = m_page.curY <= m_page.freshY;
        const qint32 limit = std::max(1, m_page.bottomLimit - reserve - m_page.curY - 2);
        used = 0;
        bool pending = false;
        // Stretched memos ending in this pass, written once its height is known.
        std::vector<std::pair<Piece *, QStringList>> ending;
        for (Piece &piece : pieces) {
            if (!piece.pending || piece.top < 0 || piece.top >= limit) {
                pending = pending || piece.pending;
                continue;
            }
            auto *memo = dynamic_cast<TrpMemoView *>(piece.view);
            const bool whole = qint64(piece.top) + piece.height <= limit;
            qint32 partHeight = piece.height;
            QStringList lines = piece.lines.mid(piece.done);
            if (!whole && memo) {
                const int step = std::max(1, memo->lineHeight());
                qsizetype fit = (limit - piece.top - 2 * TrpMemoView::GapY) / step;
                if (fit <= 0 && piece.top == 0 && atTop)
                    fit = 1;
                if (fit <= 0) {
                    piece.top = limit;
                    pending = true;
                    continue;
                }
                lines = lines.mid(0, fit);
                partHeight = limit - piece.top + 1;
                piece.done += fit;
            } else if (!whole && !(piece.top == 0 && atTop)) {
                piece.top = limit;
                pending = true;
                continue;
            } else {
                piece.done = piece.lines.size();
            }
            if (piece.stretches && piece.done >= piece.lines.size()) {
                used = std::max(used, piece.top + std::min(partHeight, limit - piece.top + 1));
                ending.emplace_back(&piece, lines);
            } else {
                used = std::max(used, piece.top + writePiece(piece, lines, partHeight));
            }
            if (memo && piece.done < piece.lines.size()) {
                piece.height = qint32((piece.lines.size() - piece.done) * memo->lineHeight() + 2 * TrpMemoView::GapY);
                piece.top = limit;
                pending = true;
            } else {
                piece.pending = false;
            }
        }
        // Headings of earlier passes stand again beside what goes on.
        for (Piece &piece : pieces)
            if (!firstPass && piece.heading)
                ending.emplace_back(&piece, piece.lines);
        for (auto &[piece, lines] : ending) {
            const qint32 top = piece->top;
            if (piece->heading)
                piece->top = 0;
            writePiece(*piece, lines, std::max(piece->height, used - piece->top));
            if (firstPass && pending && top == 0)
                piece->heading = true;
            piece->top = top;
        }
        firstPass = false;
        if (!pending)
            break;
        for (Piece &piece : pieces)
            piece.top -= limit;
        m_page.newColumn(continued ? nullptr : &band);
        // A memo that starts on the new page shows that page's values.
        for (Piece &piece : pieces) {
            auto *memo = dynamic_cast<TrpMemoView *>(piece.view);
            if (!memo || continued || piece.done > 0 || !piece.pending || m_build.stopped())
                continue;
            if (!m_build.writer.refresh(*memo, band))
                return;
            piece.lines.clear();
            for (const TrpTextWrapper::Line &line : memo->layoutLines(memo->innerWidth(memo->Width)))
                piece.lines.append(line.text);
        }
    }
    m_page.curY = TrpBand::position(qint64(m_page.curY) + used);
}
