#include "report/expr/TrpInterpretator.h"
#include "report/expr/TrpVariables.h"

#include <gtest/gtest.h>

namespace {

using Kind = TrpError::Kind;

QString q(const char *s)
{
    return QString::fromUtf8(s);
}

template <qsizetype N> QByteArray bytes(const char (&s)[N])
{
    return QByteArray(s, N - 1);
}

// An interpreter whose names are the report variables, as the engine's own
// interpreter has them first.
class VariablesInterpretator : public TrpInterpretator
{
public:
    TrpVariables variables;
    QStringList functions;

    void GetValue(const QString &name, Variant &value) override
    {
        if (name == QLatin1String("BROKEN"))
            fail({Kind::Calculation, q("broken"), -1});
        else
            value = variables.GetVariable(name);
    }
    void SetValue(const QString &name, const Variant &value) override
    {
        if (name.compare(QLatin1String("readonly"), Qt::CaseInsensitive) == 0)
            fail({Kind::Calculation, q("read only"), -1});
        else
            variables.SetVariable(name, value);
    }
    void DoFunction(const QString &name, const Variant &, const Variant &, const Variant &, QString &val) override
    {
        functions.append(name);
        val = q("0");
    }

    QList<QByteArray> compile(const QStringList &source)
    {
        QStringList lines;
        QList<QByteArray> errors;
        const bool ok = PrepareScript(source, lines, errors);
        EXPECT_EQ(ok, errors.isEmpty());
        if (!ok)
            return errors;
        QList<QByteArray> out;
        for (const QString &line : lines)
            out.append(lineBytes(line));
        return out;
    }

    bool run(const QStringList &source)
    {
        QStringList lines;
        QList<QByteArray> errors;
        if (!PrepareScript(source, lines, errors)) {
            ADD_FAILURE() << errors.value(0).toStdString();
            return false;
        }
        return DoScript(lines);
    }

    Variant value(const char *name) const { return variables.GetVariable(q(name)); }
};

struct CompileCase
{
    QStringList source;
    QList<QByteArray> lines;
};

TEST(TrpInterpretator, CompilesEveryStatementKind)
{
    const CompileCase cases[] = {
        {{q("a := 1")}, {"a 1 "}},
        {{q("begin a := 1; b := a + 2 end")}, {"a 1 ", "b a 2 +"}},
        {{q("if a > 0 then b := 1 else b := 2")},
         {bytes("\x01\x03\x00"
                "a 0 >"),
          "b 1 ", bytes("\x02\x04\x00"), "b 2 "}},
        {{q("if a then b := 1")},
         {bytes("\x01\x02\x00"
                "a "),
          "b 1 "}},
        {{q("if x then else y := 1")},
         {bytes("\x01\x02\x00"
                "x "),
          bytes("\x02\x03\x00"), "y 1 "}},
        {{q("while a < 3 do a := a + 1")},
         {bytes("\x01\x03\x00"
                "a 3 <"),
          "a a 1 +", bytes("\x02\x00\x00")}},
        {{q("repeat a := a + 1 until a >= 3")},
         {"a a 1 +", bytes("\x01\x00\x00"
                           "a 3 \x01")}},
        {{q("repeat a := 1; until a")},
         {"a 1 ", bytes("\x01\x00\x00"
                        "a ")}},
        {{q("begin"), q("10: a := a + 1;"), q("if a < 3 then goto 10"), q("end")},
         {"a a 1 +",
          bytes("\x01\x03\x00"
                "a 3 <"),
          bytes("\x02\x00\x00")}},
        {{q("begin a := 1; 5: b := 2; 5: c := 3; goto 5 end")}, {"a 1 ", "b 2 ", "c 3 ", bytes("\x02\x01\x00")}},
        {{q("A[3] := 5")}, {"\x03\x08SETARRAY(A, 3, 5)"}},
        {{q("begin NEWPAGE; newcolumn end")}, {"\x03\x08NEWPAGE(0)", "\x03\x08newcolumn(0)"}},
        {{q("x := COPY(a, 1, 2) + 1")},
         {"x \x08"
          "COPY(a, 1, 2) + 1"}},
        {{q("'x' + y")}, {"\x03'x' y +"}},
        {{q("a := 1"), q("b := 2")}, {"a 1 "}},
        {{}, {}},
        {{q(""), q("  // only a comment"), q("{ a brace")}, {}},
        {{q("begin\ta := 1; // set a"), q("b := 2 { and b"), q("end")}, {"a 1 ", "b 2 "}},
        {{q("BeGiN a := 1 EnD")}, {"a 1 "}},
        {{q("begin EndDate := %d'2024/01/31'; Untiled := 1 end")}, {"EndDate %d'2024/01/31' ", "Untiled 1 "}},
        {{q("begin a := 1 ;; end")}, {"a 1 "}},
    };
    VariablesInterpretator interpreter;
    for (const CompileCase &c : cases)
        EXPECT_EQ(interpreter.compile(c.source), c.lines) << c.source.join(QLatin1Char('|')).toStdString();
}

TEST(TrpInterpretator, TargetsUseTheHighByte)
{
    QString body = q("while a do begin");
    for (int i = 0; i < 300; ++i)
        body += q(" b := 1;");
    body += q(" end");
    VariablesInterpretator interpreter;
    const QList<QByteArray> lines = interpreter.compile({body});
    ASSERT_EQ(lines.size(), 302);
    EXPECT_EQ(lines.first(), bytes("\x01\x2e\x01"
                                   "a "));
    EXPECT_EQ(lines.last(), bytes("\x02\x00\x00"));
}

QByteArray errorLine(const char *place, const QByteArray &message)
{
    return bytes("\xD1\xF2\xF0\xFC\x49\x81\x45") + place + ": " + message;
}

struct ErrorCase
{
    QStringList source;
    QByteArray line;
};

TEST(TrpInterpretator, ReportsEveryErrorWithItsBytesAndPlace)
{
    const QByteArray required = bytes("\xC7\xE4\xE5\xF1\xFC \xF2\xF0\xE5\xE1\xF3\xE5\xF2\xF1\xFF ");
    const QByteArray orWord = bytes("\xE8\xEB\x81\x45");
    const ErrorCase cases[] = {
        {{q("begin"), q("  a := 1"), q("  b := 2"), q("end")},
         errorLine("3/3", required + "\";\" " + orWord + "\"end\"")},
        {{q("if a > 0 b := 1")}, errorLine("1/10", required + "\"then\"")},
        {{q("repeat a := 1 x")}, errorLine("1/15", required + "\";\" " + orWord + "\"until\"")},
        {{q("while a b := 1")}, errorLine("1/9", required + "\"do\"")},
        {{q("goto x")},
         errorLine("1/6", bytes("\xCC\xE5\xF2\x81\x45 \x81\x45goto \xE4\xEE\x81\x45\xFA\xFC "
                                "\xE1\xFB\xF2\xFC \xF7\xE8\xF1\xEB\xFCK"))},
        {{q("a b")}, errorLine("1/3", required + "\":=\"")},
        {{q("a := (1 + 2")}, errorLine("1/12", required + "\")\"")},
        {{q("a := [abc")}, errorLine("1/10", required + "\"]\"")},
        {{q("a := f(1 2)")}, errorLine("1/10", required + "\",\" " + orWord + "\")\"")},
        {{q("// first"), q("  goto 5 {later}")}, errorLine("2/8", "Label not defined")},
        {{q("1234567890123456: a := 1")}, errorLine("1/1", "Label too long")},
        {{q("a := 'abc")}, errorLine("1/6", "Unterminated string")},
    };
    VariablesInterpretator interpreter;
    for (const ErrorCase &c : cases) {
        QStringList lines{q("stale")};
        QList<QByteArray> errors;
        EXPECT_FALSE(interpreter.PrepareScript(c.source, lines, errors));
        ASSERT_EQ(errors.size(), 1);
        EXPECT_EQ(errors.first(), c.line) << c.source.join(QLatin1Char('|')).toStdString();
        EXPECT_TRUE(lines.isEmpty());
        EXPECT_EQ(interpreter.error().kind, Kind::Script);
        EXPECT_EQ(interpreter.error().message, TrpError::fromCp1251(c.line));
    }
}

TEST(TrpInterpretator, ErrorTextsShowInCyrillic)
{
    VariablesInterpretator interpreter;
    QStringList lines;
    QList<QByteArray> errors;
    EXPECT_FALSE(interpreter.PrepareScript({q("if a b")}, lines, errors));
    EXPECT_EQ(interpreter.error().message, QString::fromUtf8("СтрьIЃE1/6: Здесь требуется \"then\""));
}

TEST(TrpInterpretator, LabelsAndLinesAreBounded)
{
    VariablesInterpretator interpreter;
    QString labels = q("begin");
    for (int i = 1; i <= TrpInterpretator::MaxLabels; ++i)
        labels += q(" %1: a := 1;").arg(i);
    EXPECT_EQ(interpreter.compile({labels + q(" end")}).size(), TrpInterpretator::MaxLabels);
    const QList<QByteArray> tooMany = interpreter.compile({labels + q(" 999: a := 1 end")});
    ASSERT_EQ(tooMany.size(), 1);
    EXPECT_TRUE(tooMany.first().endsWith("Too many labels"));

    QString jumps = q("begin 1:");
    for (int i = 0; i < TrpInterpretator::MaxLines; ++i)
        jumps += q(" goto 1;");
    EXPECT_EQ(interpreter.compile({jumps + q(" end")}).size(), TrpInterpretator::MaxLines);
    const QList<QByteArray> tooLong = interpreter.compile({jumps + q(" goto 1 end")});
    ASSERT_EQ(tooLong.size(), 1);
    EXPECT_TRUE(tooLong.first().endsWith("Script too long"));
    // The condition's target, the line after the last, would be 65,536,
    // which two bytes cannot hold.
    QString far = q("begin 1: if a then begin");
    for (int i = 1; i < TrpInterpretator::MaxLines; ++i)
        far += q(" goto 1;");
    const QList<QByteArray> farTarget = interpreter.compile({far + q(" end end")});
    ASSERT_EQ(farTarget.size(), 1);
    EXPECT_TRUE(farTarget.first().endsWith("Script too long"));

    QString deep;
    for (int i = 0; i < 100; ++i)
        deep += q("begin ");
    const QList<QByteArray> tooDeep = interpreter.compile({deep});
    ASSERT_EQ(tooDeep.size(), 1);
    EXPECT_TRUE(tooDeep.first().endsWith("Nesting too deep"));
    const QList<QByteArray> deepBrackets = interpreter.compile({q("a := ") + QString(100, QLatin1Char('('))});
    ASSERT_EQ(deepBrackets.size(), 1);
    EXPECT_TRUE(deepBrackets.first().endsWith("Nesting too deep"));
}

TEST(TrpInterpretator, RunsBranchesAndLoops)
{
    VariablesInterpretator interpreter;
    interpreter.variables.SetVariable(q("a"), Variant(5));
    ASSERT_TRUE(interpreter.run({q("if a > 0 then b := 1 else b := 2")}));
    EXPECT_EQ(interpreter.value("b"), Variant(1.0));
    interpreter.variables.SetVariable(q("a"), Variant(0));
    ASSERT_TRUE(interpreter.run({q("if a > 0 then b := 1 else b := 2")}));
    EXPECT_EQ(interpreter.value("b"), Variant(2.0));

    ASSERT_TRUE(interpreter.run({q("while 0 do never := 1")}));
    EXPECT_EQ(interpreter.variables.IndexOf(q("never")), -1);
    ASSERT_TRUE(interpreter.run({q("repeat once := 1 until 1")}));
    EXPECT_EQ(interpreter.value("once"), Variant(1.0));
    ASSERT_TRUE(interpreter.run({q("begin i := 0; while i < 4 do i := i + 1 end")}));
    EXPECT_EQ(interpreter.value("i"), Variant(4.0));
    ASSERT_TRUE(interpreter.run({q("begin n := 0; 1: n := n + 1; if n < 5 then goto 1 end")}));
    EXPECT_EQ(interpreter.value("n"), Variant(5.0));
    ASSERT_TRUE(interpreter.run({q("begin goto 2; skipped := 1; 2: end")}));
    EXPECT_EQ(interpreter.variables.IndexOf(q("skipped")), -1);
}

TEST(TrpInterpretator, VariablesDifferingInCaseAreOne)
{
    VariablesInterpretator interpreter;
    ASSERT_TRUE(interpreter.run({q("begin Total := 1; total := TOTAL + 1; tOtAl := [Total] * 10 end")}));
    ASSERT_EQ(interpreter.variables.Count(), 1);
    EXPECT_EQ(interpreter.variables.Name(0), q("Total"));
    EXPECT_EQ(interpreter.variables.Value(0), Variant(20.0));
    EXPECT_EQ(interpreter.parser().Calc(q("total + [TOTAL]")), Variant(40.0)) << "the parser asks the interpreter";
}

TEST(TrpInterpretator, CallsRunWhenTheLineRunsNotWhenItCompiles)
{
    VariablesInterpretator interpreter;
    QStringList lines;
    QList<QByteArray> errors;
    ASSERT_TRUE(interpreter.PrepareScript({q("begin if flag > 0 then NEWPAGE; s := COPY(t, 2, 2); "
                                             "w := IF(flag > 0, 'yes', 'no') end")},
                                          lines, errors));
    EXPECT_TRUE(interpreter.functions.isEmpty());

    interpreter.variables.SetVariable(q("flag"), Variant(1));
    interpreter.variables.SetVariable(q("t"), Variant(q("abcd")));
    ASSERT_TRUE(interpreter.DoScript(lines));
    EXPECT_EQ(interpreter.functions, QStringList{q("NEWPAGE")});
    EXPECT_EQ(interpreter.value("s"), Variant(q("bc")));
    EXPECT_EQ(interpreter.value("w"), Variant(q("yes")));

    interpreter.variables.SetVariable(q("flag"), Variant(0));
    interpreter.variables.SetVariable(q("t"), Variant(q("wxyz")));
    ASSERT_TRUE(interpreter.DoScript(lines));
    EXPECT_EQ(interpreter.functions, QStringList{q("NEWPAGE")});
    EXPECT_EQ(interpreter.value("s"), Variant(q("xy")));
    EXPECT_EQ(interpreter.value("w"), Variant(q("no")));
}

TEST(TrpInterpretator, RunFailuresStopTheScript)
{
    VariablesInterpretator interpreter;
    EXPECT_FALSE(interpreter.run({q("begin a := 1; b := 'x' - 1; c := 1 end")}));
    EXPECT_EQ(interpreter.error().kind, Kind::Conversion);
    EXPECT_EQ(interpreter.variables.IndexOf(q("c")), -1);
    EXPECT_FALSE(interpreter.run({q("if 'abc' then a := 1")}));
    EXPECT_EQ(interpreter.error().kind, Kind::Conversion);
    EXPECT_FALSE(interpreter.run({q("begin readonly := 1; after := 1 end")}));
    EXPECT_EQ(interpreter.error().message, q("read only"));
    EXPECT_EQ(interpreter.variables.IndexOf(q("after")), -1);
    EXPECT_FALSE(interpreter.run({q("x := broken + 1")}));
    EXPECT_EQ(interpreter.error().message, q("broken"));
    EXPECT_TRUE(interpreter.run({q("x := 1")}));
    EXPECT_FALSE(interpreter.error().isSet());
}

TEST(TrpInterpretator, ALoopThatNeverEndsStops)
{
    VariablesInterpretator interpreter;
    EXPECT_FALSE(interpreter.run({q("1: goto 1")}));
    EXPECT_EQ(interpreter.error().kind, Kind::Script);
    EXPECT_EQ(interpreter.error().message, q("Script does not end"));
    interpreter.setStepLimit(1000);
    EXPECT_FALSE(interpreter.run({q("while 1 do a := 1")}));
    EXPECT_TRUE(interpreter.run({q("begin i := 0; while i < 300 do i := i + 1 end")}));

    // Without a step limit, the time limit stops loops whose every step
    // costs: calls are converted again on every round.
    interpreter.setStepLimit(std::numeric_limits<qint64>::max());
    EXPECT_FALSE(interpreter.run({q("while 1 do s := COPY('abc', 1, 2)")}));
    EXPECT_EQ(interpreter.error().message, q("Script does not end"));
}

TEST(TrpInterpretator, ForeignLinesDoNoHarm)
{
    VariablesInterpretator interpreter;
    EXPECT_FALSE(interpreter.DoScript({QString(QChar(1))}));
    EXPECT_TRUE(interpreter.DoScript({QString(QChar(2)) + QChar(0xFF) + QChar(0xFF)}));
    EXPECT_TRUE(interpreter.DoScript({q(""), q("x")}));
    EXPECT_EQ(interpreter.variables.IndexOf(q("x")), 0);
    EXPECT_TRUE(interpreter.DoScript({}));
}

TEST(TrpVariables, KeepsOrderAndIgnoresCase)
{
    TrpVariables variables;
    variables.SetVariable(q("First"), Variant(1));
    variables.SetVariable(q("second"), Variant(2));
    variables.SetVariable(q("FIRST"), Variant(3));
    ASSERT_EQ(variables.Count(), 2);
    EXPECT_EQ(variables.Name(0), q("First"));
    EXPECT_EQ(variables.GetVariable(q("first")), Variant(3));
    EXPECT_EQ(variables.IndexOf(q("SECOND")), 1);
    EXPECT_EQ(variables.GetVariable(q("third")), Variant());
    variables.Delete(5);
    variables.Delete(-1);
    variables.Delete(0);
    ASSERT_EQ(variables.Count(), 1);
    EXPECT_EQ(variables.IndexOf(q("second")), 0);
    EXPECT_EQ(variables.IndexOf(q("first")), -1);
    variables.Clear();
    EXPECT_EQ(variables.Count(), 0);
    EXPECT_EQ(variables.GetVariable(q("second")), Variant());
}

} // namespace
