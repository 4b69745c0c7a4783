#include "base/NumberFormat.h"

#include <QList>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

constexpr int SignificantDigits = 15;

struct Separators
{
    QChar decimal = QLatin1Char('.');
    QChar thousands = QLatin1Char(',');
};

Separators &separators()
{
    static Separators settings;
    return settings;
}

// A non-negative value as decimal digits: value = 0.d1d2d3... * 10^exponent.
// No trailing zeros; no digits at all for zero.
struct Decimal
{
    std::string digits;
    int exponent = 0;

    [[nodiscard]] bool isZero() const { return digits.empty(); }
    // The digit at the given place counted from the decimal point (0 the
    // first integer digit when exponent is 1, negative places are integer
    // digits further left); '0' outside the stored digits.
    [[nodiscard]] char at(int index) const
    {
        return index >= 0 && index < int(digits.size()) ? digits[size_t(index)] : '0';
    }
};

void stripTrailingZeros(Decimal &d)
{
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.exponent = 0;
}

Decimal decimalOf(double magnitude, int precision)
{
    Decimal d;
    if (magnitude == 0)
        return d;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", precision - 1, magnitude);
    const char *e = buffer;
    while (*e && *e != 'e')
        ++e;
    for (const char *p = buffer; p < e; ++p) {
        if (*p >= '0' && *p <= '9')
            d.digits.push_back(*p);
    }
    d.exponent = std::atoi(e + 1) + 1;
    stripTrailingZeros(d);
    return d;
}

// Rounds to the given number of decimals, halves away from zero.
void roundTo(Decimal &d, int decimals)
{
    const int keep = d.exponent + decimals;
    if (d.isZero() || keep >= int(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        d.exponent = 0;
        return;
    }
    const bool up = d.digits[size_t(keep)] >= '5';
    d.digits.resize(size_t(keep));
    if (up) {
        while (!d.digits.empty() && d.digits.back() == '9')
            d.digits.pop_back();
        if (d.digits.empty()) {
            d.digits.assign(1, '1');
            d.exponent += 1;
        } else {
            ++d.digits.back();
        }
    }
    stripTrailingZeros(d);
}

QString integerDigits(const Decimal &d)
{
    QString out;
    for (int i = 0; i < d.exponent; ++i)
        out.append(QLatin1Char(d.at(i)));
    return out;
}

QString fractionDigits(const Decimal &d, int count)
{
    QString out;
    for (int k = 0; k < count; ++k)
        out.append(QLatin1Char(d.at(d.exponent + k)));
    return out;
}

QString grouped(const QString &digits)
{
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        out.append(digits[i]);
        const qsizetype left = digits.size() - 1 - i;
        if (left > 0 && left % 3 == 0)
            out.append(separators().thousands);
    }
    return out;
}

QString nonFinite(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
}

QString fixedText(double value, int decimals, bool thousands)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    decimals = qBound(0, decimals, 18);
    Decimal d = decimalOf(std::fabs(value), SignificantDigits);
    if (d.exponent > SignificantDigits)
        return NumberFormat::floatToText(value);
    roundTo(d, decimals);
    QString integer = d.exponent > 0 ? integerDigits(d) : QStringLiteral("0");
    QString out = (value < 0 && !d.isZero()) ? QStringLiteral("-") : QString();
    out += thousands ? grouped(integer) : integer;
    if (decimals > 0)
        out += separators().decimal + fractionDigits(d, decimals);
    return out;
}

// One section of a number pattern, read into its parts.
struct Pattern
{
    enum class Kind { Literal, IntegerDigit, FractionDigit, Point, Exponent };
    struct Piece
    {
        Kind kind;
        QString text;
    };
    QList<Piece> pieces;
    int integerCount = 0;
    int firstIntegerZero = -1;
    int fractionCount = 0;
    int lastFractionZero = -1;
    bool thousands = false;
    bool scientific = false;
    bool exponentPlus = false;
    int exponentDigits = 0;
};

Pattern parsePattern(QStringView section)
{
    Pattern p;
    bool point = false;
    qsizetype i = 0;
    auto literal = [&p](const QString &text) {
        if (!p.pieces.isEmpty() && p.pieces.last().kind == Pattern::Kind::Literal)
            p.pieces.last().text += text;
        else
            p.pieces.append({Pattern::Kind::Literal, text});
    };
    while (i < section.size()) {
        const QChar c = section[i];
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            qsizetype end = section.indexOf(c, i + 1);
            if (end < 0)
                end = section.size();
            literal(section.mid(i + 1, end - i - 1).toString());
            i = end + 1;
        } else if ((c == QLatin1Char('0') || c == QLatin1Char('#')) && !p.scientific) {
            const bool zero = c == QLatin1Char('0');
            if (point) {
                if (zero)
                    p.lastFractionZero = p.fractionCount;
                ++p.fractionCount;
                p.pieces.append({Pattern::Kind::FractionDigit, {}});
            } else {
                if (zero && p.firstIntegerZero < 0)
                    p.firstIntegerZero = p.integerCount;
                ++p.integerCount;
                p.pieces.append({Pattern::Kind::IntegerDigit, {}});
            }
            ++i;
        } else if (c == QLatin1Char('.') && !point && !p.scientific) {
            point = true;
            p.pieces.append({Pattern::Kind::Point, {}});
            ++i;
        } else if (c == QLatin1Char(',')) {
            p.thousands = true;
            ++i;
        } else if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && !p.scientific && i + 1 < section.size() &&
                   (section[i + 1] == QLatin1Char('+') || section[i + 1] == QLatin1Char('-'))) {
            p.scientific = true;
            p.exponentPlus = section[i + 1] == QLatin1Char('+');
            i += 2;
            while (i < section.size() && section[i] == QLatin1Char('0') && p.exponentDigits < 4) {
                ++p.exponentDigits;
                ++i;
            }
            p.pieces.append({Pattern::Kind::Exponent, QString(c)});
        } else {
            literal(QString(c));
            ++i;
        }
    }
    return p;
}

// Renders a non-negative value with one section; zero tells whether the
// value rounded to zero.
QString render(const Pattern &p, double magnitude, bool &zero)
{
    Decimal d;
    int exponent = 0;
    int integerPlaces = 0;
    if (p.scientific) {
        integerPlaces = qMax(p.integerCount, 1);
        const int precision = qBound(1, p.integerCount + p.fractionCount, SignificantDigits);
        d = decimalOf(magnitude, precision);
        if (!d.isZero()) {
            exponent = d.exponent - integerPlaces;
            d.exponent = integerPlaces;
        }
    } else {
        d = decimalOf(magnitude, SignificantDigits);
        roundTo(d, p.fractionCount);
        integerPlaces = qMax(d.exponent, 0);
    }
    zero = d.isZero();

    QString integer;
    for (int i = 0; i < integerPlaces; ++i)
        integer.append(QLatin1Char(d.at(i)));
    const int minInteger = p.firstIntegerZero >= 0 ? p.integerCount - p.firstIntegerZero : 0;
    while (integer.size() < minInteger)
        integer.prepend(QLatin1Char('0'));

    QString fraction = fractionDigits(d, p.fractionCount);
    const int minFraction = p.lastFractionZero + 1;
    while (fraction.size() > minFraction && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);

    QString out;
    const qsizetype length = integer.size();
    auto emitInteger = [&](qsizetype j) {
        out.append(integer[j]);
        const qsizetype left = length - 1 - j;
        if (p.thousands && left > 0 && left % 3 == 0)
            out.append(separators().thousands);
    };
    const qsizetype offset = length - p.integerCount;
    int integerIndex = 0;
    int fractionIndex = 0;
    for (const Pattern::Piece &piece : p.pieces) {
        switch (piece.kind) {
        case Pattern::Kind::Literal:
            out += piece.text;
            break;
        case Pattern::Kind::IntegerDigit:
            if (integerIndex == 0 && offset > 0) {
                for (qsizetype j = 0; j <= offset; ++j)
                    emitInteger(j);
            } else if (offset + integerIndex >= 0) {
                emitInteger(offset + integerIndex);
            }
            ++integerIndex;
            break;
        case Pattern::Kind::Point:
            if (p.integerCount == 0) {
                for (qsizetype j = 0; j < length; ++j)
                    emitInteger(j);
            }
            if (!fraction.isEmpty())
                out += separators().decimal;
            break;
        case Pattern::Kind::FractionDigit:
            if (fractionIndex < fraction.size())
                out += fraction[fractionIndex];
            ++fractionIndex;
            break;
        case Pattern::Kind::Exponent: {
            out += piece.text;
            if (exponent < 0)
                out += QLatin1Char('-');
            else if (p.exponentPlus)
                out += QLatin1Char('+');
            out += QString::number(std::abs(exponent)).rightJustified(p.exponentDigits, QLatin1Char('0'));
            break;
        }
        }
    }
    return out;
}

QList<QStringView> sectionsOf(QStringView pattern)
{
    QList<QStringView> sections;
    QChar quote;
    qsizetype start = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            sections.append(pattern.mid(start, i - start));
            start = i + 1;
        }
    }
    sections.append(pattern.mid(start));
    return sections;
}

bool isBlank(QChar c)
{
    return c.unicode() <= 0x20;
}

QStringView trimmedBlanks(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.mid(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

namespace NumberFormat {

QChar decimalSeparator()
{
    return separators().decimal;
}

void setDecimalSeparator(QChar separator)
{
    separators().decimal = separator;
}

QChar thousandSeparator()
{
    return separators().thousands;
}

void setThousandSeparator(QChar separator)
{
    separators().thousands = separator;
}

QString floatToText(double value)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    const Decimal d = decimalOf(std::fabs(value), SignificantDigits);
    if (d.isZero())
        return QStringLiteral("0");
    QString out = value < 0 ? QStringLiteral("-") : QString();
    if (d.exponent > SignificantDigits || d.exponent < -3) {
        out += QLatin1Char(d.digits[0]);
        if (d.digits.size() > 1)
            out += separators().decimal + QString::fromLatin1(d.digits.substr(1));
        out += QLatin1Char('E') + QString::number(d.exponent - 1);
        return out;
    }
    out += d.exponent > 0 ? integerDigits(d) : QStringLiteral("0");
    const int decimals = int(d.digits.size()) - d.exponent;
    if (decimals > 0)
        out += separators().decimal + fractionDigits(d, decimals);
    return out;
}

QString fixed(double value, int decimals)
{
    return fixedText(value, decimals, false);
}

QString number(double value, int decimals)
{
    return fixedText(value, decimals, true);
}

QString format(QStringView pattern, double value)
{
    if (pattern.isEmpty() || !std::isfinite(value))
        return floatToText(value);
    const QList<QStringView> sections = sectionsOf(pattern);
    const bool hasNegative = sections.size() >= 2 && !sections[1].isEmpty();
    const bool hasZero = sections.size() >= 3 && !sections[2].isEmpty();
    const bool negativeSection = value < 0 && hasNegative;
    bool zero = false;
    QString text = render(parsePattern(negativeSection ? sections[1] : sections[0]), std::fabs(value), zero);
    if (zero && hasZero)
        return render(parsePattern(sections[2]), 0.0, zero);
    if (value < 0 && !negativeSection && !zero)
        text.prepend(QLatin1Char('-'));
    return text;
}

std::optional<double> textToFloat(QStringView text)
{
    text = trimmedBlanks(text);
    std::string buffer;
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int mantissaDigits = 0;
    while (i < text.size() && isDigit(text[i])) {
        buffer.push_back(char(text[i].unicode()));
        ++mantissaDigits;
        ++i;
    }
    if (i < text.size() && text[i] == separators().decimal) {
        buffer.push_back('.');
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            buffer.push_back(char(text[i].unicode()));
            ++mantissaDigits;
            ++i;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == QLatin1Char('E') || text[i] == QLatin1Char('e'))) {
        buffer.push_back('e');
        ++i;
        if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
            buffer.push_back(char(text[i].unicode()));
            ++i;
        }
        int exponentDigits = 0;
        while (i < text.size() && isDigit(text[i])) {
            buffer.push_back(char(text[i].unicode()));
            ++exponentDigits;
            ++i;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (error != std::errc() || end != buffer.data() + buffer.size())
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<qint64> textToInteger(QStringView text)
{
    text = trimmedBlanks(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i]))
            return std::nullopt;
        const int digit = text[i].unicode() - '0';
        // Accumulate negatively so that the smallest value fits.
        if (__builtin_mul_overflow(value, qint64(10), &value) || __builtin_sub_overflow(value, qint64(digit), &value))
            return std::nullopt;
    }
    if (negative)
        return value;
    if (value == std::numeric_limits<qint64>::min())
        return std::nullopt;
    return -value;
}

double roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return std::round(value);
}

} // namespace NumberFormat
