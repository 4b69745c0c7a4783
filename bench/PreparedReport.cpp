// Prepared reports are loaded whole before the preview opens, and each page
// is read, recorded and drawn when it comes into view.

#include "BenchMain.h"
#include "report/objects/TrpLineView.h"
#include "report/objects/TrpMemoView.h"
#include "report/pages/TrpEMFPages.h"
#include "report/pages/TrpPage.h"
#include "report/pages/TrpPdfFile.h"
#include "report/pages/TrpPrinter.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

const int PageCount = benchSize(200, 2);
constexpr int ObjectsPerPage = 800;

// 800 objects on A4: 40 rows of 18 framed memos and 2 lines, as a dense
// record sheet has them.
void fillPage(TrpEMFPage &page, int pageNo)
{
    TrpMemoView memo;
    memo.FrameTyp = TrpView::frAll;
    memo.Width = 38;
    memo.Height = 24;
    TrpLineView line;
    line.FrameTyp = TrpView::frTop;
    line.Width = 700;
    int count = 0;
    for (int row = 0; count < ObjectsPerPage; ++row) {
        for (int column = 0; column < 18 && count < ObjectsPerPage; ++column, ++count) {
            memo.Left = 20 + column * 39;
            memo.Top = 20 + row * 25;
            memo.Adjust = column % 3;
            memo.ExpandedMemo = {QStringLiteral("山田%1").arg(pageNo * 1000 + count)};
            page.addObject(memo);
        }
        for (int l = 0; l < 2 && count < ObjectsPerPage; ++l, ++count) {
            line.Left = 20;
            line.Top = 20 + row * 25 + l * 24;
            page.addObject(line);
        }
    }
}

const QByteArray &preparedReport()
{
    static const QByteArray bytes = [] {
        TrpPrinter printer({});
        TrpPage a4;
        a4.PaperSize = TrpPrinter::A4Paper;
        a4.UseMargins = true;
        a4.applyPaper(printer);
        TrpEMFPages pages;
        for (int i = 0; i < PageCount; ++i)
            fillPage(pages.Add(a4), i);
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        if (!pages.SaveToStream(buffer, printer.printerName()))
            qFatal("cannot write the prepared report");
        return data;
    }();
    return bytes;
}

// The prepared report of the benchmarks, read for the built-in printer.
bool loadPages(TrpEMFPages &pages)
{
    QByteArray bytes = preparedReport();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TrpPrinter printer({});
    return pages.LoadFromStream(buffer, printer, false);
}

// Draws a page from its objects and lets its records go again.
void drawFirstTime(TrpEMFPage &page, QImage &image)
{
    image.fill(Qt::white);
    QPainter painter(&image);
    page.Visible = true;
    page.draw(painter, QRectF(QPointF(0, 0), page.size()));
    painter.end();
    page.release();
}

void LoadPreparedReport(benchmark::State &state)
{
    QByteArray bytes = preparedReport();
    TrpPrinter printer({});
    for (auto _ : state) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        TrpEMFPages pages;
        if (!pages.LoadFromStream(buffer, printer, false) || pages.Count() != PageCount)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(pages.Count());
    }
    state.counters["MB"] = double(bytes.size()) / 1e6;
}
BENCHMARK(LoadPreparedReport)->Unit(benchmark::kMillisecond);

// Reading the page's 800 objects, recording them and drawing the records
// into an image at 100 %: what the first sight of a page costs once the
// engine has set up the page's fonts and seen its texts (the same page
// again after it was released, or the next page of a report that repeats
// its texts).
void DrawPageFirstTime(benchmark::State &state)
{
    TrpEMFPages pages;
    if (!loadPages(pages))
        state.SkipWithError("load failed");
    TrpEMFPage &page = pages[PageCount / 2];
    QImage image(page.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        drawFirstTime(page, image);
    }
    state.counters["records"] = double(page.drawList().records().size());
}
BENCHMARK(DrawPageFirstTime)->Unit(benchmark::kMillisecond);

// The same, going through the pages: the first sight of each page, a third
// of whose texts (its numbers) the engine has not drawn before.
void DrawEachPageFirstTime(benchmark::State &state)
{
    TrpEMFPages pages;
    if (!loadPages(pages))
        state.SkipWithError("load failed");
    QImage image(pages[0].size(), QImage::Format_RGB32);
    int next = 0;
    for (auto _ : state) {
        TrpEMFPage &page = pages[next];
        next = (next + 1) % PageCount;
        drawFirstTime(page, image);
    }
}
BENCHMARK(DrawEachPageFirstTime)->Unit(benchmark::kMillisecond);

// Drawing a page whose records are held: what scrolling and zooming cost.
void DrawPageAgain(benchmark::State &state)
{
    TrpEMFPages pages;
    if (!loadPages(pages))
        state.SkipWithError("load failed");
    TrpEMFPage &page = pages[PageCount / 2];
    page.Visible = true;
    QImage image(page.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        page.draw(painter, QRectF(QPointF(0, 0), page.size()));
    }
}
BENCHMARK(DrawPageAgain)->Unit(benchmark::kMillisecond);

// The whole report written to a PDF document as `rpftool render` writes it:
// each page read, recorded and written.
void PreparedReportToPdf(benchmark::State &state)
{
    qint64 bytes = 0;
    benchmark::DoNotOptimize(preparedReport().size());
    for (auto _ : state) {
        TrpEMFPages pages;
        if (!loadPages(pages))
            state.SkipWithError("load failed");
        TrpPdfFile pdf;
        for (int i = 0; i < pages.Count(); ++i)
            (void)pdf.print(pages[i]);
        if (!pdf.finish())
            state.SkipWithError(pdf.errorString().toStdString().c_str());
        bytes = pdf.document().size();
    }
    state.counters["pdf_kB"] = double(bytes / 1024);
}
BENCHMARK(PreparedReportToPdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarks<QGuiApplication>(argc, argv);
}
