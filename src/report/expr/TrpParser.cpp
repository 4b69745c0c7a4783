#include "report/expr/TrpParser.h"

#include "report/expr/TrpExprSyntax.h"
#include "report/expr/TrpParserNesting.h"

#include "base/NumberFormat.h"

#include <QVarLengthArray>

#include <cmath>
#include <span>

namespace {

using namespace TrpExprSyntax;
using Kind = TrpError::Kind;

// Expressions whose converted form Calc keeps; it starts over when full.
constexpr qsizetype CacheLimit = 4096;
// Calls replaced in one conversion: a function whose result calls itself
// would otherwise expand for ever.
constexpr int MaxReplacements = 4096;

// A text that begins with a quote and is longer than two characters gets
// every quote between its first and last character doubled.
QString quoteRule(const QString &text)
{
    if (text.size() <= 2 || text[0] != QLatin1Char('\''))
        return text;
    QString inner = text.mid(1, text.size() - 2);
    inner.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + inner + text.back();
}

struct Arguments
{
    QString texts[3];
    qsizetype close = -1;
};

// The argument list from the "(" at open: commas at depth 1 outside quotes
// split it; the first comma closes the first argument, every later one the
// second, the closing ")" the one after the last comma.
std::optional<Arguments> argumentsOf(QStringView text, qsizetype open)
{
    Arguments args;
    int depth = 1;
    bool quoted = false;
    int commas = 0;
    qsizetype start = open + 1;
    for (qsizetype j = open + 1; j < text.size(); ++j) {
        const QChar c = text[j];
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            if (--depth == 0) {
                args.texts[qMin(commas, 2)] = text.mid(start, j - start).toString();
                args.close = j;
                return args;
            }
        } else if (c == QLatin1Char(',') && depth == 1) {
            args.texts[commas == 0 ? 0 : 1] = text.mid(start, j - start).toString();
            ++commas;
            start = j + 1;
        }
    }
    return std::nullopt;
}

// The whole number a value's text reads as, without writing the text, for
// the values whose text is plain digits: integers, and doubles without a
// fraction below the 15 digits their text keeps.
std::optional<qint64> wholeNumberOf(const Variant &value)
{
    if (value.type() == Variant::Type::Integer)
        return value.integerValue();
    if (value.type() == Variant::Type::Double) {
        const double d = value.doubleValue();
        if (std::trunc(d) == d && std::fabs(d) < 1e15)
            return qint64(d);
    }
    return std::nullopt;
}

// COPY of a text: from start (1-based) for count characters.
QString copyOf(const QString &text, qint64 start, qint64 count)
{
    if (start < 1)
        start = 1;
    if (count <= 0 || start > text.size())
        return {};
    return text.mid(qsizetype(start - 1), qsizetype(qMin<qint64>(count, text.size())));
}

} // namespace

TrpParser::TrpParser() = default;

void TrpParser::fail(TrpError error)
{
    if (error.kind == Kind::None)
        error.kind = Kind::Calculation;
    m_error = std::move(error);
}

void TrpParser::raise(TrpError::Kind kind, const QString &message, qsizetype position)
{
    m_error = TrpError{kind, message, position};
    throw Abort{};
}

qsizetype TrpParser::bracketEnd(QStringView text, qsizetype i, bool &tooDeep)
{
    int depth = 0;
    bool inDouble = false;
    bool inSingle = false;
    for (qsizetype j = i; j < text.size(); ++j) {
        const QChar c = text[j];
        if (c == QLatin1Char('"') && !inSingle) {
            inDouble = !inDouble;
        } else if (c == QLatin1Char('\'') && !inDouble) {
            inSingle = !inSingle;
        } else if (!inDouble && !inSingle) {
            if (c == QLatin1Char('[')) {
                if (++depth > MaxDepth) {
                    tooDeep = true;
                    return -1;
                }
            } else if (c == QLatin1Char(']') && --depth == 0) {
                return j + 1;
            }
        }
    }
    return -1;
}

qsizetype TrpParser::closingBracket(QStringView text, qsizetype open)
{
    bool tooDeep = false;
    const qsizetype end = bracketEnd(text, open, tooDeep);
    if (tooDeep)
        raise(Kind::Calculation, QStringLiteral("Expression nested too deeply"), open);
    if (end < 0)
        raise(Kind::Conversion, QStringLiteral("Unterminated bracket"), open);
    return end;
}

void TrpParser::checkHandler()
{
    if (m_error.isSet())
        throw Abort{};
}

template <typename F> auto TrpParser::guarded(F &&body) -> std::optional<decltype(body())>
{
    if (m_depth == 0)
        m_error = {};
    try {
        return body();
    } catch (const Abort &) {
        return std::nullopt;
    }
}

std::optional<QString> TrpParser::ToPostfix(const QString &expression)
{
    return guarded([&] { return convert(expression, true); });
}

std::optional<Variant> TrpParser::CalcPostfix(QStringView postfix)
{
    return guarded([&] { return evaluate(postfix); });
}

std::optional<Variant> TrpParser::Calc(const QString &expression)
{
    return guarded([&] { return calculate(expression); });
}

std::optional<QString> TrpParser::ToPostfixWithoutCalls(const QString &expression, bool &hasCall)
{
    hasCall = false;
    if (m_depth == 0)
        m_error = {};
    try {
        return convert(expression, false);
    } catch (const CallMet &) {
        hasCall = true;
    } catch (const Abort &) {
    }
    return std::nullopt;
}

// One conversion of an infix text into postfix: the text as it is read
// (calls are replaced in it as they run), the postfix written so far and
// the operators still pending, the last one on top.
class TrpParser::Conversion
{
public:
    // The first calls take their results from known, without running; with
    // stopAhead, the one after them is thrown as CallAhead instead.
    Conversion(TrpParser &parser, QString work, bool runCalls, std::span<const QString> known = {},
               bool stopAhead = false)
        : m_parser(parser), m_work(std::move(work)), m_runCalls(runCalls), m_known(known), m_stopAhead(stopAhead)
    {
        m_out.reserve(m_work.size() + 8);
    }

    QString run();

private:
    bool bracket(char16_t c);
    bool pairedOperator(char16_t c);
    void pushOperator(char16_t c);
    void operand(char16_t c);
    QString readToken(char16_t c, bool &word);
    bool replaceCall(const QString &upper, qsizetype start);
    void popOperator()
    {
        m_out.append(m_stack.back());
        m_stack.chop(1);
    }

    TrpParser &m_parser;
    QString m_work;
    bool m_runCalls;
    std::span<const QString> m_known;
    bool m_stopAhead;
    QString m_out;
    QString m_stack;
    qsizetype m_i = 0;
    bool m_operand = false;
    int m_parentheses = 0;
    int m_replacements = 0;
};

QString TrpParser::Conversion::run()
{
    while (m_i < m_work.size()) {
        const char16_t c = m_work[m_i].unicode();
        if (c == u' ') {
            ++m_i;
            continue;
        }
        if (c == u';')
            break;
        if (bracket(c) || pairedOperator(c))
            continue;
        if (isBinary(c) || isUnary(c)) {
            pushOperator(c);
            ++m_i;
            continue;
        }
        operand(c);
    }
    while (!m_stack.isEmpty()) {
        if (m_stack.back() == QLatin1Char('('))
            m_parser.raise(Kind::Conversion, QStringLiteral("Unbalanced brackets"), m_work.size());
        popOperator();
    }
    return m_out;
}

// An opening bracket waits on the stack; a closing one writes out what was
// pushed since its partner.
bool TrpParser::Conversion::bracket(char16_t c)
{
    if (c == u'(') {
        if (++m_parentheses > MaxDepth)
            m_parser.raise(Kind::Calculation, QStringLiteral("Expression nested too deeply"), m_i);
        m_stack.append(QLatin1Char('('));
        m_operand = false;
        ++m_i;
        return true;
    }
    if (c != u')')
        return false;
    const qsizetype open = m_stack.lastIndexOf(QLatin1Char('('));
    if (open < 0)
        m_parser.raise(Kind::Conversion, QStringLiteral("Unbalanced brackets"), m_i);
    while (m_stack.size() > open + 1)
        popOperator();
    m_stack.chop(1);
    --m_parentheses;
    ++m_i;
    return true;
}

// "<>", ">=" and "<=" become their one-character codes in the text, which
// the next round reads as an operator.
bool TrpParser::Conversion::pairedOperator(char16_t c)
{
    if (m_i + 1 >= m_work.size())
        return false;
    const char16_t next = m_work[m_i + 1].unicode();
    char16_t code = 0;
    if (c == u'<' && next == u'>')
        code = OpNotEqual;
    else if (c == u'>' && next == u'=')
        code = OpGreaterEqual;
    else if (c == u'<' && next == u'=')
        code = OpLessEqual;
    if (!code)
        return false;
    m_work[m_i + 1] = QChar(code);
    ++m_i;
    return true;
}

void TrpParser::Conversion::pushOperator(char16_t c)
{
    if (!m_operand) {
        if (c == u'-')
            c = OpNegate;
        else if (c == u'+')
            c = OpPlus;
    }
    m_operand = false;
    // A prefix operator waits for its operand and pops nothing, so that
    // "2*-3" keeps the product for after the negation.
    if (!isUnary(c)) {
        while (!m_stack.isEmpty() && priority(c) >= priority(m_stack.back().unicode()))
            popOperator();
    }
    m_stack.append(QChar(c));
}

// A literal, a bracketed name (each perhaps after a %D or %T mode) or a
// word; word is false for the first two.
QString TrpParser::Conversion::readToken(char16_t c, bool &word)
{
    QString token;
    word = true;
    if (c == u'%' && m_i + 1 < m_work.size() && m_work[m_i + 1].isLetter()) {
        token = m_work.mid(m_i, 2);
        m_i += 2;
        word = false;
    }
    qsizetype end = 0;
    if (m_i < m_work.size() && m_work[m_i] == QLatin1Char('\'')) {
        end = literalEnd(m_work, m_i);
        if (end < 0)
            m_parser.raise(Kind::Conversion, QStringLiteral("Unterminated string"), m_i);
        word = false;
    } else if (m_i < m_work.size() && m_work[m_i] == QLatin1Char('[')) {
        end = m_parser.closingBracket(m_work, m_i);
        word = false;
    } else {
        while (m_i < m_work.size() && m_work[m_i] == QLatin1Char(' '))
            ++m_i;
        end = wordEnd(m_work, m_i);
    }
    token += QStringView(m_work).mid(m_i, end - m_i);
    m_i = end;
    return token;
}

// An operand goes out as it stands, except a built-in word, which is an
// operator, and a call, which is replaced in the text by its result.
void TrpParser::Conversion::operand(char16_t c)
{
    m_operand = true;
    const qsizetype start = m_i;
    bool word = true;
    const QString token = readToken(c, word);
    if (word && !token.isEmpty()) {
        if (isNumberStart(token[0])) {
            if (!numberOf(token))
                m_parser.raise(Kind::Conversion, QStringLiteral("'%1' is not a valid floating point value").arg(token),
                               start);
        } else {
            const QString upper = token.toUpper();
            if (const char16_t code = builtinCode(upper)) {
                pushOperator(code);
                return;
            }
            if (replaceCall(upper, start))
                return;
        }
    }
    m_out += token + QLatin1Char(' ');
}

bool TrpParser::Conversion::replaceCall(const QString &upper, qsizetype start)
{
    qsizetype open = m_i;
    while (open < m_work.size() && m_work[open] == QLatin1Char(' '))
        ++open;
    if (open >= m_work.size() || m_work[open] != QLatin1Char('('))
        return false;
    if (!m_runCalls)
        throw CallMet{};
    const std::optional<Arguments> args = argumentsOf(m_work, open);
    if (!args)
        m_parser.raise(Kind::Conversion, QStringLiteral("Unterminated argument list"), open);
    if (++m_replacements > MaxReplacements)
        m_parser.raise(Kind::Calculation, QStringLiteral("Too many function calls"), start);
    const size_t call = m_replacements - 1;
    if (call == m_known.size() && m_stopAhead)
        throw CallAhead{upper, {args->texts[0], args->texts[1], args->texts[2]}};
    const QString replacement = call < m_known.size() ? m_known[call] : m_parser.callReplacement(upper, args->texts);
    m_work.replace(start, args->close + 1 - start, replacement);
    m_i = start;
    return true;
}

QString TrpParser::convert(QString work, bool runCalls)
{
    Nesting nesting(*this);
    return Conversion(*this, std::move(work), runCalls).run();
}

QString TrpParser::copyResult(const QString (&args)[3], std::optional<qint64> knownStart,
                              std::optional<qint64> knownCount)
{
    const qint64 start = knownStart ? *knownStart : integerOf(args[1]);
    const qint64 count = knownCount ? *knownCount : integerOf(args[2]);
    const QString text = calculate(args[0]).toText();
    return copyOf(text, start, count);
}

Variant TrpParser::calculate(const QString &expression)
{
    std::shared_ptr<TrpConvertedExpression> converted;
    if (const auto known = m_converted.find(expression); known != m_converted.end()) {
        converted = known->second;
    } else {
        if (qsizetype(m_converted.size()) >= CacheLimit)
            m_converted.clear();
        converted = std::make_shared<TrpConvertedExpression>();
        m_converted.emplace(expression, converted);
    }
    QString postfix;
    {
        // Nested as a conversion is, so that the same depths fail.
        Nesting nesting(*this);
        postfix = followConverted(expression, *converted);
    }
    return evaluate(postfix);
}

// Runs the calls of the kept form one by one, recording the steps their
// results lead to when they are new, up to the postfix text.
QString TrpParser::followConverted(const QString &expression, TrpConvertedExpression &converted)
{
    using Step = TrpConvertedExpression::Step;
    // What each call gave (for a COPY the text it copied), and the COPY
    // results alone.
    QVarLengthArray<QString, 8> results;
    QVarLengthArray<bool, 8> copied;
    QVarLengthArray<QString, 4> copies;
    // The texts the calls wrote into the expression, or with marks in place
    // of the COPY results, as they were recorded.
    const auto written = [&](bool marks) {
        QStringList texts;
        qsizetype copy = 0;
        for (qsizetype i = 0; i < results.size(); ++i) {
            if (!copied[i])
                texts.append(results[i]);
            else if (marks)
                texts.append(TrpConvertedExpression::copyLiteral(TrpConvertedExpression::copyMark(copy++)));
            else
                texts.append(TrpConvertedExpression::copyLiteral(results[i]));
        }
        return texts;
    };
    Step *step = converted.root();
    if (!step)
        step = converted.setRoot(record(expression, {}, 0));
    for (;;) {
        switch (step->kind) {
        case Step::Kind::Postfix:
            return step->postfixWith(copies);
        case Step::Kind::Convert:
            return Conversion(*this, expression, true, written(false)).run();
        case Step::Kind::Call:
            break;
        }
        // A COPY always leads to the same step, whatever it copied.
        QString key;
        if (step->name == QLatin1String("COPY")) {
            copies.append(copyResult(step->args, step->start, step->count));
            results.append(copies.back());
        } else if (step->name == QLatin1String("IF")) {
            results.append(step->branches[conditionHolds(step->args[0]) ? 0 : 1]);
            key = results.back();
        } else {
            results.append(callReplacement(step->name, step->args));
            key = results.back();
        }
        copied.append(key.isNull());
        Step *next = step->after(key);
        if (!next && converted.full())
            return Conversion(*this, expression, true, written(false)).run();
        if (!next)
            next = converted.add(*step, key, record(expression, written(true), copies.size()));
        step = next;
    }
}

// Converts with the recorded call results, up to the next call or the end.
std::unique_ptr<TrpConvertedExpression::Step> TrpParser::record(const QString &expression,
                                                                std::span<const QString> results, qsizetype copies)
{
    try {
        const QString postfix = Conversion(*this, expression, true, results, true).run();
        return TrpConvertedExpression::postfix(postfix, copies);
    } catch (const CallAhead &call) {
        return TrpConvertedExpression::call(call.name, call.args);
    } catch (const Abort &) {
        // The conversion fails here whatever the results were; converting
        // again raises the error with its position in the real text.
        m_error = {};
        return TrpConvertedExpression::convertAgain();
    }
}

QString TrpParser::callReplacement(const QString &name, const QString (&args)[3])
{
    if (name == QLatin1String("COPY"))
        return TrpConvertedExpression::copyLiteral(copyResult(args));
    if (name == QLatin1String("IF"))
        return TrpConvertedExpression::branch(args, conditionHolds(args[0]));
    if (!OnFunction)
        return QStringLiteral("()");
    QString val;
    OnFunction(name, Variant(args[0]), Variant(args[1]), Variant(args[2]), val);
    checkHandler();
    return QLatin1Char('(') + quoteRule(val) + QLatin1Char(')');
}

bool TrpParser::conditionHolds(const QString &condition)
{
    const Variant value = calculate(condition);
    if (const std::optional<qint64> whole = wholeNumberOf(value))
        return *whole > 0;
    const QString text = value.toText();
    const std::optional<double> number = NumberFormat::textToFloat(text);
    if (!number)
        raise(Kind::Conversion, QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return std::trunc(*number) > 0;
}

qint64 TrpParser::integerOf(const QString &argument)
{
    const Variant argumentValue = calculate(argument);
    if (const std::optional<qint64> whole = wholeNumberOf(argumentValue))
        return *whole;
    const QString text = argumentValue.toText();
    const std::optional<qint64> value = NumberFormat::textToInteger(text);
    if (!value)
        raise(Kind::Conversion, QStringLiteral("'%1' is not a valid integer value").arg(text));
    return *value;
}

Variant TrpParser::valueOf(const QString &name)
{
    Variant value;
    if (OnGetValue) {
        OnGetValue(name, value);
        checkHandler();
    }
    return value;
}
