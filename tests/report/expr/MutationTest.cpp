#include "report/expr/TrpInterpretator.h"
#include "report/expr/TrpParser.h"
#include "report/expr/TrpVariables.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Random and corrupted expressions and scripts go through conversion,
// evaluation, compilation and running. They must fail cleanly or succeed;
// the sanitizer build catches anything else.

QString q(const char *s)
{
    return QString::fromUtf8(s);
}

const char *const ExpressionPieces[] = {
    "1",
    "2.5",
    "0",
    ",5",
    "'a'",
    "'it''s'",
    "''",
    "[Funn]",
    "[a[b]]",
    "abc",
    "x.\"y z\"",
    "+",
    "-",
    "*",
    "/",
    "<",
    ">",
    "=",
    "<>",
    ">=",
    "<=",
    "(",
    ")",
    " AND ",
    " OR ",
    " MOD ",
    "NOT ",
    "INT",
    "FRAC",
    "ROUND",
    "STR",
    "COPY(",
    "IF(",
    "F(",
    ",",
    ";",
    "%d'2020/1/1'",
    "%t'10:00'",
    "'",
    "[",
    "]",
    "\"",
    " ",
    "\x01",
    "\x08",
    "1e400",
    "99999999999999999999",
    "loop",
    "[loop]",
    "NULL",
    "TEXT",
    "DAY",
    "TRUE",
    "日本",
};

const char *const ScriptPieces[] = {
    "begin",         "end",         ";",  "if",  "then", "else",  "while", "do",   "repeat",
    "until",         "goto",        "1",  "10:", "1:",   "a",     ":=",    "b[1]", "NEWPAGE",
    "COPY(a, 1, 1)", "IF(a, 1, 2)", "+",  "(",   ")",    "'x'",   "[",     "]",    " ",
    "a := a + 1",    "{",           "//", "\t",  "0",    "a < 3", "F(",    ",",    "\x02",
    "loop",
};

class Random
{
public:
    explicit Random(unsigned seed) : m_engine(seed) {}
    int below(int n) { return int(m_engine() % unsigned(n)); }
    template <std::size_t N> const char *pick(const char *const (&pieces)[N]) { return pieces[below(int(N))]; }

    QString mutated(QString text)
    {
        const int edits = 1 + below(4);
        for (int i = 0; i < edits; ++i) {
            const qsizetype at = text.isEmpty() ? 0 : below(int(text.size()));
            const QChar c(char16_t(below(4) == 0 ? below(0x3100) : 0x20 + below(0x5F)));
            switch (below(3)) {
            case 0:
                text.insert(at, c);
                break;
            case 1:
                if (!text.isEmpty())
                    text.remove(at, 1);
                break;
            default:
                if (!text.isEmpty())
                    text[at] = c;
                break;
            }
        }
        return text;
    }

private:
    std::mt19937 m_engine;
};

// Answers names with values of every type, and "loop" by evaluating itself.
void wire(TrpParser &parser, Random &random)
{
    parser.OnGetValue = [&parser](const QString &name, Variant &value) {
        const QString upper = name.toUpper();
        if (upper == QLatin1String("LOOP"))
            value = parser.Calc(q("[loop]")).value_or(Variant());
        else if (upper == QLatin1String("NULL"))
            value = Variant::null();
        else if (upper == QLatin1String("TEXT"))
            value = Variant(q("text"));
        else if (upper == QLatin1String("DAY"))
            value = Variant::dateTime(45000.5);
        else if (upper == QLatin1String("TRUE"))
            value = Variant(true);
        else if (!name.isEmpty())
            value = Variant(qint64(name.size()));
    };
    parser.OnFunction = [&random](const QString &, const Variant &p1, const Variant &, const Variant &, QString &val) {
        const char *const results[] = {"1", "'x'", "'it's'", "F(1)", ")", "(", "'", p1.toText().isEmpty() ? "" : "2"};
        val = q(random.pick(results));
    };
}

TEST(Mutation, RandomExpressions)
{
    Random random(20240611);
    TrpParser parser;
    wire(parser, random);
    const QString seeds[] = {q("[Funn] * 2 + 1"),     q("IF([a] > 0, 'x', 'y')"),  q("COPY('abcdef', 2, 3)"),
                             q("(1 + 2) * -3 MOD 4"), q("NOT [a] = 1 AND 2 <> 3"), q("ROUND(INT(2.5) + FRAC(1.25))")};
    for (int i = 0; i < 4000; ++i) {
        QString text;
        if (i % 2 == 0) {
            const int pieces = random.below(16);
            for (int p = 0; p < pieces; ++p)
                text += q(random.pick(ExpressionPieces));
        } else {
            text = random.mutated(seeds[random.below(int(std::size(seeds)))]);
        }
        const std::optional<Variant> value = parser.Calc(text);
        EXPECT_EQ(value.has_value(), !parser.error().isSet()) << text.toStdString();
        if (const std::optional<QString> postfix = parser.ToPostfix(text))
            (void)parser.CalcPostfix(*postfix);
        (void)parser.CalcPostfix(text);
        bool hasCall = false;
        (void)parser.ToPostfixWithoutCalls(text, hasCall);
    }
}

class ScriptInterpretator : public TrpInterpretator
{
public:
    TrpVariables variables;

    void GetValue(const QString &name, Variant &value) override { value = variables.GetVariable(name); }
    void SetValue(const QString &name, const Variant &value) override { variables.SetVariable(name, value); }
    void DoFunction(const QString &, const Variant &, const Variant &, const Variant &, QString &val) override
    {
        val = q("1");
    }
};

TEST(Mutation, RandomScripts)
{
    Random random(777);
    ScriptInterpretator interpreter;
    interpreter.setStepLimit(2000);
    const QString seeds[] = {q("begin a := 0; while a < 3 do a := a + 1 end"),
                             q("begin 1: a := a + 1; if a < 5 then goto 1 else b[2] := a end"),
                             q("repeat NEWPAGE; x := COPY('abc', a, 1) until a > 2")};
    for (int i = 0; i < 2500; ++i) {
        QStringList source;
        if (i % 2 == 0) {
            const int lines = 1 + random.below(3);
            for (int l = 0; l < lines; ++l) {
                QString line;
                const int pieces = random.below(12);
                for (int p = 0; p < pieces; ++p)
                    line += q(random.pick(ScriptPieces)) + QLatin1Char(' ');
                source.append(line);
            }
        } else {
            source.append(random.mutated(seeds[random.below(int(std::size(seeds)))]));
        }
        QStringList compiled;
        QList<QByteArray> errors;
        interpreter.variables.Clear();
        if (interpreter.PrepareScript(source, compiled, errors)) {
            EXPECT_TRUE(errors.isEmpty());
            (void)interpreter.DoScript(compiled);
            if (!compiled.isEmpty()) {
                // Corrupt one compiled line: a foreign list must not hurt either.
                QString &line = compiled[random.below(int(compiled.size()))];
                line = random.mutated(line);
                (void)interpreter.DoScript(compiled);
            }
        } else {
            EXPECT_EQ(errors.size(), 1);
            EXPECT_TRUE(compiled.isEmpty());
        }
    }
}

} // namespace
