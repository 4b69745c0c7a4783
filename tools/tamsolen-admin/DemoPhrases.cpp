#include "DemoPhrases.h"

#include "base/Clock.h"
#include "platform/DbConnection.h"
#include "platform/DbQuery.h"
#include "platform/DbTransaction.h"

#include <initializer_list>

namespace {

struct PhraseGroup
{
    const char16_t *programName;
    int code;
    std::initializer_list<const char16_t *> phrases;
};

// clang-format off
const std::initializer_list<PhraseGroup> Groups{
    {u"UserRegist", 0, {u"脳梗塞後遺症", u"脳出血後遺症", u"パーキンソン病", u"大腿骨頸部骨折", u"変形性膝関節症",
                        u"腰部脊柱管狭窄症", u"高血圧症", u"糖尿病", u"認知症"}},
    {u"UserRegist", 1, {u"101号室", u"102号室", u"103号室", u"201号室", u"202号室", u"203号室"}},
    {u"CurePlan", 1, {u"拘縮なし", u"肩関節に軽度拘縮あり", u"膝関節に伸展制限あり"}},
    {u"CurePlan", 2, {u"麻痺なし", u"軽度麻痺", u"中等度麻痺", u"重度麻痺"}},
    {u"CurePlan", 3, {u"著明な低下なし", u"下肢筋力低下あり", u"体幹筋力低下あり"}},
    {u"CurePlan", 4, {u"痛みなし", u"動作時に腰痛あり", u"膝に荷重時痛あり"}},
    {u"CurePlan", 5, {u"問題なし", u"眼鏡使用", u"視野狭窄あり"}},
    {u"CurePlan", 6, {u"問題なし", u"補聴器使用", u"大きな声で聞き取り可"}},
    {u"CurePlan", 10, {u"失語なし", u"運動性失語あり", u"感覚性失語あり"}},
    {u"CurePlan", 11, {u"失認なし", u"左半側空間無視あり"}},
    {u"CurePlan", 20, {u"自立", u"柵につかまり可能", u"介助が必要"}},
    {u"CurePlan", 21, {u"自立", u"背もたれがあれば可能", u"介助が必要"}},
    {u"CurePlan", 22, {u"自立", u"手すりにつかまり可能", u"介助が必要"}},
    {u"CurePlan", 23, {u"自立", u"見守りで可能", u"介助が必要"}},
    {u"CurePlan", 24, {u"独歩", u"杖歩行", u"歩行器歩行", u"車椅子"}},
    {u"CurePlan", 25, {u"自立", u"ポータブルトイレ使用", u"おむつ使用"}},
    {u"CurePlan", 26, {u"自立", u"一部介助", u"刻み食"}},
    {u"CurePlan", 27, {u"一般浴", u"機械浴", u"シャワー浴"}},
    {u"CurePlan", 28, {u"自立", u"上衣のみ介助", u"全介助"}},
    {u"CurePlan", 29, {u"問題なし", u"簡単な会話は可能", u"意思疎通困難"}},
    {u"CurePlan", 50, {u"転倒の危険がある", u"屋内移動に介助が必要", u"活動量が少ない"}},
    {u"CurePlan", 51, {u"屋内を杖で安全に歩ける", u"トイレ動作が自立する", u"在宅生活を継続する"}},
    {u"CurePlan", 52, {u"関節可動域訓練", u"筋力増強訓練", u"歩行訓練", u"日常生活動作訓練"}},
    {u"CurePlan", 7, {u"家族の協力が得られる", u"自宅に段差がある"}},
    {u"CurePlan", 40, {u"主治医と連携する", u"訓練時は血圧を確認する"}},
    {u"CurePlan", 60, {u"運動負荷に注意", u"転倒に注意"}},
    {u"PracticePlan", 0, {u"理学療法士", u"作業療法士", u"言語聴覚士"}},
    {u"PracticePlan", 1, {u"体調は安定している", u"血圧の変動に注意"}},
    {u"PracticePlan", 30, {u"自分で歩けるようになりたい", u"家に帰りたい"}},
    {u"PracticePlan", 31, {u"安全に生活してほしい", u"できることを続けてほしい"}},
    {u"Goods", 0, {u"杖", u"歩行器", u"車椅子", u"手すり", u"装具"}},
    {u"Kaigo", 0, {u"入浴介助", u"排泄介助", u"食事介助", u"更衣介助", u"移乗介助"}},
    {u"UserAttend", 0, {u"送迎あり", u"家族送迎", u"お休みの連絡あり"}},
    {u"Schd", 0, {u"個別訓練", u"集団体操", u"歩行訓練", u"評価"}},
    {u"ResultEdit", 0, {u"体調良好", u"疲労の訴えあり", u"血圧高めのため軽めに実施"}},
};
// clang-format on

} // namespace

bool addDemoPhrases(DbConnection &database, QString &errorText)
{
    DbTransaction transaction(database);
    if (!transaction.isActive()) {
        errorText = database.errorText();
        return false;
    }
    const DbDate now{Clock::now()};
    DbQuery insert(database, QStringLiteral("INSERT INTO Comment (ProgramName, CommentCode, CommentText, Creator, "
                                            "CreateDate, Updator, UpdateDate) "
                                            "VALUES (:program, :code, :text, 0, :created, 0, :updated)"));
    insert.bind(u"created", now).bind(u"updated", now);
    for (const PhraseGroup &group : Groups) {
        insert.bind(u"program", QString::fromUtf16(group.programName)).bind(u"code", group.code);
        for (const char16_t *phrase : group.phrases) {
            insert.bind(u"text", QString::fromUtf16(phrase));
            if (!insert.exec()) {
                errorText = insert.errorText();
                return false;
            }
        }
    }
    if (!transaction.commit()) {
        errorText = database.errorText();
        return false;
    }
    return true;
}
