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
    UserRegistCheck::Input input = validInput();
    input.Name.clear();
    input.Kana.clear();
    input.Birth = QStringLiteral("＿＿__年__月__日");
    input.Sex = -1;
    input.distinctive = QString(191, QChar(u'a'));
    input.Room = QString(20, QChar(u'部'));
    input.YoubinNo = QString(19, QChar(u'1'));
    input.Address = QString(56, QChar(u'住'));
    input.TelNo = QString(19, QChar(u'0'));
    input.FaxNo = QString(19, QChar(u'0'));
    input.EMail = QString(79, QChar(u'm'));
    input.Partner = QStringLiteral("12a");
    input.RihaType = -1;
    input.Nyusho = QStringLiteral("平成20年02月30日");
    for (QString &disease : input.Diseases)
        disease = QString(21, QChar(u'病'));

    const auto over = [](const char16_t *limits) {
        return QStringLiteral("入力文字数がオーバーしています。\n") + QString::fromUtf16(limits) +
               QStringLiteral("以内で入力してください。");
    };
    const std::vector<std::pair<Failure, std::function<void()>>> steps{
        {{Field::Name, NameRequired},
         [&] {
             input.Name = QStringLiteral("山田");
         }},
        {{Field::Kana, KanaRequired},
         [&] {
             input.Kana = QStringLiteral("ﾔﾏﾀﾞ");
         }},
        {{Field::Birth, QStringLiteral("生年月日の日付けが不明です。")},
         [&] {
             input.Birth = QStringLiteral("昭和15年 4月 1日");
         }},
        {{Field::Sex, QStringLiteral("性別の指定が必要です。")},
         [&] {
             input.Sex = 0;
         }},
        {{Field::Distinctive, over(u"半角190文字・全角95文字")},
         [&] {
             input.distinctive = QString(95, QChar(u'特'));
         }},
        {{Field::Room, over(u"半角38文字・全角19文字")},
         [&] {
             input.Room = QString(19, QChar(u'部'));
         }},
        {{Field::PostalCode, over(u"半角18文字")},
         [&] {
             input.YoubinNo = QStringLiteral("123-4567");
         }},
        {{Field::Address, over(u"半角110文字・全角55文字")},
         [&] {
             input.Address = QString(55, QChar(u'住'));
         }},
        {{Field::TelNo, over(u"半角18文字")},
         [&] {
             input.TelNo = QString(18, QChar(u'0'));
         }},
        {{Field::FaxNo, over(u"半角18文字")},
         [&] {
             input.FaxNo = QString(18, QChar(u'0'));
         }},
        {{Field::EMail, over(u"半角78文字")},
         [&] {
             input.EMail = QString(78, QChar(u'm'));
         }},
        {{Field::Partner, QStringLiteral("数字エラーです。\n半角数字で入力してください。")},
         [&] {
             input.Partner = QStringLiteral("4711");
         }},
        {{Field::RihaType, QStringLiteral("リハビリ形態は入力必須項目です。")},
         [&] {
             input.RihaType = 3;
         }},
        {{Field::Start, QStringLiteral("利用開始日は入力必須項目です。")},
         [&] {
             input.Nyusho = QStringLiteral("平成20年02月29日");
         }},
    };
    for (const auto &[failure, mend] : steps) {
        EXPECT_EQ(failureOf(input), failure);
        mend();
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
