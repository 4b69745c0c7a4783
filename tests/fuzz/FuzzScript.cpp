// Object and band scripts: compiled, and run when they compile; an endless
// one stops with its error.

#include "FuzzTarget.h"

#include "report/expr/TrpInterpretator.h"
#include "report/expr/TrpVariables.h"

#include <cstdlib>

namespace {

class Interpretator : public TrpInterpretator
{
public:
    TrpVariables variables;
    void GetValue(const QString &name, Variant &value) override { value = variables.GetVariable(name); }
    void SetValue(const QString &name, const Variant &value) override { variables.SetVariable(name, value); }
    void DoFunction(const QString &, const Variant &p1, const Variant &, const Variant &, QString &val) override
    {
        val = p1.toText();
    }
};

} // namespace

void fuzzOne(const QByteArray &input)
{
    Interpretator interpreter;
    // Endless scripts are common among mutations: they stop sooner here.
    interpreter.setStepLimit(100000);
    interpreter.setTimeLimit(std::chrono::milliseconds(50));
    QStringList lines;
    QList<QByteArray> errors;
    const QStringList source = QString::fromUtf8(input).split(QLatin1Char('\n'));
    if (!interpreter.PrepareScript(source, lines, errors)) {
        if (errors.size() != 1)
            std::abort(); // an error is one line
        return;
    }
    if (!interpreter.DoScript(lines) && !interpreter.error().isSet())
        std::abort(); // a failure without a reason
}
