// Scripts and data sets that never end must stop with their error within
// about half a second, whatever each step costs: one benchmark for each
// kind of endless loop, its time being how long the engine took to stop it.

#include "report/data/TrpUserDataset.h"
#include "report/expr/TrpInterpretator.h"
#include "report/expr/TrpVariables.h"

#include <benchmark/benchmark.h>

namespace {

class VariablesInterpretator : public TrpInterpretator
{
public:
    TrpVariables variables;
    void GetValue(const QString &name, Variant &value) override { value = variables.GetVariable(name); }
    void SetValue(const QString &name, const Variant &value) override { variables.SetVariable(name, value); }
    void DoFunction(const QString &, const Variant &p1, const Variant &, const Variant &, QString &val) override
    {
        val = QLatin1Char('\'') + p1.toText() + QLatin1Char('\'');
    }
};

void endlessScript(benchmark::State &state, const char *script)
{
    VariablesInterpretator interpreter;
    QStringList lines;
    QList<QByteArray> errors;
    if (!interpreter.PrepareScript({QString::fromUtf8(script)}, lines, errors)) {
        state.SkipWithError("the script does not compile");
        return;
    }
    for (auto _ : state) {
        interpreter.variables.Clear();
        if (interpreter.DoScript(lines))
            state.SkipWithError("the script ended");
    }
}

BENCHMARK_CAPTURE(endlessScript, GotoItself, "1: goto 1")->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK_CAPTURE(endlessScript, Assignment, "while 1 do a := 1")->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK_CAPTURE(endlessScript, CopyConvertedEachRound, "while 1 do s := COPY('abc', 1, 2)")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK_CAPTURE(endlessScript, NestedIf, "repeat x := IF(1, IF(1, IF(1, IF(1, 'a', 'b'), 2), 3), 4) until 0")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK_CAPTURE(endlessScript, Function, "while 1 do x := UPPER(COPY('abcdef', 2, 3) + 'x')")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK_CAPTURE(endlessScript, GrowingText, "begin s := ''; while 1 do s := s + 'abcdefgh' end")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK_CAPTURE(endlessScript, DoublingText, "begin s := 'ab'; while 1 do s := s + s end")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

void BM_EndlessUserDataset(benchmark::State &state)
{
    TrpUserDataset dataset;
    dataset.setObjectName(QStringLiteral("UserDS"));
    dataset.OnNext = [](TrpDataset &) {
        // A row as costly as a small band.
        volatile double sum = 0;
        for (int i = 0; i < 20000; ++i)
            sum = sum + i;
    };
    for (auto _ : state) {
        if (!dataset.Init() || !dataset.First())
            state.SkipWithError("the walk did not start");
        while (!dataset.Eof())
            (void)dataset.Next();
        if (!dataset.failed())
            state.SkipWithError("the walk ended");
    }
}
BENCHMARK(BM_EndlessUserDataset)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

BENCHMARK_MAIN();
