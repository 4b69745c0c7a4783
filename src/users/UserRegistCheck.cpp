#include "users/UserRegistCheck.h"

#include "base/Sjis.h"
#include "core/CodeTables.h"
#include "core/EraDate.h"

#include <optional>

namespace {

using Field = UserRegistCheck::Field;
using Failure = UserRegistCheck::Failure;

// An input with its byte limit and the limit as the message words it.
struct Limit
{
    Field field;
    const QString *text;
    qsizetype maxBytes;
    QStringView limits;
};

QString overMessage(QStringView limits)
{
    return QStringLiteral("入力文字数がオーバーしています。\n") + limits.toString() +
           QStringLiteral("以内で入力してください。");
}

// A text that holds nothing but blanks, the full-width blank included.
bool isBlank(QStringView text)
{
    return text.trimmed().isEmpty();
}

std::optional<Failure> checkLength(Field field, QStringView text, qsizetype maxBytes, QStringView limits)
{
    if (Sjis::byteLength(text) > maxBytes)
        return Failure{field, overMessage(limits)};
    return std::nullopt;
}

} // namespace

std::variant<TPerson, UserRegistCheck::Failure> UserRegistCheck::check(const Input &input, TDateTime now)
{
    TPerson person;

    // Required texts are judged after trimming: a name of blanks is no name.
    const QString name = Sjis::trim(input.Name);
    if (Sjis::byteLength(name) > 20)
        return Failure{Field::Name, QStringLiteral("氏名の入力文字数がオーバーしています。\n"
                                                   "半角20文字・全角10文字以内で入力してください。")};
    if (isBlank(name))
        return Failure{Field::Name,
                       QStringLiteral("氏名の入力が必要です。\n半角20文字・全角10文字以内で入力してください。")};
    person.Name = name;

    const QString kana = Sjis::trim(input.Kana);
    if (Sjis::byteLength(kana) > 20)
        return Failure{Field::Kana,
                       QStringLiteral("カナの入力文字数がオーバーしています。\n半角20文字以内で入力してください。")};
    if (isBlank(kana))
        return Failure{Field::Kana, QStringLiteral("カナの入力が必要です。\n半角20文字以内で入力してください。")};
    person.Kana = kana;

    const std::optional<TDateTime> birth = ParseEraDate(input.Birth);
    if (!birth)
        return Failure{Field::Birth, QStringLiteral("生年月日の日付けが不明です。")};
    person.Birth = *birth;

    if (input.Sex < 0)
        return Failure{Field::Sex, QStringLiteral("性別の指定が必要です。")};
    person.Sex = input.Sex;

    const Limit limits[] = {
        {Field::Distinctive, &input.distinctive, 190, u"半角190文字・全角95文字"},
        {Field::Room, &input.Room, 38, u"半角38文字・全角19文字"},
        {Field::PostalCode, &input.YoubinNo, 18, u"半角18文字"},
        {Field::Address, &input.Address, 110, u"半角110文字・全角55文字"},
        {Field::TelNo, &input.TelNo, 18, u"半角18文字"},
        {Field::FaxNo, &input.FaxNo, 18, u"半角18文字"},
        {Field::EMail, &input.EMail, 78, u"半角78文字"},
    };
    for (const Limit &limit : limits) {
        if (std::optional<Failure> failure = checkLength(limit.field, *limit.text, limit.maxBytes, limit.limits))
            return *failure;
    }
    person.distinctive = input.distinctive;
    person.ROOM_NO = input.Room;
    person.YoubinNo = input.YoubinNo;
    person.Address = input.Address;
    person.TelNo = input.TelNo;
    person.FaxNo = input.FaxNo;
    person.EMail = input.EMail;

    if (!input.Partner.isEmpty()) {
        bool isNumber = false;
        person.HinorikuUserNo = input.Partner.trimmed().toInt(&isNumber);
        if (!isNumber)
            return Failure{Field::Partner, QStringLiteral("数字エラーです。\n半角数字で入力してください。")};
    }

    if (input.RihaType < 0)
        return Failure{Field::RihaType, QStringLiteral("リハビリ形態は入力必須項目です。")};
    person.RihaType = input.RihaType;

    person.KubunCode = (input.Tanki ? KubunTanki : 0) | (input.Ninchi ? KubunNinchi : 0) |
                       (input.Shudan ? KubunShudan : 0) | (input.Kobetsu ? KubunKobetsu : 0);
    person.KubunDate = now;
    person.Jiritsu_KBN = input.Jiritsu;
    person.Ninchi_KBN = input.NinchiLevel;
    person.YOUKAIGO_KBN = input.Youkaigo;
    person.HP_TAISHO_YMD = ParseEraDate(input.Taiin).value_or(DateTime::None);

    const std::optional<TDateTime> start = ParseEraDate(input.Nyusho);
    if (!start)
        return Failure{Field::Start, QStringLiteral("利用開始日は入力必須項目です。")};
    person.NYUSHOBI_YMD = *start;

    const std::optional<TDateTime> end = ParseEraDate(input.Taisho);
    if (end && *end < *start)
        return Failure{Field::End, QStringLiteral("退所(終了)日<入所日:日付エラーです。")};
    person.TAISHOBI_YMD = end.value_or(DateTime::None);

    QString *const diseases[] = {&person.Disease1, &person.Disease2, &person.Disease3,
                                 &person.Disease4, &person.Disease5, &person.Disease6};
    for (int i = 0; i < 6; ++i) {
        const QString &disease = input.Diseases[size_t(i)];
        if (std::optional<Failure> failure =
                checkLength(Field(int(Field::Disease1) + i), disease, 40, u"半角40文字・全角20文字"))
            return *failure;
        *diseases[i] = TPerson::cutDisease(disease);
    }
    return person;
}
