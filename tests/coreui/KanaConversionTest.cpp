#include "core/KanaConversion.h"
#include "coreui/KanaLineEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include <gtest/gtest.h>

namespace {

// Keys that produce the text, one character each.
void typeText(QWidget *input, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(input, &press);
    }
}

} // namespace

TEST(KanaConversion, HiraganaKatakanaMarksAndBlanksBecomeHalfWidth)
{
    EXPECT_EQ(ToHalfWidthKana(u"やまだ　たろう"), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
    EXPECT_EQ(ToHalfWidthKana(u"ヤマダ　タロウ"), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
    // Voiced and semi-voiced letters, small letters, the long mark and the dot.
    EXPECT_EQ(ToHalfWidthKana(u"ぎょうざ・ポーク"), QStringLiteral("ｷﾞｮｳｻﾞ･ﾎﾟｰｸ"));
    EXPECT_EQ(ToHalfWidthKana(u"ゔぁヴィッ"), QStringLiteral("ｳﾞｧｳﾞｨｯ"));
    // Spacing and combining voiced marks.
    EXPECT_EQ(ToHalfWidthKana(u"カ゛ハ゜"), QStringLiteral("ｶﾞﾊﾟ"));
    EXPECT_EQ(ToHalfWidthKana(u"か\u3099は\u309A"), QStringLiteral("ｶﾞﾊﾟ"));
    // Old and rare letters map to their nearest half-width form.
    EXPECT_EQ(ToHalfWidthKana(u"ゐゑをんヵヶヮ"), QStringLiteral("ｲｴｦﾝｶｹﾜ"));
    // What is half-width already, and what is no kana, stays.
    EXPECT_EQ(ToHalfWidthKana(u"ｻﾄｳ ﾊﾅｺ"), QStringLiteral("ｻﾄｳ ﾊﾅｺ"));
    EXPECT_EQ(ToHalfWidthKana(u"山田 A1１"), QStringLiteral("山田 A1１"));
    EXPECT_EQ(ToHalfWidthKana(u""), QString());
}

TEST(KanaConversion, KanaCharacters)
{
    for (const QChar c : QStringView(u"あゖアヶｦﾟーﾞ・゛\u3099"))
        EXPECT_TRUE(IsKanaChar(c)) << int(c.unicode());
    for (const QChar c : QStringView(u" \u3000A山ヷ"))
        EXPECT_FALSE(IsKanaChar(c)) << int(c.unicode());
}

TEST(KanaLineEdit, TypedPastedAndCommittedKanaIsStoredHalfWidth)
{
    KanaLineEdit kana;
    kana.show();
    typeText(&kana, QStringLiteral("さとう"));
    EXPECT_EQ(kana.text(), QStringLiteral("ｻﾄｳ"));

    // The caret stays after what was converted.
    kana.setCursorPosition(0);
    typeText(&kana, QStringLiteral("が"));
    EXPECT_EQ(kana.text(), QStringLiteral("ｶﾞｻﾄｳ"));
    EXPECT_EQ(kana.cursorPosition(), 2);

    kana.clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("スズキ　ハナコ"));
    kana.paste();
    EXPECT_EQ(kana.text(), QStringLiteral("ｽｽﾞｷ ﾊﾅｺ"));

    // A commit while the next composition goes on: the commit is converted,
    // the composition is left to the input method.
    kana.clear();
    QInputMethodEvent event(QStringLiteral("た"), {});
    event.setCommitString(QStringLiteral("やまだ　"));
    QCoreApplication::sendEvent(&kana, &event);
    EXPECT_EQ(kana.text(), QStringLiteral("ﾔﾏﾀﾞ "));
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("たろう"));
    QCoreApplication::sendEvent(&kana, &commit);
    EXPECT_EQ(kana.text(), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
}
