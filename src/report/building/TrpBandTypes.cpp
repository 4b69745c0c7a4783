#include "report/building/TrpBandTypes.h"

namespace TrpBandTypes {

QString displayName(int type)
{
    static const char16_t *const names[Count] = {
        u"レポート タイトル", u"レポート サマリー", u"ページ ヘッダー", u"ページ フッター", u"マスタ ヘッダー",
        u"マスタ データ",     u"マスタ フッター",   u"詳細 ヘッダー",   u"詳細 データ",     u"詳細 フッター",
        u"サブ詳細 ヘッダー", u"サブ詳細 データ",   u"サブ詳細 フッター", u"オーバーレイ",    u"項目 ヘッダー",
        u"項目 フッター",     u"グループ ヘッダー", u"グループ フッター", u"クロス ヘッダー", u"クロス データ",
        u"クロス フッター",   u"無し",
    };
    if (type < 0 || type >= Count)
        type = btNone;
    return QString::fromUtf16(names[type]);
}

} // namespace TrpBandTypes
