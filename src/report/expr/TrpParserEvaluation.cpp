#include "report/expr/TrpParser.h"

#include "report/expr/TrpExprSyntax.h"
#include "report/expr/TrpParserNesting.h"

#include "base/NumberFormat.h"

#include <QVarLengthArray>

#include <cmath>

namespace {

using namespace TrpExprSyntax;
using Kind = TrpError::Kind;

// Limit of the 64-bit integers as a double.
constexpr double IntegerLimit = 9223372036854775808.0;

} // namespace

// The postfix text evaluated on a stack of variants, with the checks and the
// arithmetic of its operators.
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
            if (text.contains(QLatin1Char('\'')))
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
