#include "report/expr/TrpParser.h"

#include "base/NumberFormat.h"

#include <QHash>

#include <gtest/gtest.h>

#include <limits>

namespace {

using Kind = TrpError::Kind;

QString q(const char *s)
{
    return QString::fromUtf8(s);
}

// The postfix text with its operator codes spelt out, for readable failures.
std::string shown(const QString &postfix)
{
    std::string out;
    for (const QChar c : postfix) {
        if (c.unicode() < 0x20)
            out.append(1, '\\').append(std::to_string(c.unicode()));
        else
            out += QString(c).toStdString();
    }
    return out;
}

struct ConversionCase
{
    const char *expression;
    const char *postfix;
};

TEST(TrpParser, ConvertsToPostfixByteForByte)
{
    const ConversionCase cases[] = {
        {"2+3*4", "2 3 4 *+"},
        {"(2+3)*4", "2 3 +4 *"},
        {"10-4-3", "10 4 -3 -"},
        {"1 = 1 AND 2 = 2", "1 1 2 \x05=2 ="},
        {"3 >= 3", "3 3 \x01"},
        {"a <= b", "a b \x02"},
        {"a <> b", "a b \x03"},
        {"-2*3", "2 3 *\x09"},
        {"+2", "2 \x0a"},
        {"NOT 0", "0 \x0c"},
        {"7 MOD 3", "7 3 \x0d"},
        {"ROUND(2.5)", "2.5 \x0e"},
        {"INT(x) + FRAC(y)", "x \x06y \x07+"},
        {"STR(1)", "1 \x0b"},
        {"a or b", "a b \x04"},
        {"'it''s'", "'it''s' "},
        {"[abc] + abc", "[abc] abc +"},
        {"[a[b]c]", "[a[b]c] "},
        {"[x \"]\" y]", "[x \"]\" y] "},
        {"%d'2020/01/15'", "%d'2020/01/15' "},
        {"1,5 + 1", "1,5 1 +"},
        {"1 + 2 ; ignored )", "1 2 +"},
        {"Query1.\"Field name\" * 2", "Query1.\"Field name\" 2 *"},
        {"", ""},
    };
    TrpParser parser;
    for (const ConversionCase &c : cases) {
        const std::optional<QString> postfix = parser.ToPostfix(q(c.expression));
        ASSERT_TRUE(postfix) << c.expression << ": " << parser.error().message.toStdString();
        EXPECT_EQ(shown(*postfix), shown(q(c.postfix))) << c.expression;
    }
}

TEST(TrpParser, PrefixOperatorAfterBinaryOneWaitsForItsOperand)
{
    TrpParser parser;
    EXPECT_EQ(shown(parser.ToPostfix(q("2*-3")).value()), shown(q("2 3 \x09*")));
    EXPECT_EQ(parser.Calc(q("2*-3")), Variant(-6.0));
    EXPECT_EQ(parser.Calc(q("1 AND NOT 0")), Variant(1.0));
    EXPECT_EQ(parser.Calc(q("4 - -1")), Variant(5.0));
    EXPECT_EQ(parser.Calc(q("STR INT 3.5")), Variant(q("3")));
}

struct ValueCase
{
    const char *expression;
    Variant value;
};

TEST(TrpParser, EvaluatesWithThePrioritiesOfTheTemplates)
{
    const ValueCase cases[] = {
        {"2+3*4", Variant(14.0)},
        {"(2+3)*4", Variant(20.0)},
        {"10-4-3", Variant(3.0)},
        {"1 < 2", Variant(1)},
        {"2 <> 2", Variant(0)},
        {"3 >= 3", Variant(1)},
        {"5 / 0", Variant(0)},
        {"5 / 2", Variant(2.5)},
        {"7 MOD 3", Variant(qint64(1))},
        {"ROUND(2.5)", Variant(qint64(2))},
        {"ROUND(3.5)", Variant(qint64(4))},
        {"-2*3", Variant(-6.0)},
        {"'it''s'", Variant(q("it's"))},
        {"''''", Variant(q("'"))},
        {"COPY('abcdef', 2, 3)", Variant(q("bcd"))},
        {"COPY('abcdef', 0, 2)", Variant(q("ab"))},
        {"COPY('abcdef', 9, 2)", Variant(q(""))},
        {"COPY('it''s', 2, 3)", Variant(q("t's"))},
        {"IF(1 > 0, 'yes', 'no')", Variant(q("yes"))},
        {"IF(0.5, 'yes', 'no')", Variant(q("no"))},
        {"IF(1, 'it''s' + 'x', 'no')", Variant(q("it'sx"))},
        {"IF(1, IF(0, 1, 2), 3) * 10", Variant(20.0)},
        {"1,5 + 1", Variant(2.5)},
        {"1.5 + 1", Variant(2.5)},
        {"INT(-3.7)", Variant(-3.0)},
        {"FRAC(3.25)", Variant(0.25)},
        {"STR(1.5) + 'x'", Variant(q("1.5x"))},
        {"NOT 0", Variant(1)},
        {"NOT 5", Variant(0)},
        {"1 = 1 AND 2 = 2", Variant(0)},
        {"1 + 2 = 3", Variant(1)},
        {"NOT 1 = 0", Variant(1)},
        {"2 * 3 MOD 4", Variant(qint64(2))},
        {"1 OR 1 AND 0", Variant(0.0)},
        {"'a' + 'b'", Variant(q("ab"))},
        {"'2' * 3", Variant(6.0)},
        {"'abc' < 'abd'", Variant(1)},
        {"", Variant()},
        {"   ", Variant()},
        {"()", Variant()},
    };
    TrpParser parser;
    for (const ValueCase &c : cases) {
        const std::optional<Variant> value = parser.Calc(q(c.expression));
        ASSERT_TRUE(value) << c.expression << ": " << parser.error().message.toStdString();
        EXPECT_EQ(*value, c.value) << c.expression << " gave " << value->toText().toStdString();
    }
}

TEST(TrpParser, DateAndTimeLiterals)
{
    TrpParser parser;
    EXPECT_EQ(parser.Calc(q("%d'2020/01/15'")), Variant::dateTime(DateTime::encodeDate(2020, 1, 15)));
    EXPECT_EQ(parser.Calc(q("%D'2020/01/15' + 1")), Variant::dateTime(DateTime::encodeDate(2020, 1, 16)));
    EXPECT_EQ(parser.Calc(q("%t'10:30'")), Variant::dateTime(DateTime::encodeTime(10, 30)));
    EXPECT_FALSE(parser.Calc(q("%d'2020/13/01'")));
    EXPECT_EQ(parser.error().kind, Kind::Conversion);
}

TEST(TrpParser, NamesGoToTheOwner)
{
    TrpParser parser;
    QStringList asked;
    parser.OnGetValue = [&](const QString &name, Variant &value) {
        asked.append(name);
        EXPECT_TRUE(value.isEmpty());
        if (name == QLatin1String("Funn"))
            value = Variant(20);
    };
    EXPECT_EQ(parser.Calc(q("[Funn] * 2 + 1")), Variant(41.0));
    EXPECT_EQ(parser.Calc(q("abc")), Variant());
    EXPECT_EQ(parser.Calc(q("[abc]")), Variant());
    EXPECT_EQ(parser.Calc(q("[Query1.\"a]b\"]")), Variant());
    EXPECT_EQ(asked, (QStringList{q("Funn"), q("ABC"), q("abc"), q("Query1.\"a]b\"")}));

    TrpParser alone;
    EXPECT_EQ(alone.Calc(q("abc")), Variant());
}

TEST(TrpParser, CachedPostfixStillReadsTheCurrentValues)
{
    TrpParser parser;
    int funn = 1;
    parser.OnGetValue = [&](const QString &, Variant &value) {
        value = Variant(funn);
    };
    EXPECT_EQ(parser.Calc(q("[Funn] * 2 + 1")), Variant(3.0));
    funn = 10;
    EXPECT_EQ(parser.Calc(q("[Funn] * 2 + 1")), Variant(21.0));
    EXPECT_EQ(parser.Calc(q("COPY([Funn], 1, 1)")), Variant(q("1")));
    funn = 7;
    EXPECT_EQ(parser.Calc(q("COPY([Funn], 1, 1)")), Variant(q("7"))) << "COPY runs on every call";
}

// A parser whose names and functions answer from values the test changes,
// logging what it was asked.
struct LoggingParser
{
    TrpParser parser;
    QStringList log;

    explicit LoggingParser(const QHash<QString, Variant> &values)
    {
        parser.OnGetValue = [this, &values](const QString &name, Variant &value) {
            log.append(name);
            value = values.value(name);
        };
        parser.OnFunction = [this, &values](const QString &name, const Variant &p1, const Variant &, const Variant &,
                                            QString &val) {
            log.append(name + QLatin1Char('(') + p1.toText());
            val = values.value(q("F")).toText();
        };
    }
};

TEST(TrpParser, KeptFormsGiveWhatConvertingAgainGives)
{
    const QString mark = QChar(0xE000) + q("0") + QChar(0xE000);
    const QString expressions[] = {
        q("IF([a] > 0, 'x', 'y')"),
        q("COPY([Name], 1, 2)"),
        q("COPY([Name], 2, 3) + COPY([Name], 1, 1) + 'z' + COPY('q', 1, 1)"),
        q("IF([a], COPY([Name], 1, 2), IF([a] - 1, 'p', f([Name])))"),
        q("IF([a] > 0, COPY('it''s', 2, 3), STR(ROUND(2.5) MOD 3))"),
        q("%D[a] + COPY([Name], 1, 10)"),
        q("COPY([Name], 1, 5) + )"),
        q("COPY([Name], 1, 5) + (1"),
        q("f([a]) + 1"),
        q("IF([a], 1, 2) ("),
        q("'") + mark + q("' + COPY([Name], 1, 3)"),
        q("COPY([Name], [a], 2)"),
        q("IF(COPY([Name], 1, 1) = 'i', f(1), COPY([Name], 2, 9)) + f(2)"),
    };
    const Variant as[] = {Variant(1),
                          Variant(0),
                          Variant(2),
                          Variant(q("x")),
                          Variant(q("2020/01/15")),
                          Variant(0.9999999999999999),
                          Variant(-0.0),
                          Variant(2.0),
                          Variant(999999999999999.0),
                          Variant(1e15),
                          Variant(std::numeric_limits<qint64>::min())};
    const QString names[] = {q("it's"), QString(), q("''"), mark, q("2020/01/16 1')"), q("abcdef")};
    const QString functions[] = {q("1"), q("COPY('abc', 1, [a])"), q("2 +"), q("g("), q("'it's'"), mark};
    QHash<QString, Variant> values;
    LoggingParser kept(values);
    for (int round = 0; round < 2; ++round) {
        for (const QString &expression : expressions) {
            for (const Variant &a : as) {
                for (const QString &name : names) {
                    for (const QString &function : functions) {
                        values = {{q("a"), a}, {q("Name"), Variant(name)}, {q("F"), Variant(function)}};
                        LoggingParser fresh(values);
                        std::optional<Variant> expected;
                        if (const std::optional<QString> postfix = fresh.parser.ToPostfix(expression))
                            expected = fresh.parser.CalcPostfix(*postfix);
                        kept.log.clear();
                        const std::optional<Variant> value = kept.parser.Calc(expression);
                        const std::string shownCase = expression.toStdString() + " a=" + a.toText().toStdString() +
                                                      " Name=" + name.toStdString() + " F=" + function.toStdString();
                        ASSERT_EQ(value, expected) << shownCase;
                        ASSERT_EQ(kept.log, fresh.log) << shownCase;
                        ASSERT_EQ(kept.parser.error().kind, fresh.parser.error().kind) << shownCase;
                        ASSERT_EQ(kept.parser.error().message, fresh.parser.error().message) << shownCase;
                        ASSERT_EQ(kept.parser.error().position, fresh.parser.error().position) << shownCase;
                    }
                }
            }
        }
    }
}

TEST(TrpParser, FunctionsRunDuringConversion)
{
    TrpParser parser;
    QStringList calls;
    parser.OnFunction = [&](const QString &name, const Variant &p1, const Variant &p2, const Variant &p3,
                            QString &val) {
        calls.append(name + QLatin1Char('|') + p1.toText() + QLatin1Char('|') + p2.toText() + QLatin1Char('|') +
                     p3.toText());
        if (name == QLatin1String("UPPERCASE"))
            val = QLatin1Char('\'') + p1.toText().toUpper() + QLatin1Char('\'');
        else if (name == QLatin1String("QUOTE"))
            val = q("'it's'");
        else
            val = q("42");
    };
    EXPECT_EQ(parser.Calc(q("uppercase(x)")), Variant(q("X")));
    EXPECT_EQ(parser.Calc(q("QUOTE()")), Variant(q("it's")));
    EXPECT_EQ(parser.Calc(q("f(1, (2, 3), 4, 5) + 1")), Variant(43.0));
    EXPECT_EQ(parser.ToPostfix(q("g(1)")), q("42 "));
    EXPECT_EQ(calls, (QStringList{q("UPPERCASE|x||"), q("QUOTE|||"), q("F|1| 4| 5"), q("G|1||")}));

    TrpParser bare;
    EXPECT_EQ(bare.ToPostfix(q("f(1)")), QString());
    EXPECT_EQ(bare.Calc(q("f(1)")), Variant());
}

TEST(TrpParser, ConversionWithoutCallsReportsThem)
{
    TrpParser parser;
    int calls = 0;
    parser.OnFunction = [&](const QString &, const Variant &, const Variant &, const Variant &, QString &) {
        ++calls;
    };
    bool hasCall = true;
    EXPECT_EQ(parser.ToPostfixWithoutCalls(q("a + 1"), hasCall), q("a 1 +"));
    EXPECT_FALSE(hasCall);
    for (const char *call : {"NEWPAGE(0)", "a + IF(b, 1, 2)", "COPY(a, 1, 1)", "f (1)"}) {
        EXPECT_FALSE(parser.ToPostfixWithoutCalls(q(call), hasCall)) << call;
        EXPECT_TRUE(hasCall) << call;
        EXPECT_FALSE(parser.error().isSet());
    }
    EXPECT_FALSE(parser.ToPostfixWithoutCalls(q("'open"), hasCall));
    EXPECT_FALSE(hasCall);
    EXPECT_TRUE(parser.error().isSet());
    EXPECT_EQ(calls, 0);
}

struct ErrorCase
{
    const char *expression;
    Kind kind;
};

TEST(TrpParser, BrokenExpressionsFailInsteadOfReadingOn)
{
    const ErrorCase cases[] = {
        {"'abc", Kind::Conversion},
        {"[abc", Kind::Conversion},
        {"(1 + 2", Kind::Conversion},
        {"1 + 2)", Kind::Conversion},
        {"COPY('abc', 1", Kind::Conversion},
        {"f(1", Kind::Conversion},
        {"1.2.3", Kind::Conversion},
        {"'abc' - 1", Kind::Conversion},
        {"COPY('abc', 'x', 1)", Kind::Conversion},
        {"COPY('abc', 1.5, 1)", Kind::Conversion},
        {"IF('x', 1, 2)", Kind::Conversion},
        {"2 +", Kind::Calculation},
        {"* 3", Kind::Calculation},
        {"NOT", Kind::Calculation},
        {"5 MOD 0", Kind::Calculation},
        {"5 MOD 1e30", Kind::Calculation},
        {"INT(1e19)", Kind::Calculation},
        {"ROUND(-1e19)", Kind::Calculation},
    };
    TrpParser parser;
    for (const ErrorCase &c : cases) {
        EXPECT_FALSE(parser.Calc(q(c.expression))) << c.expression;
        EXPECT_EQ(parser.error().kind, c.kind) << c.expression << ": " << parser.error().message.toStdString();
        EXPECT_FALSE(parser.error().message.isEmpty());
    }
    EXPECT_TRUE(parser.Calc(q("1")));
    EXPECT_FALSE(parser.error().isSet()) << "a new call starts without the old error";
    EXPECT_EQ(parser.Calc(q("INT(-9.2e18)")), Variant(-9.2e18));
}

TEST(TrpParser, RawPostfixTextsAreCheckedToo)
{
    TrpParser parser;
    EXPECT_EQ(parser.CalcPostfix(u"1 2 3 4 5 6 7 8 9 10 ++++++++ +"), Variant(55.0));
    for (const char16_t *bad : {u"+", u"1 +", u"\x06", u"(", u"1 )", u"[a", u"'a", u"1x "})
        EXPECT_FALSE(parser.CalcPostfix(bad)) << QString::fromUtf16(bad).toStdString();
    EXPECT_EQ(parser.CalcPostfix(u""), Variant());
}

TEST(TrpParser, DeepExpressionsUseAGrowingStack)
{
    TrpParser parser;
    QString sum = q("1");
    for (int i = 0; i < 200; ++i)
        sum += q(" + 1");
    EXPECT_EQ(parser.Calc(sum), Variant(201.0));
    QString postfix;
    for (int i = 0; i < 300; ++i)
        postfix += q("1 ");
    postfix += QString(299, QLatin1Char('+'));
    EXPECT_EQ(parser.CalcPostfix(postfix), Variant(300.0));
}

TEST(TrpParser, NestingIsLimited)
{
    auto nested = [](int depth, const char *open, const char *inner, const char *close) {
        QString text;
        for (int i = 0; i < depth; ++i)
            text += q(open);
        text += q(inner);
        for (int i = 0; i < depth; ++i)
            text += q(close);
        return text;
    };
    TrpParser parser;
    EXPECT_EQ(parser.Calc(nested(TrpParser::MaxDepth, "(", "1", ")")), Variant(1.0));
    EXPECT_FALSE(parser.Calc(nested(TrpParser::MaxDepth + 1, "(", "1", ")")));
    EXPECT_EQ(parser.error().kind, Kind::Calculation);
    EXPECT_EQ(parser.Calc(nested(20, "COPY(", "'abc'", ", 1, 3)")), Variant(q("abc")));
    EXPECT_FALSE(parser.Calc(nested(100, "COPY(", "'abc'", ", 1, 3)")));
    EXPECT_FALSE(parser.Calc(nested(100, "IF(1, ", "2", ", 3)")));
    EXPECT_FALSE(parser.Calc(q("[") + nested(TrpParser::MaxDepth, "[", "a", "]") + q("]")));
    EXPECT_EQ(parser.error().kind, Kind::Calculation);
}

TEST(TrpParser, JoinedTextsAreBounded)
{
    TrpParser parser;
    parser.OnGetValue = [](const QString &, Variant &value) {
        value = Variant(QString(TrpParser::MaxTextLength - 1, QLatin1Char('x')));
    };
    EXPECT_EQ(parser.Calc(q("[big] + 'y'"))->stringValue().size(), TrpParser::MaxTextLength);
    EXPECT_FALSE(parser.Calc(q("[big] + 'yz'")));
    EXPECT_EQ(parser.error().message, q("Text too long"));
}

TEST(TrpParser, ANameWhoseValueLeadsBackToItselfStops)
{
    TrpParser parser;
    int asked = 0;
    parser.OnGetValue = [&](const QString &name, Variant &value) {
        ++asked;
        // Like the report's lookup: an unknown name is evaluated as an expression.
        if (const std::optional<Variant> v = parser.Calc(QLatin1Char('[') + name + QLatin1Char(']')))
            value = *v;
    };
    EXPECT_FALSE(parser.Calc(q("[loop] + 1")));
    EXPECT_EQ(parser.error().message, q("Expression nested too deeply"));
    EXPECT_LE(asked, TrpParser::MaxDepth);
}

TEST(TrpParser, AFunctionThatExpandsToItselfStops)
{
    TrpParser parser;
    parser.OnFunction = [](const QString &, const Variant &, const Variant &, const Variant &, QString &val) {
        val = q("F(1)");
    };
    EXPECT_FALSE(parser.Calc(q("F(1)")));
    parser.OnFunction = [](const QString &, const Variant &, const Variant &, const Variant &, QString &val) {
        val = q(")F(1)(");
    };
    EXPECT_FALSE(parser.Calc(q("F(1)")));
}

TEST(TrpParser, HandlersRaiseErrors)
{
    TrpParser parser;
    parser.OnGetValue = [&](const QString &name, Variant &) {
        if (name == QLatin1String("bad"))
            parser.fail({Kind::Calculation, q("Undefined symbol \"bad\""), -1});
    };
    EXPECT_FALSE(parser.Calc(q("1 + [bad] * 2")));
    EXPECT_EQ(parser.error().message, q("Undefined symbol \"bad\""));
    EXPECT_TRUE(parser.Calc(q("[good]")));
}

TEST(TrpParser, NumbersFollowTheEngineDecimalSeparator)
{
    const QChar before = NumberFormat::decimalSeparator();
    NumberFormat::setDecimalSeparator(QLatin1Char(','));
    TrpParser parser;
    EXPECT_EQ(parser.Calc(q("1.5 * 2")), Variant(3.0));
    EXPECT_EQ(parser.Calc(q("STR(1.5)")), Variant(q("1,5")));
    EXPECT_EQ(parser.Calc(q("IF(0,5 + 0,5, 'a', 'b')")), Variant(q("b"))) << "the comma splits the arguments";
    NumberFormat::setDecimalSeparator(before);
}

} // namespace
