// Texts composed from the glyphs of their characters must come out exactly
// as a layout of their own lays them out, and texts that shape otherwise
// must be left to the layout.

#include "PreparedFixtures.h"

#include "report/common/TrpUtils.h"
#include "report/drawing/TrpFontCache.h"
#include "report/drawing/TrpRecordingDevice.h"
#include "report/drawing/TrpTextComposer.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <thread>

using namespace PreparedFixtures;

namespace {

QFont fontNumber(int i)
{
    QFont font(i % 2 ? QStringLiteral("Noto Serif CJK JP") : QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(9 + 5 * (i % 3) + i / 6);
    font.setBold(i % 4 == 1);
    if (i == 5)
        font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    return font;
}

void expectSameLine(const TrpShapedLine &composed, const TrpShapedLine &shaped, const QString &text)
{
    const std::string name = text.toStdString();
    EXPECT_EQ(composed.width, shaped.width) << name;
    EXPECT_EQ(composed.ascent, shaped.ascent) << name;
    EXPECT_EQ(composed.descent, shaped.descent) << name;
    ASSERT_EQ(composed.glyphs.size(), shaped.glyphs.size()) << name;
    for (qsizetype i = 0; i < shaped.glyphs.size(); ++i) {
        const QGlyphRun &a = composed.glyphs[i];
        const QGlyphRun &b = shaped.glyphs[i];
        EXPECT_EQ(a.glyphIndexes(), b.glyphIndexes()) << name;
        EXPECT_EQ(a.positions(), b.positions()) << name;
        EXPECT_EQ(a.rawFont(), b.rawFont()) << name;
        EXPECT_EQ(a.flags(), b.flags()) << name;
        EXPECT_EQ(a.boundingRect(), b.boundingRect()) << name;
    }
}

// Names, kana readings, numbers, dates and amounts as lists print them,
// with every kind of space, in random mixes of the characters composed.
QStringList listTexts()
{
    QStringList texts = {
        u8("山田 太郎12"),
        u8("佐藤　花子"),
        u8("高橋みどり"),
        u8("渡辺 ゆう子"),
        u8("ヤマダ タロウ"),
        u8("サトウ　ハナコ"),
        u8("ﾔﾏﾀﾞ ﾀﾛｳ"),
        u8("ｶﾞｷﾞｸﾞ ﾊﾟﾋﾟ"),
        u8("ＡＢＣ１２３"),
        u8("全角ＡＢＣ１２３"),
        u8("令和8年12月7日（月）"),
        u8("2026/12/07"),
        u8("1,000.50"),
        u8("-12,345.00"),
        u8("¥1,000"),
        u8("No.5"),
        u8("〈評価〉「歩行」・杖"),
        u8("々〆〇ー"),
        QStringLiteral(" 12 "),
        QStringLiteral("..."),
        QStringLiteral("(1)"),
        u8("12山田"),
        u8(" ア"),
        u8("あ.ア"),
    };
    const QString pool =
        u8("山田太郎花子高橋佐藤齋藤渡辺龍あいうえおがぎぐたろうみどりアイウエオダヂヅヤマタロウーｱｲｳｶﾞﾊﾟﾞﾟ"
           "０１２ＡＢＣｚ0123456789 　,./-:()「」・、。〒￥");
    QRandomGenerator random(28);
    for (int i = 0; i < 300; ++i) {
        QString text;
        const int length = 1 + random.bounded(12);
        for (int k = 0; k < length; ++k)
            text += pool[random.bounded(int(pool.size()))];
        texts.append(text);
    }
    return texts;
}

} // namespace

TEST(TrpTextComposer, ComposedTextsAreLaidOutAsTheLayoutLaysThemOut)
{
    TrpRecordingDevice device(QSizeF(100, 100));
    const QStringList texts = listTexts();
    for (int f = 0; f < 12; ++f) {
        const QFont font = fontNumber(f);
        TrpTextComposer composer(font);
        int composedCount = 0;
        for (const QString &text : texts) {
            const std::optional<TrpShapedLine> composed = composer.compose(text);
            if (!composed)
                continue;
            ++composedCount;
            EXPECT_EQ(composer.width(text), composed->width) << text.toStdString();
            expectSameLine(*composed, TrpTextShaping::shapeLine(text, font, Qt::LeftToRight, &device), text);
            // Painters lay texts out in the direction of their first strong
            // character.
            expectSameLine(*composed, TrpTextShaping::shapeLine(text, font, Qt::LayoutDirectionAuto, &device), text);
        }
        // Nearly all of them are composed; letter spacing leaves out
        // more (spaced pairs of kana shape otherwise).
        EXPECT_GT(composedCount, texts.size() * (f == 5 ? 6 : 8) / 10) << f;
    }
}

TEST(TrpTextComposer, TextsThatShapeOtherwiseAreLeftToTheLayout)
{
    TrpTextComposer composer(fontNumber(0));
    // Latin letters kern and join, marks combine, variation selectors pick
    // another glyph for the character before them, other scripts and
    // characters outside the plane are not composed, nor are controls.
    for (const char *text : {"office", "No.5 fi", "か\u3099", "e\u0301", "葛\U000E0100城", "〃\uFE0E", "한국어", "ไทย",
                             "😀", "a\tb", "行\n改", ""})
        EXPECT_FALSE(composer.compose(u8(text))) << text;
    EXPECT_TRUE(composer.compose(u8("山田 太郎")));
    // Characters a face lacks come from another face.
    QFont latin(QStringLiteral("DejaVu Sans"));
    latin.setPixelSize(13);
    TrpTextComposer other(latin);
    EXPECT_TRUE(other.compose(u8("2026/12/07")));
    EXPECT_FALSE(other.compose(u8("12山田")));
    // All from the other face, they are laid out as that face lays them.
    TrpRecordingDevice device(QSizeF(100, 100));
    const std::optional<TrpShapedLine> fallen = other.compose(u8("山田"));
    ASSERT_TRUE(fallen);
    expectSameLine(*fallen, TrpTextShaping::shapeLine(u8("山田"), latin, Qt::LeftToRight, &device), u8("山田"));
}

// Memos measure their lines with the widths composed where they can: the
// widths must be those the font's metrics give.
TEST(TrpTextComposer, ComposedWidthsAreTheMetricsWidths)
{
    const QStringList texts = listTexts();
    for (const char *name : {"ＭＳ ゴシック", "ＭＳ 明朝"}) {
        for (const int pixels : {11, 13, 16}) {
            for (const int style : {0, int(TrpUtils::fsBold), TrpUtils::fsItalic | TrpUtils::fsUnderline}) {
                TrpFontCache::Font font({u8(name), pixels, style, pixels == 16 ? 1 : 0});
                for (const QString &text : texts)
                    EXPECT_EQ(font.width(text), font.metrics().horizontalAdvance(text)) << text.toStdString();
            }
        }
    }
}

// A layout shapes a long text in items of at most some thousand
// characters, each a run of its own: a line of data printed unwrapped must
// come out in the same runs.
TEST(TrpTextComposer, LongTextsAreSplitIntoRunsAsTheLayoutSplitsThem)
{
    const QFont font = fontNumber(0);
    TrpTextComposer composer(font);
    TrpRecordingDevice device(QSizeF(100, 100));
    for (const int length : {4096, 4097, 9000}) {
        QString text = u8("山");
        while (text.size() < length)
            text += QChar(char16_t(u'0' + text.size() % 10));
        const std::optional<TrpShapedLine> composed = composer.compose(text);
        ASSERT_TRUE(composed) << length;
        expectSameLine(*composed, TrpTextShaping::shapeLine(text, font, Qt::LeftToRight, &device),
                       QString::number(length));
    }
}

// Memos laid out on several threads at once measure their lines as on one.
TEST(TrpTextComposer, WidthsMeasuredOnThreadsAtOnceAreTheMetricsWidths)
{
    const QStringList texts = listTexts();
    const auto measured = [&texts] {
        std::vector<qreal> widths;
        for (const int pixels : {10, 11, 12, 13, 14, 15, 16}) {
            for (const int style : {0, int(TrpUtils::fsBold)}) {
                for (const QString &text : texts)
                    widths.push_back(TrpFontCache::global().font({u8("ＭＳ 明朝"), pixels, style, 0})->width(text));
            }
        }
        return widths;
    };
    const std::vector<qreal> alone = measured();
    std::vector<std::vector<qreal>> widths(4);
    std::vector<std::thread> threads;
    for (std::vector<qreal> &each : widths)
        threads.emplace_back([&each, &measured] { each = measured(); });
    for (std::thread &thread : threads)
        thread.join();
    for (const std::vector<qreal> &each : widths)
        EXPECT_EQ(each, alone);
}
