#include "core/CodeTables.h"
#include "core/TKubun.h"
#include "core/TRihaKubun.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(CodeTables, TextsAreTheStoredOnes)
{
    EXPECT_EQ(CodeName(NinchiNames, 7), QStringLiteral("Ｍ")); // full-width
    EXPECT_EQ(CodeName(NinchiNames, 6), QString(QChar(0x2163)));
    EXPECT_EQ(CodeName(GradeNames, 1), QString(QChar(0x2160)));
    EXPECT_EQ(CodeName(GradeNames, 6), QString(QChar(0x2165)));
    EXPECT_EQ(CodeName(JiritsuNames, 8), QStringLiteral("C2"));
    EXPECT_EQ(CodeName(YoukaigoNames, 0), QStringLiteral("要支援1"));
    EXPECT_EQ(CodeName(RihaTypeNames, 2), QStringLiteral("通所リハビリ"));
    EXPECT_EQ(CodeName(WeekShortNames, 0), QStringLiteral("月"));
    EXPECT_EQ(CodeName(CommonWeekNames, 0), QStringLiteral("日"));
    EXPECT_EQ(SexNames.size(), 6u);
    EXPECT_EQ(PresenceNames.size(), 4u);
    EXPECT_EQ(AssistNames.size(), 3u);
    EXPECT_EQ(WeekLongNames.back(), u"日曜日");
}

TEST(CodeTables, CodesOutsideATableGiveTheEmptyText)
{
    EXPECT_EQ(CodeName(SexNames, -1), QString());
    EXPECT_EQ(CodeName(SexNames, 6), QString());
    EXPECT_EQ(CodeName(RihaTypeNames, 4), QString());
    EXPECT_EQ(CodeName(RihaTypeNames, std::numeric_limits<int>::min()), QString());
    EXPECT_EQ(CodeName(RihaTypeNames, 3), QStringLiteral("訪問リハビリ"));
}

TEST(CodeTables, ReverseLookupsAreExact)
{
    EXPECT_EQ(IndexOfNinchiName(u"Ｍ"), 7);
    EXPECT_EQ(IndexOfNinchiName(u"M"), -1);
    EXPECT_EQ(IndexOfNinchiName(u"Ⅱb"), 3);
    EXPECT_EQ(IndexOfJiritsuName(u"正常"), 0);
    EXPECT_EQ(IndexOfJiritsuName(u"b1"), -1);
    EXPECT_EQ(IndexOfJiritsuName(u"B1"), 5);
    EXPECT_EQ(IndexOfYoukaigoName(u"要介護5"), 6);
    EXPECT_EQ(IndexOfYoukaigoName(u"要介護５"), -1);
    EXPECT_EQ(IndexOfYoukaigoName(u""), -1);
}

TEST(TKubun, CodesAndTexts)
{
    // Bits beyond the four categories are ignored; the long texts keep their blanks.
    const std::tuple<int, int, const char16_t *, const char16_t *> cases[] = {
        {0, 0, u"", u""},
        {KubunKobetsu, KubunKobetsu, u"個", u"個別"},
        {KubunTanki, KubunTanki, u"短", u"短期集中 "},
        {KubunNinchi | KubunShudan, KubunNinchi | KubunShudan, u"認集", u"認知症 集団 "},
        {15, 15, u"短認集個", u"短期集中 認知症 集団 個別"},
        {16 | KubunTanki | KubunKobetsu, KubunTanki | KubunKobetsu, u"短個", u"短期集中 個別"},
        {-1, 15, u"短認集個", u"短期集中 認知症 集団 個別"}};
    TKubun kubun;
    for (const auto &[code, kept, shortText, longText] : cases) {
        kubun.SetCode(code);
        EXPECT_EQ(kubun.GetCode(), kept) << code;
        EXPECT_EQ(kubun.ShortText(), QString::fromUtf16(shortText)) << code;
        EXPECT_EQ(kubun.LongText(), QString::fromUtf16(longText)) << code;
    }
    kubun.Clear();
    EXPECT_EQ(kubun.GetCode(), 0);
}

TEST(TRihaKubun, TypeDecidesTheCategoryInputs)
{
    TRihaKubun kubun;
    EXPECT_EQ(kubun.RihaType, -1);
    EXPECT_EQ(kubun.Usable, (std::array<bool, 6>{}));

    kubun.SetCode(15);
    kubun.SetRihaType(3);
    EXPECT_EQ(kubun.GetCode(), 0); // the flags are cleared
    EXPECT_EQ(kubun.RihaType, 3);
    EXPECT_EQ(kubun.Usable, (std::array<bool, 6>{true, true, true, false, false, true}));

    kubun.SetRihaType(0);
    EXPECT_EQ(kubun.Usable, (std::array<bool, 6>{true, true, true, true, true, false}));
    kubun.SetRihaType(1);
    EXPECT_EQ(kubun.Usable, (std::array<bool, 6>{true, true, true, true, true, false}));
    kubun.SetRihaType(2);
    EXPECT_EQ(kubun.Usable, (std::array<bool, 6>{true, true, true, true, true, true}));
    for (int none : {-1, 4}) {
        kubun.SetRihaType(none);
        EXPECT_EQ(kubun.RihaType, none);
        EXPECT_EQ(kubun.Usable, (std::array<bool, 6>{}));
    }
}
