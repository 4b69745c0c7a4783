#include "report/expr/TrpExprSyntax.h"

#include "report/expr/TrpParser.h"

#include "base/NumberFormat.h"

#include <utility>

namespace {

bool isWordDelimiter(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('(') || c == QLatin1Char(')') ||
           TrpExprSyntax::isOperatorCharacter(c.unicode());
}

} // namespace

int TrpExprSyntax::priority(char16_t c)
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

bool TrpExprSyntax::isOperatorCharacter(char16_t c)
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

bool TrpExprSyntax::isBinary(char16_t c)
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

bool TrpExprSyntax::isUnary(char16_t c)
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

char16_t TrpExprSyntax::builtinCode(const QString &upper)
{
    // Asked for every word converted: a scan of eight short names costs
    // less than hashing the word.
    static constexpr std::pair<QLatin1StringView, char16_t> codes[] = {
        {QLatin1StringView("INT"), TrpParser::OpInt},     {QLatin1StringView("FRAC"), TrpParser::OpFrac},
        {QLatin1StringView("ROUND"), TrpParser::OpRound}, {QLatin1StringView("OR"), TrpParser::OpOr},
        {QLatin1StringView("AND"), TrpParser::OpAnd},     {QLatin1StringView("NOT"), TrpParser::OpNot},
        {QLatin1StringView("STR"), TrpParser::OpStr},     {QLatin1StringView("MOD"), TrpParser::OpMod},
    };
    if (upper.size() > 5)
        return 0;
    for (const auto &[name, code] : codes) {
        if (upper == name)
            return code;
    }
    return 0;
}

bool TrpExprSyntax::isNumberStart(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') || c == QLatin1Char(',');
}

std::optional<double> TrpExprSyntax::numberOf(QStringView word)
{
    QString text = word.toString();
    const QChar separator = NumberFormat::decimalSeparator();
    for (QChar &c : text) {
        if (c == QLatin1Char(',') || c == QLatin1Char('.'))
            c = separator;
    }
    return NumberFormat::textToFloat(text);
}

qsizetype TrpExprSyntax::literalEnd(QStringView text, qsizetype i)
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

qsizetype TrpExprSyntax::wordEnd(QStringView text, qsizetype i)
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
