// Memo texts are expanded for every object of every printed row, so
// expression evaluation is the report engine's inner loop.

#include "BenchMain.h"
#include "report/data/TrpUserDataset.h"
#include "report/expr/TrpInterpretator.h"
#include "report/expr/TrpParser.h"
#include "report/expr/TrpVariables.h"

#include <QHash>

#include <benchmark/benchmark.h>

namespace {

// A parser whose names come from a hash, as a printing form answers them.
struct Fixture
{
    TrpParser parser;
    QHash<QString, Variant> values{
        {QStringLiteral("Funn"), Variant(40)},
        {QStringLiteral("CureNo"), Variant(12345)},
        {QStringLiteral("a"), Variant(3)},
        {QStringLiteral("Name"), Variant(QStringLiteral("山田 太郎様"))},
    };

    Fixture()
    {
        parser.OnGetValue = [this](const QString &name, Variant &value) {
            value = values.value(name);
        };
    }
};

void calc(benchmark::State &state, const QString &expression)
{
    Fixture fixture;
    for (auto _ : state) {
        std::optional<Variant> value = fixture.parser.Calc(expression);
        benchmark::DoNotOptimize(value);
        if (!value)
            state.SkipWithError("evaluation failed");
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_CalcFunnTimesTwoPlusOne(benchmark::State &state)
{
    calc(state, QStringLiteral("[Funn] * 2 + 1"));
}
BENCHMARK(BM_CalcFunnTimesTwoPlusOne);

void BM_CalcName(benchmark::State &state)
{
    calc(state, QStringLiteral("[Funn]"));
}
BENCHMARK(BM_CalcName);

void BM_CalcCureNoPlusOne(benchmark::State &state)
{
    calc(state, QStringLiteral("[CureNo] + 1"));
}
BENCHMARK(BM_CalcCureNoPlusOne);

void BM_CalcIf(benchmark::State &state)
{
    calc(state, QStringLiteral("IF([a] > 0, 'x', 'y')"));
}
BENCHMARK(BM_CalcIf);

void BM_CalcCopy(benchmark::State &state)
{
    calc(state, QStringLiteral("COPY([Name], 1, 2)"));
}
BENCHMARK(BM_CalcCopy);

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

const QStringList TenLines{
    QStringLiteral("begin"),
    QStringLiteral("  total := 0;"),
    QStringLiteral("  i := 0;"),
    QStringLiteral("  while i < 3 do"),
    QStringLiteral("  begin"),
    QStringLiteral("    total := total + i * 2;"),
    QStringLiteral("    i := i + 1"),
    QStringLiteral("  end;"),
    QStringLiteral("  if total > 5 then mark := 'many' else mark := COPY('few', 1, 3)"),
    QStringLiteral("end"),
};

void BM_ScriptCompileAndRun(benchmark::State &state)
{
    VariablesInterpretator interpreter;
    QStringList lines;
    QList<QByteArray> errors;
    for (auto _ : state) {
        if (!interpreter.PrepareScript(TenLines, lines, errors) || !interpreter.DoScript(lines))
            state.SkipWithError("script failed");
        benchmark::DoNotOptimize(lines);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ScriptCompileAndRun);

void BM_ScriptRun(benchmark::State &state)
{
    VariablesInterpretator interpreter;
    QStringList lines;
    QList<QByteArray> errors;
    if (!interpreter.PrepareScript(TenLines, lines, errors)) {
        state.SkipWithError("script does not compile");
        return;
    }
    for (auto _ : state) {
        if (!interpreter.DoScript(lines))
            state.SkipWithError("script failed");
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ScriptRun);

// Scripts and data sets that never end must stop with their error within
// about half a second, whatever each step costs: one benchmark for each kind
// of endless loop, its time being how long the engine took to stop it.
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

BENCHMARK_CAPTURE(endlessScript, GotoItself, "1: goto 1")->Unit(benchmark::kMillisecond)->Iterations(benchSize(2, 1));
BENCHMARK_CAPTURE(endlessScript, Assignment, "while 1 do a := 1")->Unit(benchmark::kMillisecond)->Iterations(benchSize(2, 1));
BENCHMARK_CAPTURE(endlessScript, CopyConvertedEachRound, "while 1 do s := COPY('abc', 1, 2)")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(benchSize(2, 1));
BENCHMARK_CAPTURE(endlessScript, NestedIf, "repeat x := IF(1, IF(1, IF(1, IF(1, 'a', 'b'), 2), 3), 4) until 0")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(benchSize(2, 1));
BENCHMARK_CAPTURE(endlessScript, Function, "while 1 do x := UPPER(COPY('abcdef', 2, 3) + 'x')")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(benchSize(2, 1));
BENCHMARK_CAPTURE(endlessScript, GrowingText, "begin s := ''; while 1 do s := s + 'abcdefgh' end")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(benchSize(2, 1));
BENCHMARK_CAPTURE(endlessScript, DoublingText, "begin s := 'ab'; while 1 do s := s + s end")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(benchSize(2, 1));

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
BENCHMARK(BM_EndlessUserDataset)->Unit(benchmark::kMillisecond)->Iterations(benchSize(2, 1));

} // namespace

BENCHMARK_MAIN();
