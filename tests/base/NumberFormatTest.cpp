#include "base/NumberFormat.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Restores the engine's separators after a test that changes them.
class SeparatorGuard
{
public:
    SeparatorGuard() : m_decimal(NumberFormat::decimalSeparator()), m_thousands(NumberFormat::thousandSeparator()) {}
    ~SeparatorGuard()
    {
        NumberFormat::setDecimalSeparator(m_decimal);
        NumberFormat::setThousandSeparator(m_thousands);
    }

private:
    QChar m_decimal;
    QChar m_thousands;
};

struct TextCase
{
    double value;
    const char *text;
};

TEST(NumberFormat, GeneralTextHasFifteenSignificantDigits)
{
    const TextCase cases[] = {
        {0, "0"},
        {2.5, "2.5"},
        {-2.5, "-2.5"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {1.5e20, "1.5E20"},
        {0.0001, "0.0001"},
        {0.00001, "1E-5"},
        {-1.25e-7, "-1.25E-7"},
        {100, "100"},
        {1234.5, "1234.5"},
    };
    for (const TextCase &c : cases)
        EXPECT_EQ(NumberFormat::floatToText(c.value), QLatin1String(c.text)) << c.value;
    EXPECT_EQ(NumberFormat::floatToText(INFINITY), QLatin1String("INF"));
    EXPECT_EQ(NumberFormat::floatToText(NAN), QLatin1String("NAN"));
}

TEST(NumberFormat, FixedAndThousandsForms)
{
    EXPECT_EQ(NumberFormat::fixed(1234.5, 2), QLatin1String("1234.50"));
    EXPECT_EQ(NumberFormat::fixed(0.125, 2), QLatin1String("0.13"));
    EXPECT_EQ(NumberFormat::fixed(-0.001, 2), QLatin1String("0.00"));
    EXPECT_EQ(NumberFormat::fixed(9.999, 2), QLatin1String("10.00"));
    EXPECT_EQ(NumberFormat::fixed(12, 0), QLatin1String("12"));
    EXPECT_EQ(NumberFormat::number(1234567.891, 2), QLatin1String("1,234,567.89"));
    EXPECT_EQ(NumberFormat::number(-999, 1), QLatin1String("-999.0"));
    EXPECT_EQ(NumberFormat::number(0.5, 0), QLatin1String("1"));
}

TEST(NumberFormat, PatternsPlaceDigitsSeparatorsAndSections)
{
    struct Case
    {
        const char *pattern;
        double value;
        const char *text;
    };
    const Case cases[] = {
        {"###.##", 1234.5, "1234.5"},
        {"###.##", 0.5, ".5"},
        {"#,###.##", 1234567.125, "1,234,567.13"},
        {"#,##0.00", 0.5, "0.50"},
        {"#,##0.00", -1234.5, "-1,234.50"},
        {"0000", 42, "0042"},
        {"000-0000", 1234567, "123-4567"},
        {"0.0", 2.25, "2.3"},
        {"0", 2.5, "3"},
        {"0", -2.5, "-3"},
        {"0.00;(0.00)", -1.5, "(1.50)"},
        {"0.00;;zero", 0, "zero"},
        {"0.0;-0.0;\"nil\"", 0.01, "nil"},
        {"\"No. \"0", 7, "No. 7"},
        {"0.00E+00", 12345, "1.23E+04"},
        {"0.0E-0", 0.00012, "1.2E-4"},
        {"", 2.5, "2.5"},
        {"#", 0, ""},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(NumberFormat::format(QString::fromLatin1(c.pattern), c.value), QLatin1String(c.text))
            << c.pattern << " " << c.value;
    }
}

TEST(NumberFormat, SeparatorsComeFromTheEngineSettings)
{
    SeparatorGuard guard;
    NumberFormat::setDecimalSeparator(QLatin1Char(','));
    NumberFormat::setThousandSeparator(QLatin1Char('.'));
    EXPECT_EQ(NumberFormat::floatToText(2.5), QLatin1String("2,5"));
    EXPECT_EQ(NumberFormat::format(u"#,##0.00", 1234.5), QLatin1String("1.234,50"));
    EXPECT_EQ(NumberFormat::textToFloat(u"2,5"), 2.5);
    EXPECT_FALSE(NumberFormat::textToFloat(u"2.5"));
}

TEST(NumberFormat, ReadsNumbersStrictly)
{
    EXPECT_EQ(NumberFormat::textToFloat(u" 12.5 "), 12.5);
    EXPECT_EQ(NumberFormat::textToFloat(u"-.5"), -0.5);
    EXPECT_EQ(NumberFormat::textToFloat(u"1."), 1.0);
    EXPECT_EQ(NumberFormat::textToFloat(u"1e3"), 1000.0);
    EXPECT_EQ(NumberFormat::textToFloat(u"+2E-2"), 0.02);
    for (const char16_t *bad : {u"", u" ", u".", u"1.2.3", u"1,5", u"abc", u"1e", u"1e+", u"--1", u"1 2", u"1e999"})
        EXPECT_FALSE(NumberFormat::textToFloat(bad)) << QString::fromUtf16(bad).toStdString();

    EXPECT_EQ(NumberFormat::textToInteger(u" -42 "), -42);
    EXPECT_EQ(NumberFormat::textToInteger(u"-9223372036854775808"), std::numeric_limits<qint64>::min());
    EXPECT_EQ(NumberFormat::textToInteger(u"9223372036854775807"), std::numeric_limits<qint64>::max());
    EXPECT_FALSE(NumberFormat::textToInteger(u"9223372036854775808"));
    EXPECT_FALSE(NumberFormat::textToInteger(u"2.0"));
    EXPECT_FALSE(NumberFormat::textToInteger(u"-"));
}

TEST(NumberFormat, RoundsHalvesToEven)
{
    EXPECT_EQ(NumberFormat::roundHalfEven(2.5), 2.0);
    EXPECT_EQ(NumberFormat::roundHalfEven(3.5), 4.0);
    EXPECT_EQ(NumberFormat::roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(NumberFormat::roundHalfEven(-3.5), -4.0);
    EXPECT_EQ(NumberFormat::roundHalfEven(2.4999), 2.0);
    EXPECT_EQ(NumberFormat::roundHalfEven(2.5001), 3.0);
    EXPECT_EQ(NumberFormat::roundHalfEven(1e300), 1e300);
}

} // namespace
