// A memo that wraps with word breaking (flags 6) lays its text out on every
// height calculation and every drawing: the time must grow in step with the
// text, so that a memo of 20,000 characters lays out in well under 0.1 s.

#include "BenchMain.h"
#include "report/objects/TrpMemoView.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

// Half-width letters in words of twelve, as a long comment reads, or in one
// word that is hyphenated on every line.
QString halfWidthText(qsizetype length, bool words)
{
    QString text;
    text.reserve(length);
    for (qsizetype i = 0; text.size() < length; ++i) {
        if (words && i % 13 == 12)
            text += QLatin1Char(' ');
        else
            text += QLatin1Char(char('a' + i % 26));
    }
    return text;
}

void BM_MemoWrapping(benchmark::State &state)
{
    TrpMemoView memo;
    memo.Width = 300;
    memo.Height = 20;
    memo.Flags = TrpView::flWordWrap | TrpView::flWordBreak;
    memo.ExpandedMemo = {halfWidthText(state.range(0), state.range(1) != 0)};
    for (auto _ : state)
        benchmark::DoNotOptimize(memo.CalcHeight());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MemoWrapping)
    ->ArgNames({"characters", "words"})
    ->ArgsProduct({benchSizes({2000, 4000, 8000, 20000}), {1, 0}})
    ->Unit(benchmark::kMillisecond);

// A memo whose text does not fit its box at its font's size is drawn
// smaller: finding the size must not try every size below the font's own
// (up to 1,000 points from a template).
void BM_MemoFitting(benchmark::State &state)
{
    TrpMemoView memo;
    memo.Font.Size = qint32(state.range(0));
    memo.Flags = TrpView::flWordWrap | TrpView::flWordBreak;
    memo.ExpandedMemo = {halfWidthText(200, true)};
    const QSizeF box(120, 40);
    for (auto _ : state)
        benchmark::DoNotOptimize(memo.fittedSize(box));
}
BENCHMARK(BM_MemoFitting)->ArgName("points")->Arg(12)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarks<QGuiApplication>(argc, argv);
}
