#include "core/ImeComposition.h"

#include <QEvent>
#include <QInputMethodEvent>

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace {

constexpr char16_t FirstKatakana = u'ァ';
constexpr char16_t LastKatakana = u'ヶ';
constexpr char16_t FirstHiragana = u'ぁ';
constexpr char16_t LastHiragana = u'ゖ';

// Half-width forms of the full-width katakana ァ to ヶ, in code order.
constexpr std::array<std::u16string_view, LastKatakana - FirstKatakana + 1> HalfWidthKatakana{
    u"ｧ",  u"ｱ",  u"ｨ",  u"ｲ",  u"ｩ",  u"ｳ",  u"ｪ",  u"ｴ", u"ｫ",  u"ｵ",  u"ｶ",  u"ｶﾞ", u"ｷ",  u"ｷﾞ", u"ｸ",
    u"ｸﾞ", u"ｹ",  u"ｹﾞ", u"ｺ",  u"ｺﾞ", u"ｻ",  u"ｻﾞ", u"ｼ", u"ｼﾞ", u"ｽ",  u"ｽﾞ", u"ｾ",  u"ｾﾞ", u"ｿ",  u"ｿﾞ",
    u"ﾀ",  u"ﾀﾞ", u"ﾁ",  u"ﾁﾞ", u"ｯ",  u"ﾂ",  u"ﾂﾞ", u"ﾃ", u"ﾃﾞ", u"ﾄ",  u"ﾄﾞ", u"ﾅ",  u"ﾆ",  u"ﾇ",  u"ﾈ",
    u"ﾉ",  u"ﾊ",  u"ﾊﾞ", u"ﾊﾟ", u"ﾋ",  u"ﾋﾞ", u"ﾋﾟ", u"ﾌ", u"ﾌﾞ", u"ﾌﾟ", u"ﾍ",  u"ﾍﾞ", u"ﾍﾟ", u"ﾎ",  u"ﾎﾞ",
    u"ﾎﾟ", u"ﾏ",  u"ﾐ",  u"ﾑ",  u"ﾒ",  u"ﾓ",  u"ｬ",  u"ﾔ", u"ｭ",  u"ﾕ",  u"ｮ",  u"ﾖ",  u"ﾗ",  u"ﾘ",  u"ﾙ",
    u"ﾚ",  u"ﾛ",  u"ﾜ",  u"ﾜ",  u"ｲ",  u"ｴ",  u"ｦ",  u"ﾝ", u"ｳﾞ", u"ｶ",  u"ｹ"};

// The marks that readings hold besides the letters, with their half-width forms.
constexpr std::array<std::pair<char16_t, char16_t>, 4> HalfWidthMarks{
    {{u'ー', u'ｰ'}, {u'・', u'･'}, {u'゛', u'ﾞ'}, {u'゜', u'ﾟ'}}};

bool isHalfWidthKana(char16_t c)
{
    return c >= u'･' && c <= u'ﾟ';
}

bool isKana(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        const bool mark =
            std::any_of(HalfWidthMarks.begin(), HalfWidthMarks.end(), [c](const auto &m) { return m.first == c; });
        if (!mark && !isHalfWidthKana(c) && !(c >= FirstKatakana && c <= LastKatakana) &&
            !(c >= FirstHiragana && c <= LastHiragana))
            return false;
    }
    return true;
}

QString toHalfWidthKatakana(QStringView kana)
{
    QString out;
    for (const QChar qc : kana) {
        char16_t c = qc.unicode();
        if (c >= FirstHiragana && c <= LastHiragana)
            c = char16_t(c - FirstHiragana + FirstKatakana);
        if (c >= FirstKatakana && c <= LastKatakana) {
            const std::u16string_view half = HalfWidthKatakana[c - FirstKatakana];
            out += QStringView(half.data(), qsizetype(half.size()));
            continue;
        }
        const auto mark =
            std::find_if(HalfWidthMarks.begin(), HalfWidthMarks.end(), [c](const auto &m) { return m.first == c; });
        out += QChar(mark != HalfWidthMarks.end() ? mark->second : c);
    }
    return out;
}

} // namespace

ImeComposition::ImeComposition(QObject *input) : QObject(input)
{
    input->installEventFilter(this);
}

ImeComposition *ImeComposition::watch(QObject *input)
{
    if (ImeComposition *existing = of(input))
        return existing;
    return new ImeComposition(input);
}

ImeComposition *ImeComposition::of(const QObject *input)
{
    return input ? input->findChild<ImeComposition *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

bool ImeComposition::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::InputMethod) {
        const auto *ime = static_cast<const QInputMethodEvent *>(event);
        const QString commit = ime->commitString();
        const QString preedit = ime->preeditString();
        if (!commit.isEmpty()) {
            // Kana committed without a conversion is its own reading.
            const QString reading = m_pending.isEmpty() && isKana(commit) ? commit : m_pending;
            m_reading = toHalfWidthKatakana(reading);
            m_pending.clear();
        }
        // Once converted the pre-edit shows kanji, and the kana typed before
        // stays the reading; an emptied pre-edit without a commit is a
        // cancelled composition.
        if (isKana(preedit))
            m_pending = preedit;
        else if (preedit.isEmpty() && commit.isEmpty())
            m_pending.clear();
    }
    return QObject::eventFilter(watched, event);
}

QString GetImeComposition(const QObject *input)
{
    const ImeComposition *watcher = ImeComposition::of(input);
    return watcher ? watcher->reading() : QString();
}
