#include "report/expr/TrpParser.h"

#include "report/expr/TrpExprSyntax.h"

#include "base/NumberFormat.h"

#include <QVarLengthArray>

#include <cmath>

namespace {

using namespace TrpExprSyntax;
using Kind = TrpError::Kind;

// Postfix texts kept by Calc; the cache starts over when it is full.
constexpr qsizetype CacheLimit = 4096;
// Calls replaced in one conversion: a function whose result calls itself
// would otherwise expand for ever.
constexpr int MaxReplacements = 4096;
// Limit of the 64-bit integers as a double.
constexpr double IntegerLimit = 9223372036854775808.0;

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

// Counts how deep conversions and evaluations are nested.
class TrpParser::Nesting
{
public:
    explicit Nesting(TrpParser &parser) : m_parser(parser)
    {
        if (++m_parser.m_depth > MaxDepth) {
            --m_parser.m_depth;
            m_parser.raise(Kind::Calculation, QStringLiteral("Expression nested too deeply"));
        }
    }
    ~Nesting() { --m_parser.m_depth; }
    Nesting(const Nesting &) = delete;
    Nesting &operator=(const Nesting &) = delete;

private:
    TrpParser &m_parser;
};

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

Variant TrpParser::calculate(const QString &expression)
{
    if (const auto cached = m_postfixCache.constFind(expression); cached != m_postfixCache.cend()) {
        // A copy: a handler may change the cache while the text is evaluated.
        const QString postfix = *cached;
        return evaluate(postfix);
    }
    const quint64 callsBefore = m_callsRun;
    const QString postfix = convert(expression, true);
    if (callsBefore == m_callsRun) {
        if (m_postfixCache.size() >= CacheLimit)
            m_postfixCache.clear();
        m_postfixCache.insert(expression, postfix);
    }
    return evaluate(postfix);
}

// One conversion of an infix text into postfix: the text as it is read
// (calls are replaced in it as they run), the postfix written so far and
// the operators still pending, the last one on top.
class TrpParser::Conversion
{
public:
    Conversion(TrpParser &parser, QString work, bool runCalls)
        : m_parser(parser), m_work(std::move(work)), m_runCalls(runCalls)
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
    const QString replacement = m_parser.callReplacement(upper, args->texts);
    m_work.replace(start, args->close + 1 - start, replacement);
    m_i = start;
    return true;
}

QString TrpParser::convert(QString work, bool runCalls)
{
    Nesting nesting(*this);
    return Conversion(*this, std::move(work), runCalls).run();
}

QString TrpParser::callReplacement(const QString &name, const QString (&args)[3])
{
    ++m_callsRun;
    if (name == QLatin1String("COPY")) {
        const qint64 start = integerOf(args[1]);
        const qint64 count = integerOf(args[2]);
        const QString text = calculate(args[0]).toText();
        return QLatin1Char('(') + quoteRule(QLatin1Char('\'') + copyOf(text, start, count) + QLatin1Char('\'')) +
               QLatin1Char(')');
    }
    if (name == QLatin1String("IF")) {
        const QString condition = calculate(args[0]).toText();
        const std::optional<double> value = NumberFormat::textToFloat(condition);
        if (!value)
            raise(Kind::Conversion, QStringLiteral("'%1' is not a valid floating point value").arg(condition));
        // The chosen branch is an expression, not a value: it goes in as it
        // stands, so that its own literals keep their quotes.
        return QLatin1Char('(') + (std::trunc(*value) > 0 ? args[1] : args[2]) + QLatin1Char(')');
    }
    if (!OnFunction)
        return QStringLiteral("()");
    QString val;
    OnFunction(name, Variant(args[0]), Variant(args[1]), Variant(args[2]), val);
    checkHandler();
    return QLatin1Char('(') + quoteRule(val) + QLatin1Char(')');
}

qint64 TrpParser::integerOf(const QString &argument)
{
    const QString text = calculate(argument).toText();
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

Variant TrpParser::evaluate(QStringView postfix)
{
    Nesting nesting(*this);
    QVarLengthArray<Variant, 16> stack;
    enum class Mode { None, Date, Time } mode = Mode::None;
    const qsizetype n = postfix.size();
    qsizetype i = 0;
    while (i < n) {
        const char16_t c = postfix[i].unicode();
        if (c == u' ') {
            ++i;
            continue;
        }
        if (isBinary(c)) {
            if (stack.size() < 2)
                raise(Kind::Calculation, QStringLiteral("Missing operand"), i);
            const Variant right = std::move(stack.back());
            stack.pop_back();
            applyBinary(c, stack.back(), right);
            ++i;
            continue;
        }
        if (isUnary(c)) {
            if (stack.isEmpty())
                raise(Kind::Calculation, QStringLiteral("Missing operand"), i);
            applyUnary(c, stack.back());
            ++i;
            continue;
        }
        if (c == u'%' && i + 1 < n && postfix[i + 1].isLetter()) {
            const QChar m = postfix[i + 1].toUpper();
            if (m == QLatin1Char('D'))
                mode = Mode::Date;
            else if (m == QLatin1Char('T'))
                mode = Mode::Time;
            i += 2;
            continue;
        }
        if (c == u'[') {
            const qsizetype end = closingBracket(postfix, i);
            stack.append(valueOf(postfix.mid(i + 1, end - i - 2).toString()));
            i = end;
            continue;
        }
        if (c == u'\'') {
            const qsizetype end = literalEnd(postfix, i);
            if (end < 0)
                raise(Kind::Conversion, QStringLiteral("Unterminated string"), i);
            QString text = postfix.mid(i + 1, end - i - 2).toString();
            text.replace(QStringLiteral("''"), QStringLiteral("'"));
            if (mode == Mode::Date) {
                const std::optional<TDateTime> date = Variant::dateFromText(text);
                if (!date)
                    raise(Kind::Conversion, QStringLiteral("'%1' is not a valid date").arg(text), i);
                stack.append(Variant::dateTime(*date));
            } else if (mode == Mode::Time) {
                const std::optional<TDateTime> time = Variant::timeFromText(text);
                if (!time)
                    raise(Kind::Conversion, QStringLiteral("'%1' is not a valid time").arg(text), i);
                stack.append(Variant::dateTime(*time));
            } else {
                stack.append(Variant(std::move(text)));
            }
            mode = Mode::None;
            i = end;
            continue;
        }
        if (c == u'(' || c == u')')
            raise(Kind::Conversion, QStringLiteral("Unbalanced brackets"), i);
        const qsizetype end = wordEnd(postfix, i);
        const QStringView word = postfix.mid(i, end - i);
        if (isNumberStart(word[0])) {
            const std::optional<double> value = numberOf(word);
            if (!value)
                raise(Kind::Conversion, QStringLiteral("'%1' is not a valid floating point value").arg(word), i);
            stack.append(Variant(*value));
        } else {
            stack.append(valueOf(word.toString().toUpper()));
        }
        i = end;
    }
    return stack.isEmpty() ? Variant() : std::move(stack.front());
}

void TrpParser::check(Variant::Status status, const Variant &a, const Variant &b)
{
    switch (status) {
    case Variant::Status::Ok:
        return;
    case Variant::Status::NotANumber: {
        const Variant &culprit = a.toDouble() ? b : a;
        if (culprit.type() != Variant::Type::String)
            raise(Kind::Conversion, QStringLiteral("Invalid variant type conversion"));
        raise(Kind::Conversion, QStringLiteral("'%1' is not a valid floating point value").arg(culprit.toText()));
    }
    case Variant::Status::NotADate: {
        const Variant &culprit = a.type() == Variant::Type::String ? a : b;
        raise(Kind::Conversion, QStringLiteral("'%1' is not a valid date").arg(culprit.toText()));
    }
    case Variant::Status::DivisionByZero:
        raise(Kind::Calculation, QStringLiteral("Division by zero"));
    case Variant::Status::Overflow:
        raise(Kind::Calculation, QStringLiteral("Integer overflow"));
    }
}

void TrpParser::applyBinary(char16_t code, Variant &a, const Variant &b)
{
    Variant result;
    int order = 0;
    switch (code) {
    case u'<':
    case u'=':
    case u'>':
    case OpGreaterEqual:
    case OpLessEqual:
    case OpNotEqual: {
        check(Variant::compare(a, b, order), a, b);
        bool holds = false;
        switch (code) {
        case u'<':
            holds = order < 0;
            break;
        case u'=':
            holds = order == 0;
            break;
        case u'>':
            holds = order > 0;
            break;
        case OpGreaterEqual:
            holds = order >= 0;
            break;
        case OpLessEqual:
            holds = order <= 0;
            break;
        default:
            holds = order != 0;
            break;
        }
        a = Variant(holds ? 1 : 0);
        return;
    }
    case u'+':
    case OpOr:
        // A join of texts past any page's text is a runaway loop's, whose
        // steps would otherwise grow beyond what its time bound can stop.
        if (a.type() == Variant::Type::String && b.type() == Variant::Type::String &&
            a.stringValue().size() > MaxTextLength - b.stringValue().size())
            raise(Kind::Calculation, QStringLiteral("Text too long"));
        check(Variant::add(a, b, result), a, b);
        break;
    case u'*':
    case OpAnd:
        check(Variant::multiply(a, b, result), a, b);
        break;
    case u'-':
        check(Variant::subtract(a, b, result), a, b);
        break;
    case OpMod:
        check(Variant::modulo(a, b, result), a, b);
        break;
    case u'/':
        check(Variant::compare(b, Variant(0), order), b, Variant(0));
        if (order == 0) {
            // Division by zero gives 0 in the templates' language.
            a = Variant(0);
            return;
        }
        check(Variant::divide(a, b, result), a, b);
        break;
    default:
        return;
    }
    a = std::move(result);
}

void TrpParser::applyUnary(char16_t code, Variant &v)
{
    if (code == OpPlus)
        return;
    if (code == OpStr) {
        v = Variant(v.toText());
        return;
    }
    if (code == OpNot) {
        int order = 0;
        check(Variant::compare(v, Variant(0), order), v, Variant(0));
        v = Variant(order == 0 ? 1 : 0);
        return;
    }
    if (code == OpNegate) {
        Variant result;
        check(Variant::negate(v, result), v, v);
        v = std::move(result);
        return;
    }
    const std::optional<double> value = v.toDouble();
    if (!value)
        check(Variant::Status::NotANumber, v, v);
    switch (code) {
    case OpInt: {
        const double whole = std::trunc(*value);
        if (!(whole >= -IntegerLimit && whole < IntegerLimit))
            raise(Kind::Calculation, QStringLiteral("Integer overflow"));
        v = Variant(whole);
        return;
    }
    case OpFrac:
        v = Variant(*value - std::trunc(*value));
        return;
    case OpRound: {
        const double rounded = NumberFormat::roundHalfEven(*value);
        if (!(rounded >= -IntegerLimit && rounded < IntegerLimit))
            raise(Kind::Calculation, QStringLiteral("Integer overflow"));
        v = Variant(qint64(rounded));
        return;
    }
    default:
        return;
    }
}
