// Every printout loads its template when it is opened, and the report keeps
// the template's bytes when it is saved; a template of a few hundred
// objects must load and save in well under the time a window takes to open.

#include "report/files/TrpTemplate.h"
#include "report/objects/TrpBandView.h"
#include "report/objects/TrpLineView.h"
#include "report/objects/TrpMemoView.h"
#include "report/pages/TrpPrinter.h"

#include <QBuffer>

#include <benchmark/benchmark.h>

namespace {

// 300 objects on two pages: bands, framed memos with Japanese texts and
// scripts, and lines, as a printed form has them.
TrpTemplate template300()
{
    TrpTemplate report;
    for (int p = 0; p < 2; ++p) {
        TrpPage &page = report.Pages.Add();
        page.PaperWidth = 2100;
        page.PaperHeight = 2970;
        for (int i = 0; i < 150; ++i) {
            std::unique_ptr<TrpView> view;
            if (i % 15 == 0) {
                auto band = std::make_unique<TrpBandView>();
                band->FrameTyp = quint16(i / 15 % 22);
                band->FormatStr = QStringLiteral("PersonQuery");
                view = std::move(band);
            } else if (i % 5 == 0) {
                view = std::make_unique<TrpLineView>();
                view->FrameTyp = TrpView::frTop;
            } else {
                auto memo = std::make_unique<TrpMemoView>();
                memo->Memo = {QStringLiteral("利用者名: [Name]様"), QStringLiteral("[Total #N#,##0.00] 円")};
                memo->Script = {QStringLiteral("if [Total] < 0 then Visible := 0")};
                memo->FrameTyp = TrpView::frAll;
                memo->HighlightCondition = QStringLiteral("[Total] < 0");
                view = std::move(memo);
            }
            view->Name = QStringLiteral("Object%1").arg(p * 150 + i);
            view->Left = 10 + i % 10 * 60;
            view->Top = 20 + i * 6;
            view->Width = 55;
            view->Height = 18;
            page.Objects.push_back(std::move(view));
        }
    }
    return report;
}

QByteArray saved(const TrpTemplate &report)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TrpError error;
    if (!report.saveToStream(buffer, TrpPrinter::defaultPrinterName(), error))
        return {};
    return bytes;
}

void BM_LoadTemplate300(benchmark::State &state)
{
    const QByteArray bytes = saved(template300());
    TrpPrinter printer({});
    for (auto _ : state) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        TrpTemplate report;
        TrpError error;
        if (report.loadFromStream(buffer, printer, error) != TrpTemplate::LoadStatus::Loaded)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(report);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_LoadTemplate300)->Unit(benchmark::kMillisecond);

void BM_SaveTemplate300(benchmark::State &state)
{
    const TrpTemplate report = template300();
    for (auto _ : state) {
        QByteArray bytes = saved(report);
        if (bytes.isEmpty())
            state.SkipWithError("save failed");
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_SaveTemplate300)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
