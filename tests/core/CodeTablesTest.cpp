#include "core/CodeTables.h"
#include "core/TKubun.h"
#include "core/TRihaKubun.h"

#include <gtest/gtest.h>

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

TEST(TKubun, CodeRoundTripsThroughTheFlags)
{
    TKubun kubun;
    EXPECT_EQ(kubun.GetCode(), 0);
    kubun.SetCode(15);
    EXPECT_TRUE(kubun.Tanki && kubun.Ninchi && kubun.Shudan && kubun.Kobetsu);
    for (int code : {0, 5, 10, 16, 21, 255, -1}) {
        kubun.SetCode(code);
        EXPECT_EQ(kubun.GetCode(), code & 15) << code;
    }
    kubun.Clear();
    EXPECT_EQ(kubun.GetCode(), 0);
}

TEST(TKubun, TextsKeepTheirBlanks)
{
    TKubun kubun;
    EXPECT_EQ(kubun.LongText(), QString());
    EXPECT_EQ(kubun.ShortText(), QString());
    kubun.SetCode(KubunKobetsu);
    EXPECT_EQ(kubun.LongText(), QStringLiteral("個別"));
    kubun.SetCode(KubunTanki);
    EXPECT_EQ(kubun.LongText(), QStringLiteral("短期集中 "));
    kubun.SetCode(KubunNinchi | KubunShudan);
    EXPECT_EQ(kubun.LongText(), QStringLiteral("認知症 集団 "));
    kubun.SetCode(15);
    EXPECT_EQ(kubun.LongText(), QStringLiteral("短期集中 認知症 集団 個別"));
    EXPECT_EQ(kubun.ShortText(), QStringLiteral("短認集個"));
    kubun.SetCode(KubunTanki | KubunKobetsu);
    EXPECT_EQ(kubun.ShortText(), QStringLiteral("短個"));
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
