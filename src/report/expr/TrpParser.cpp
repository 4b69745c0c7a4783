#include "report/expr/TrpParser.h"

#include "base/NumberFormat.h"

#include <QVarLengthArray>

#include <cmath>

namespace {

using Kind = TrpError::Kind;

// Postfix texts kept by Calc; the cache starts over when it is full.
constexpr qsizetype CacheLimit = 4096;
// Calls replaced in one conversion: a function whose result calls itself
// would otherwise expand for ever.
constexpr int MaxReplacements = 4096;
// Limit of the 64-bit integers as a double.
constexpr double IntegerLimit = 9223372036854775808.0;

// A lower number binds tighter.
int priority(char16_t c)
{
    switch (c) {
    case TrpParser::OpGreaterEqual:
    case TrpParser::OpLessEqual:
    case TrpParser::OpNotEqual:
    case u'<':
    case u'=':
    case u'>':
        return 3;
    case TrpParser::OpOr:
    case TrpParser::OpAnd:
    case TrpParser::OpNot:
    case TrpParser::OpMod:
    case u'*':
    case u'/':
        return 1;
    case TrpParser::OpNegate:
    case TrpParser::OpPlus:
    case u'+':
    case u'-':
        return 2;
    case u'(':
        return 5;
    case u')':
        return 4;
    default:
        return 0;
    }
}

// The operators written as one character of their own; they also end a
// word.
bool isOperatorCharacter(char16_t c)
{
    switch (c) {
    case u'*':
    case u'+':
    case u'-':
    case u'/':
    case u'<':
    case u'=':
    case u'>':
        return true;
    default:
        return false;
    }
}

bool isBinary(char16_t c)
{
    switch (c) {
    case TrpParser::OpGreaterEqual:
    case TrpParser::OpLessEqual:
    case TrpParser::OpNotEqual:
    case TrpParser::OpOr:
    case TrpParser::OpAnd:
    case TrpParser::OpMod:
        return true;
    default:
        return isOperatorCharacter(c);
    }
}

bool isUnary(char16_t c)
{
    switch (c) {
    case TrpParser::OpInt:
    case TrpParser::OpFrac:
    case TrpParser::OpNegate:
    case TrpParser::OpPlus:
    case TrpParser::OpStr:
    case TrpParser::OpNot:
    case TrpParser::OpRound:
        return true;
    default:
        return false;
    }
}

char16_t builtinCode(const QString &upper)
{
    static const QHash<QString, char16_t> codes = {
        {QStringLiteral("INT"), TrpParser::OpInt},     {QStringLiteral("FRAC"), TrpParser::OpFrac},
        {QStringLiteral("ROUND"), TrpParser::OpRound}, {QStringLiteral("OR"), TrpParser::OpOr},
        {QStringLiteral("AND"), TrpParser::OpAnd},     {QStringLiteral("NOT"), TrpParser::OpNot},
        {QStringLiteral("STR"), TrpParser::OpStr},     {QStringLiteral("MOD"), TrpParser::OpMod},
    };
    return codes.value(upper, 0);
}

bool isNumberStart(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') || c == QLatin1Char(',');
}

// A number word with "," or "." as its decimal point.
std::optional<double> numberOf(QStringView word)
{
    QString text = word.toString();
    const QChar separator = NumberFormat::decimalSeparator();
    for (QChar &c : text) {
        if (c == QLatin1Char(',') || c == QLatin1Char('.'))
            c = separator;
    }
    return NumberFormat::textToFloat(text);
}

// From the opening quote at i: the index after the closing quote, or -1.
// Two quotes in a row stand for one and do not close the literal.
qsizetype literalEnd(QStringView text, qsizetype i)
{
    for (qsizetype j = i + 1; j < text.size(); ++j) {
        if (text[j] == QLatin1Char('\'')) {
            if (j + 1 < text.size() && text[j + 1] == QLatin1Char('\''))
                ++j;
            else
                return j + 1;
        }
    }
    return -1;
}

bool isWordDelimiter(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('(') || c == QLatin1Char(')') || isOperatorCharacter(c.unicode());
}

// A word ends at a blank or an operator character, except while an odd
// number of double quotes has been passed inside it.
qsizetype wordEnd(QStringView text, qsizetype i)
{
    bool quoted = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted && isWordDelimiter(c))
            break;
    }
    return i;
}

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

QString TrpParser::convert(QString work, bool runCalls)
{
    Nesting nesting(*this);
    QString out;
    out.reserve(work.size() + 8);
    // Pending operators; the top is the last character.
    QString stack;
    bool operand = false;
    int parentheses = 0;
    int replacements = 0;

    auto pushOperator = [&](char16_t c) {
        if (!operand) {
            if (c == u'-')
                c = OpNegate;
            else if (c == u'+')
                c = OpPlus;
        }
        operand = false;
        // A prefix operator waits for its operand and pops nothing, so that
        // "2*-3" keeps the product for after the negation.
        if (!isUnary(c)) {
            while (!stack.isEmpty() && priority(c) >= priority(stack.back().unicode())) {
                out.append(stack.back());
                stack.chop(1);
            }
        }
        stack.append(QChar(c));
    };

    qsizetype i = 0;
    while (i < work.size()) {
        const char16_t c = work[i].unicode();
        if (c == u' ') {
            ++i;
            continue;
        }
        if (c == u';')
            break;
        if (c == u'(') {
            if (++parentheses > MaxDepth)
                raise(Kind::Calculation, QStringLiteral("Expression nested too deeply"), i);
            stack.append(QLatin1Char('('));
            operand = false;
            ++i;
            continue;
        }
        if (c == u')') {
            const qsizetype open = stack.lastIndexOf(QLatin1Char('('));
            if (open < 0)
                raise(Kind::Conversion, QStringLiteral("Unbalanced brackets"), i);
            while (stack.size() > open + 1) {
                out.append(stack.back());
                stack.chop(1);
            }
            stack.chop(1);
            --parentheses;
            ++i;
            continue;
        }
        if (i + 1 < work.size()) {
            const char16_t next = work[i + 1].unicode();
            char16_t code = 0;
            if (c == u'<' && next == u'>')
                code = OpNotEqual;
            else if (c == u'>' && next == u'=')
                code = OpGreaterEqual;
            else if (c == u'<' && next == u'=')
                code = OpLessEqual;
            if (code) {
                work[i + 1] = QChar(code);
                ++i;
                continue;
            }
        }
        if (isBinary(c) || isUnary(c)) {
            pushOperator(c);
            ++i;
            continue;
        }

        // An operand.
        operand = true;
        const qsizetype start = i;
        QString token;
        bool word = true;
        if (c == u'%' && i + 1 < work.size() && work[i + 1].isLetter()) {
            token = work.mid(i, 2);
            i += 2;
            word = false;
        }
        if (i < work.size() && work[i] == QLatin1Char('\'')) {
            const qsizetype end = literalEnd(work, i);
            if (end < 0)
                raise(Kind::Conversion, QStringLiteral("Unterminated string"), i);
            token += QStringView(work).mid(i, end - i);
            i = end;
            word = false;
        } else if (i < work.size() && work[i] == QLatin1Char('[')) {
            const qsizetype end = closingBracket(work, i);
            token += QStringView(work).mid(i, end - i);
            i = end;
            word = false;
        } else {
            while (i < work.size() && work[i] == QLatin1Char(' '))
                ++i;
            const qsizetype end = wordEnd(work, i);
            token += QStringView(work).mid(i, end - i);
            i = end;
        }

        if (!word || token.isEmpty()) {
            out += token + QLatin1Char(' ');
            continue;
        }
        if (isNumberStart(token[0])) {
            if (!numberOf(token))
                raise(Kind::Conversion, QStringLiteral("'%1' is not a valid floating point value").arg(token), start);
            out += token + QLatin1Char(' ');
            continue;
        }
        const QString upper = token.toUpper();
        if (const char16_t code = builtinCode(upper)) {
            pushOperator(code);
            continue;
        }
        qsizetype open = i;
        while (open < work.size() && work[open] == QLatin1Char(' '))
            ++open;
        if (open < work.size() && work[open] == QLatin1Char('(')) {
            if (!runCalls)
                throw CallMet{};
            const std::optional<Arguments> args = argumentsOf(work, open);
            if (!args)
                raise(Kind::Conversion, QStringLiteral("Unterminated argument list"), open);
            if (++replacements > MaxReplacements)
                raise(Kind::Calculation, QStringLiteral("Too many function calls"), start);
            const QString replacement = callReplacement(upper, args->texts);
            work.replace(start, args->close + 1 - start, replacement);
            i = start;
            continue;
        }
        out += token + QLatin1Char(' ');
    }
    while (!stack.isEmpty()) {
        if (stack.back() == QLatin1Char('('))
            raise(Kind::Conversion, QStringLiteral("Unbalanced brackets"), work.size());
        out.append(stack.back());
        stack.chop(1);
    }
    return out;
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
