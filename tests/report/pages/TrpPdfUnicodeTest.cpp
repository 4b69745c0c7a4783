#include "report/pages/TrpPdfUnicode.h"

#include <gtest/gtest.h>

TEST(TrpPdfUnicode, SharedGlyphsGiveTheCommonCharacter)
{
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x2F2D), 0x5C71); // 山
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x2F65), 0x7530); // 田
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x2FBC), 0x9AD8); // 高
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x2F00), 0x4E00); // 一
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x2FD5), 0x9FA0); // the last radical
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x2EA1), 0x6C35); // 氵
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x2EF3), 0x9F9F); // 龟
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x2027), 0x30FB); // ・
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x2003), 0x3000); // the ideographic space
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x2215), 0xFF0F); // ／
    // Radicals without an ideograph of their own, and other text, stay.
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x2E80), 0x2E80);
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x2FDF), 0x2FDF);
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x5C71), 0x5C71);
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(u'A'), u'A');
}
