#include "core/KanaConversion.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace {

constexpr char16_t FirstKatakana = u'ァ';
constexpr char16_t LastKatakana = u'ヶ';
constexpr char16_t FirstHiragana = u'ぁ';
constexpr char16_t LastHiragana = u'ゖ';
constexpr char16_t FirstHalfWidthKana = u'･';
constexpr char16_t LastHalfWidthKana = u'ﾟ';

// Half-width forms of the full-width katakana ァ to ヶ, in code order.
constexpr std::array<std::u16string_view, LastKatakana - FirstKatakana + 1> HalfWidthKatakana{
    u"ｧ",  u"ｱ",  u"ｨ",  u"ｲ",  u"ｩ",  u"ｳ",  u"ｪ",  u"ｴ", u"ｫ",  u"ｵ",  u"ｶ",  u"ｶﾞ", u"ｷ",  u"ｷﾞ", u"ｸ",
    u"ｸﾞ", u"ｹ",  u"ｹﾞ", u"ｺ",  u"ｺﾞ", u"ｻ",  u"ｻﾞ", u"ｼ", u"ｼﾞ", u"ｽ",  u"ｽﾞ", u"ｾ",  u"ｾﾞ", u"ｿ",  u"ｿﾞ",
    u"ﾀ",  u"ﾀﾞ", u"ﾁ",  u"ﾁﾞ", u"ｯ",  u"ﾂ",  u"ﾂﾞ", u"ﾃ", u"ﾃﾞ", u"ﾄ",  u"ﾄﾞ", u"ﾅ",  u"ﾆ",  u"ﾇ",  u"ﾈ",
    u"ﾉ",  u"ﾊ",  u"ﾊﾞ", u"ﾊﾟ", u"ﾋ",  u"ﾋﾞ", u"ﾋﾟ", u"ﾌ", u"ﾌﾞ", u"ﾌﾟ", u"ﾍ",  u"ﾍﾞ", u"ﾍﾟ", u"ﾎ",  u"ﾎﾞ",
    u"ﾎﾟ", u"ﾏ",  u"ﾐ",  u"ﾑ",  u"ﾒ",  u"ﾓ",  u"ｬ",  u"ﾔ", u"ｭ",  u"ﾕ",  u"ｮ",  u"ﾖ",  u"ﾗ",  u"ﾘ",  u"ﾙ",
    u"ﾚ",  u"ﾛ",  u"ﾜ",  u"ﾜ",  u"ｲ",  u"ｴ",  u"ｦ",  u"ﾝ", u"ｳﾞ", u"ｶ",  u"ｹ"};

// The marks that readings hold besides the letters, with their half-width
// forms; the combining voiced marks are what some input methods commit.
constexpr std::array<std::pair<char16_t, char16_t>, 6> HalfWidthMarks{
    {{u'ー', u'ｰ'}, {u'・', u'･'}, {u'゛', u'ﾞ'}, {u'゜', u'ﾟ'}, {u'\u3099', u'ﾞ'}, {u'\u309A', u'ﾟ'}}};

constexpr char16_t FullWidthBlank = u'\u3000';

const std::pair<char16_t, char16_t> *markOf(char16_t c)
{
    const auto mark =
        std::find_if(HalfWidthMarks.begin(), HalfWidthMarks.end(), [c](const auto &m) { return m.first == c; });
    return mark != HalfWidthMarks.end() ? &*mark : nullptr;
}

} // namespace

QString ToHalfWidthKana(QStringView text)
{
    QString out;
    out.reserve(text.size() * 2);
    for (const QChar qc : text) {
        char16_t c = qc.unicode();
        if (c >= FirstHiragana && c <= LastHiragana)
            c = char16_t(c - FirstHiragana + FirstKatakana);
        if (c >= FirstKatakana && c <= LastKatakana) {
            const std::u16string_view half = HalfWidthKatakana[c - FirstKatakana];
            out += QStringView(half.data(), qsizetype(half.size()));
        } else if (const auto *mark = markOf(c)) {
            out += QChar(mark->second);
        } else if (c == FullWidthBlank) {
            out += u' ';
        } else {
            out += qc;
        }
    }
    return out;
}

bool IsKanaChar(QChar qc)
{
    const char16_t c = qc.unicode();
    return (c >= FirstHiragana && c <= LastHiragana) || (c >= FirstKatakana && c <= LastKatakana) ||
           (c >= FirstHalfWidthKana && c <= LastHalfWidthKana) || markOf(c) != nullptr;
}
