// Expressions as memo brackets and conditions hold them, with names and
// functions answered as a report answers them.

#include "FuzzTarget.h"

#include "report/expr/TrpParser.h"

#include <cstdlib>

void fuzzOne(const QByteArray &input)
{
    TrpParser parser;
    parser.OnGetValue = [](const QString &name, Variant &value) {
        if (name.size() % 3 == 0)
            value = Variant(qint64(name.size()));
        else if (name.size() % 3 == 1)
            value = Variant(name);
    };
    parser.OnFunction = [](const QString &, const Variant &p1, const Variant &, const Variant &, QString &val) {
        val = p1.toText();
    };
    const QString text = QString::fromUtf8(input);
    if (!parser.Calc(text) && !parser.error().isSet())
        std::abort(); // a failure without a reason
    bool hasCall = false;
    (void)parser.ToPostfixWithoutCalls(text, hasCall);
    (void)parser.CalcPostfix(text);
}
