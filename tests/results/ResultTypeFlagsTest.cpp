#include "results/ResultTypeFlags.h"

#include <gtest/gtest.h>

namespace {

// The columns set to "True", by number 1..14.
std::vector<int> trueColumns(const ResultTypeFlags::Values &flags)
{
    std::vector<int> columns;
    for (int i = 0; i < ResultTypeFlags::Count; ++i) {
        if (flags[size_t(i)])
            columns.push_back(i + 1);
    }
    return columns;
}

} // namespace

TEST(ResultTypeFlags, DerivedPerFormAndCategory)
{
    struct Case
    {
        int rihaType;
        int kubunCode;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {0, 1, {1}},  {0, 2, {2}},  {0, 4, {3}},      {0, 8, {4}},    {0, 15, {1, 2, 3, 4}}, {1, 1, {5}},
        {1, 2, {6}},  {1, 4, {7}},  {1, 8, {8}},      {1, 9, {5, 8}}, {2, 1, {9}},           {2, 2, {10}},
        {2, 4, {11}}, {2, 8, {12}}, {2, 6, {10, 11}}, {3, 1, {13}},   {3, 2, {14}},          {3, 15, {13, 14}},
        {3, 12, {}},  {0, 0, {}},   {4, 15, {}},      {-1, 15, {}},   {0, 16, {}},           {2, 16 + 8, {12}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(trueColumns(ResultTypeFlags::derive(c.rihaType, c.kubunCode)), c.expected)
            << "RihaType " << c.rihaType << " KubunCode " << c.kubunCode;
    }
}

TEST(ResultTypeFlags, ColumnNamesInTableOrder)
{
    EXPECT_EQ(ResultTypeFlags::Columns[0], u"NyushoTanki");
    EXPECT_EQ(ResultTypeFlags::Columns[7], u"TankiNyushoKobetsu");
    EXPECT_EQ(ResultTypeFlags::Columns[11], u"TsushoKobetsu");
    EXPECT_EQ(ResultTypeFlags::Columns[13], u"HoumonNinchi");
}

TEST(ResultTypeFlags, TicksGiveTheCodeOfTheOwnFormOnly)
{
    ResultTypeFlags::Values ticks{};
    ticks[0] = ticks[3] = true; // 入所 短期集中, 個別
    ticks[9] = true;            // 通所 認知症
    EXPECT_EQ(ResultTypeFlags::kubunCodeOfTicks(0, ticks), 9);
    EXPECT_EQ(ResultTypeFlags::kubunCodeOfTicks(2, ticks), 2);
    EXPECT_EQ(ResultTypeFlags::kubunCodeOfTicks(3, ticks), 0);
    EXPECT_EQ(ResultTypeFlags::kubunCodeOfTicks(4, ticks), -1);
    EXPECT_EQ(trueColumns(ResultTypeFlags::keepOwnType(2, ticks)), std::vector<int>{10});
    EXPECT_EQ(trueColumns(ResultTypeFlags::keepOwnType(5, ticks)), std::vector<int>{});
}

TEST(ResultTypeFlags, StoredTextIsTrimmedBeforeComparing)
{
    EXPECT_TRUE(ResultTypeFlags::isTrue(u"True"));
    EXPECT_TRUE(ResultTypeFlags::isTrue(u"True      "));
    EXPECT_FALSE(ResultTypeFlags::isTrue(u"true"));
    EXPECT_FALSE(ResultTypeFlags::isTrue(u"False"));
    EXPECT_EQ(ResultTypeFlags::text(true), QStringLiteral("True"));
    EXPECT_EQ(ResultTypeFlags::text(false), QStringLiteral("False"));
}
