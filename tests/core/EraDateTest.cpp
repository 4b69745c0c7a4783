#include "core/EraDate.h"

#include <gtest/gtest.h>

namespace {

TDateTime ymd(int y, int m, int d)
{
    return DateTime::encodeDate(y, m, d);
}

} // namespace

TEST(EraDate, FormatsAcrossEveryEraBoundary)
{
    struct Case
    {
        TDateTime date;
        const char16_t *full;
        const char16_t *shortForm;
    };
    const Case cases[] = {
        {ymd(1868, 1, 1), u"明治01年01月01日", u"M01.01.01"},   {ymd(1912, 7, 29), u"明治45年07月29日", u"M45.07.29"},
        {ymd(1912, 7, 30), u"大正01年07月30日", u"T01.07.30"},  {ymd(1926, 12, 24), u"大正15年12月24日", u"T15.12.24"},
        {ymd(1926, 12, 25), u"昭和01年12月25日", u"S01.12.25"}, {ymd(1989, 1, 7), u"昭和64年01月07日", u"S64.01.07"},
        {ymd(1989, 1, 8), u"平成01年01月08日", u"H01.01.08"},   {ymd(2008, 5, 1), u"平成20年05月01日", u"H20.05.01"},
        {ymd(2019, 4, 30), u"平成31年04月30日", u"H31.04.30"},  {ymd(2019, 5, 1), u"令和01年05月01日", u"R01.05.01"},
        {ymd(2024, 12, 31), u"令和06年12月31日", u"R06.12.31"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(FormatEraDate(c.date), QString::fromUtf16(c.full));
        EXPECT_EQ(FormatEraShortDate(c.date), QString::fromUtf16(c.shortForm));
        EXPECT_EQ(ParseEraDate(QString::fromUtf16(c.full)), c.date) << QString::fromUtf16(c.full).toStdString();
    }
    EXPECT_EQ(FormatEraYearMonth(ymd(2019, 5, 31)), QStringLiteral("令和01年05月"));
    EXPECT_EQ(FormatEraYearMonth(ymd(2019, 4, 1)), QStringLiteral("平成31年04月"));
}

TEST(EraDate, ShortFormIsEmptyForNoneAndBeforeTheFirstEra)
{
    EXPECT_EQ(FormatEraShortDate(DateTime::None), QString());
    EXPECT_EQ(FormatEraShortDate(ymd(1867, 12, 31)), QString());
    // The time of day does not matter.
    EXPECT_EQ(FormatEraShortDate(ymd(2019, 5, 1) + 0.75), QStringLiteral("R01.05.01"));
}

TEST(EraDate, ParseReadsTheBlankPaddedFieldsOfTheMachines)
{
    EXPECT_EQ(ParseEraDate(u"平成20年 5月 1日"), ymd(2008, 5, 1));
    EXPECT_EQ(ParseEraDate(u"平成 5年12月31日"), ymd(1993, 12, 31));
    EXPECT_EQ(ParseEraDate(u"令和 1年 5月 1日"), ymd(2019, 5, 1));
    EXPECT_EQ(ParseEraDate(u"令和06年02月29日"), ymd(2024, 2, 29));
    // The year-month inputs are read with "01" in place of the day.
    EXPECT_EQ(ParseEraDate(u"平成20年05月01"), ymd(2008, 5, 1));
    // Era years are not checked against the era's end.
    EXPECT_EQ(ParseEraDate(u"昭和70年01月01日"), ymd(1995, 1, 1));
    EXPECT_EQ(ParseEraDate(u"平成32年04月01日"), ymd(2020, 4, 1));
}

TEST(EraDate, ParseFails)
{
    for (const char16_t *text : {
             u"＿＿__年__月__日", // the empty template
             u"平成__年05月01日", // no year
             u"平成2_年05月01日", // half a year
             u"平成20年 5月__日", // no day
             u"平成20年02月30日", // a day February lacks
             u"令和05年02月29日", // 2023 is no leap year
             u"平成20年13月01日", // no such month
             u"平成20年00月01日", //
             u"西暦20年05月01日", // no such era
             u"H20年05月01日",    // the letter is no era name
             u"平成20年05月",     // too short for a day
             u"平成20年05月1 日", // a blank after the digit
             u"",
         }) {
        EXPECT_FALSE(ParseEraDate(text)) << QString::fromUtf16(text).toStdString();
    }
}
