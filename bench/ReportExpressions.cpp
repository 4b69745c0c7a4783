// Memo texts are expanded for every object of every printed row, so
// expression evaluation is the report engine's inner loop.

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

} // namespace

BENCHMARK_MAIN();
