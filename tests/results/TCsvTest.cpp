#include "results/TCsv.h"

#include <gtest/gtest.h>

namespace {

QList<QByteArray> split(const QByteArray &line, bool merge = false, bool strip = false)
{
    TCsv csv;
    csv.Line = line;
    csv.MergeSeparators = merge;
    csv.Split();
    if (strip)
        csv.StripQuotes();
    return csv.Fields;
}

} // namespace

TEST(TCsv, SplitsAsTheByteWalk)
{
    struct Case
    {
        QByteArray line;
        bool merge;
        QList<QByteArray> fields;
    };
    const Case cases[] = {
        {"", false, {}},
        {"a", false, {"a"}},
        {"a,b,", false, {"a", "b", ""}},
        {"a,,b", false, {"a", "", "b"}},
        {"a,,b", true, {"a", "b"}},
        {"a,,", true, {"a", ""}},
        {",", false, {"", ""}},
        {"\"x,y\",z", false, {"\"x,y\"", "z"}},
        {"\"a\"\"b\",c", false, {"\"a\"\"b\"", "c"}},
        // 0x95 0x2C: the trail byte equal to the separator is text.
        {"\x95,x,y", false, {"\x95,x", "y"}},
        // 0x82 0x22: the trail byte equal to the quote does not open quotes.
        {"\x82\",a", false, {"\x82\"", "a"}},
        // 0xE0..0xEF are lead bytes, 0xF0 is not.
        {"\xEF,a", false, {"\xEF,a"}},
        {"\xF0,a", false, {"\xF0", "a"}},
        // A lead byte at the end of the line.
        {"a,\x82", false, {"a", "\x82"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(split(c.line, c.merge), c.fields) << c.line.toHex().toStdString();
}

TEST(TCsv, StripQuotesRemovesOneAtEachEnd)
{
    EXPECT_EQ(split("\"x,y\",\"\",\"\"\"\",\"a\"\"\"", false, true), (QList<QByteArray>{"x,y", "", "\"\"", "a\"\""}));
    EXPECT_EQ(split("\"", false, true), (QList<QByteArray>{""}));
}

TEST(TCsv, OtherSeparatorAndQuoteUnaware)
{
    TCsv csv;
    csv.Line = "\"a;b\";c";
    csv.Separator = ";";
    csv.QuoteAware = false;
    csv.Split();
    EXPECT_EQ(csv.Fields, (QList<QByteArray>{"\"a", "b\"", "c"}));
    csv.Separator = ";;";
    csv.Split();
    EXPECT_EQ(csv.Fields, (QList<QByteArray>{"\"a;b\";c"}));
}
