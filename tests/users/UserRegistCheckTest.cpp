#include "users/UserRegistCheck.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

namespace {

using Field = UserRegistCheck::Field;
using Failure = UserRegistCheck::Failure;

const TDateTime Now = DateTime::encodeDate(2024, 5, 10) + DateTime::encodeTime(14, 5);

UserRegistCheck::Input validInput()
{
    UserRegistCheck::Input input;
    input.Name = QStringLiteral("山田　花子");
    input.Kana = QStringLiteral("ﾔﾏﾀﾞ ﾊﾅｺ");
    input.Birth = QStringLiteral("昭和15年04月01日");
    input.Sex = 1;
    input.RihaType = 2;
    input.Nyusho = QStringLiteral("令和 2年 4月 1日");
    return input;
}

std::optional<Failure> failureOf(const UserRegistCheck::Input &input)
{
    const auto result = UserRegistCheck::check(input, Now);
    if (const auto *failure = std::get_if<Failure>(&result))
        return *failure;
    return std::nullopt;
}

TPerson personOf(const UserRegistCheck::Input &input)
{
    const auto result = UserRegistCheck::check(input, Now);
    EXPECT_TRUE(std::holds_alternative<TPerson>(result));
    return std::holds_alternative<TPerson>(result) ? std::get<TPerson>(result) : TPerson();
}

const QString NameRequired = QStringLiteral("氏名の入力が必要です。\n半角20文字・全角10文字以内で入力してください。");
const QString NameOver =
    QStringLiteral("氏名の入力文字数がオーバーしています。\n半角20文字・全角10文字以内で入力してください。");
const QString KanaRequired = QStringLiteral("カナの入力が必要です。\n半角20文字以内で入力してください。");
const QString KanaOver = QStringLiteral("カナの入力文字数がオーバーしています。\n半角20文字以内で入力してください。");

} // namespace

TEST(UserRegistCheckTest, RequiredNameAndKanaAreJudgedTrimmed)
{
    UserRegistCheck::Input input = validInput();
    for (const QString &blank : {QString(), QStringLiteral("   "), QStringLiteral("　　"), QStringLiteral("\t ")}) {
        input.Name = blank;
        EXPECT_EQ(failureOf(input), (Failure{Field::Name, NameRequired}));
    }
    input.Name = QString(11, QChar(u'あ'));
    EXPECT_EQ(failureOf(input), (Failure{Field::Name, NameOver}));
    // Blanks around a name of the full length do not count.
    input.Name = QStringLiteral("  ") + QString(10, QChar(u'あ')) + QStringLiteral("  ");
    EXPECT_EQ(personOf(input).Name, QString(10, QChar(u'あ')));

    input.Kana = QStringLiteral("  ");
    EXPECT_EQ(failureOf(input), (Failure{Field::Kana, KanaRequired}));
    input.Kana = QString(21, QChar(u'ｱ'));
    EXPECT_EQ(failureOf(input), (Failure{Field::Kana, KanaOver}));
    input.Kana = QStringLiteral(" ") + QString(20, QChar(u'ｱ')) + QStringLiteral(" ");
    EXPECT_EQ(personOf(input).Kana, QString(20, QChar(u'ｱ')));
}

TEST(UserRegistCheckTest, FieldsAreCheckedInOrderWithTheirMessages)
{
    using Input = UserRegistCheck::Input;
    const auto over = [](const char16_t *limits) {
        return QStringLiteral("入力文字数がオーバーしています。\n") + QString::fromUtf16(limits) +
               QStringLiteral("以内で入力してください。");
    };
    // Every input wrong at first; each step expects the first failure, then
    // mends that input with the longest text it takes.
    struct Step
    {
        Field field;
        QString message;
        QString Input::*text;
        QString wrong;
        QString mended;
        int Input::*choice = nullptr; // a list left unchosen, then chosen
        int chosen = 0;
    };
    const Step steps[] = {
        {Field::Name, NameRequired, &Input::Name, QString(), QStringLiteral("山田")},
        {Field::Kana, KanaRequired, &Input::Kana, QString(), QStringLiteral("ﾔﾏﾀﾞ")},
        {Field::Birth, QStringLiteral("生年月日の日付けが不明です。"), &Input::Birth,
         QStringLiteral("＿＿__年__月__日"), QStringLiteral("昭和15年 4月 1日")},
        {Field::Sex, QStringLiteral("性別の指定が必要です。"), nullptr, {}, {}, &Input::Sex, 0},
        {Field::Distinctive, over(u"半角190文字・全角95文字"), &Input::distinctive, QString(191, u'a'),
         QString(95, u'特')},
        {Field::Room, over(u"半角38文字・全角19文字"), &Input::Room, QString(20, u'部'), QString(19, u'部')},
        {Field::PostalCode, over(u"半角18文字"), &Input::YoubinNo, QString(19, u'1'), QStringLiteral("123-4567")},
        {Field::Address, over(u"半角110文字・全角55文字"), &Input::Address, QString(56, u'住'), QString(55, u'住')},
        {Field::TelNo, over(u"半角18文字"), &Input::TelNo, QString(19, u'0'), QString(18, u'0')},
        {Field::FaxNo, over(u"半角18文字"), &Input::FaxNo, QString(19, u'0'), QString(18, u'0')},
        {Field::EMail, over(u"半角78文字"), &Input::EMail, QString(79, u'm'), QString(78, u'm')},
        {Field::Partner, QStringLiteral("数字エラーです。\n半角数字で入力してください。"), &Input::Partner,
         QStringLiteral("12a"), QStringLiteral("4711")},
        {Field::RihaType, QStringLiteral("リハビリ形態は入力必須項目です。"), nullptr, {}, {}, &Input::RihaType, 3},
        {Field::Start, QStringLiteral("利用開始日は入力必須項目です。"), &Input::Nyusho,
         QStringLiteral("平成20年02月30日"), QStringLiteral("平成20年02月29日")},
    };
    Input input = validInput();
    for (const Step &step : steps) {
        if (step.text)
            input.*step.text = step.wrong;
        if (step.choice)
            input.*step.choice = -1;
    }
    for (QString &disease : input.Diseases)
        disease = QString(21, QChar(u'病'));

    for (const Step &step : steps) {
        EXPECT_EQ(failureOf(input), (Failure{step.field, step.message}));
        if (step.text)
            input.*step.text = step.mended;
        if (step.choice)
            input.*step.choice = step.chosen;
    }
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(failureOf(input), (Failure{Field(int(Field::Disease1) + i), over(u"半角40文字・全角20文字")}));
        input.Diseases[size_t(i)] = QString(20, QChar(u'病'));
    }
    const TPerson person = personOf(input);
    EXPECT_EQ(person.HinorikuUserNo, 4711);
    EXPECT_EQ(person.RihaType, 3);
    EXPECT_EQ(person.NYUSHOBI_YMD, DateTime::encodeDate(2008, 2, 29));
    EXPECT_EQ(person.Disease6, QString(20, QChar(u'病')));
}

TEST(UserRegistCheckTest, EndDateMayEqualButNotPrecedeTheStart)
{
    UserRegistCheck::Input input = validInput();
    input.Taisho = QStringLiteral("令和 2年 4月 1日");
    EXPECT_EQ(personOf(input).TAISHOBI_YMD, DateTime::encodeDate(2020, 4, 1));
    input.Taisho = QStringLiteral("令和 2年 3月31日");
    EXPECT_EQ(failureOf(input), (Failure{Field::End, QStringLiteral("退所(終了)日<入所日:日付エラーです。")}));
    // End and hospital discharge dates that do not read are none.
    input.Taisho = QStringLiteral("＿＿__年__月__日");
    input.Taiin = QStringLiteral("平成__年__月__日");
    const TPerson person = personOf(input);
    EXPECT_EQ(person.TAISHOBI_YMD, DateTime::None);
    EXPECT_EQ(person.HP_TAISHO_YMD, DateTime::None);
    EXPECT_EQ(person.KubunDate, Now);
}
