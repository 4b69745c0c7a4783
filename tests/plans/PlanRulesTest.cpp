#include "plans/PlanRules.h"

#include <gtest/gtest.h>

using PlanRules::LimitText;

TEST(PlanRules, LimitsCountFullWidthAsTwo)
{
    struct Case
    {
        QString text;
        int limit;
        LimitText wording;
        const char16_t *message; // nullptr: passes
    };
    const Case cases[] = {
        {QString(20, QChar(u'あ')), 40, LimitText::Input, nullptr},
        {QString(20, QChar(u'あ')) + u'a', 40, LimitText::Input,
         u"入力文字数がオーバーしています。\n半角40文字・全角20文字以内で入力してください。"},
        {QString(36, QChar(u'x')), 36, LimitText::Line, nullptr},
        {QString(37, QChar(u'x')), 36, LimitText::Line,
         u"行の文字数がオーバーしています。\n半角36文字・全角18文字以内で入力してください。"},
        {QString(270, QChar(u'医')), PlanRules::DrMemoBytes, LimitText::Line, nullptr},
        {QString(271, QChar(u'医')), PlanRules::DrMemoBytes, LimitText::Line,
         u"行の文字数がオーバーしています。\n半角540文字・全角270文字以内で入力してください。"},
        {QString(169, QChar(u'床')) + QStringLiteral("\r\n"), 340, LimitText::Line, nullptr},
        {QString(169, QChar(u'床')) + QStringLiteral("\r\na"), 340, LimitText::Line,
         u"行の文字数がオーバーしています。\n半角340文字・全角170文字以内で入力してください。"},
    };
    for (const Case &c : cases) {
        const std::optional<QString> message = PlanRules::checkLength(c.text, c.limit, c.wording);
        if (c.message)
            EXPECT_EQ(message, QString::fromUtf16(c.message)) << c.limit;
        else
            EXPECT_FALSE(message) << c.limit;
    }
}

TEST(PlanRules, DefaultEndDateIsThreeMonthsLessADay)
{
    const std::pair<QDate, QDate> cases[] = {
        {{2024, 1, 31}, {2024, 4, 29}}, {{2023, 11, 30}, {2024, 2, 28}}, {{2022, 11, 30}, {2023, 2, 27}},
        {{2024, 4, 1}, {2024, 6, 30}},  {{2024, 12, 1}, {2025, 2, 28}},
    };
    for (const auto &[regist, end] : cases)
        EXPECT_EQ(DateTime::toDate(PlanRules::defaultEndDate(DateTime::fromDate(regist) + 0.75)), end)
            << regist.toString(Qt::ISODate).toStdString();
}

TEST(PlanRules, CirclePlacesAreBoundsChecked)
{
    EXPECT_EQ(PlanRules::circleLeft(PlanRules::JiritsuLefts, 0), 579);
    EXPECT_EQ(PlanRules::circleLeft(PlanRules::JiritsuLefts, 8), 766);
    EXPECT_EQ(PlanRules::circleLeft(PlanRules::JiritsuLefts, 9), -1);
    EXPECT_EQ(PlanRules::circleLeft(PlanRules::NinchiLefts, 7), 774);
    EXPECT_EQ(PlanRules::circleLeft(PlanRules::YoukaigoLefts, 7), -1);
    EXPECT_EQ(PlanRules::circleLeft(PlanRules::YoukaigoLefts, -1), -1);
}
