#include "report/common/TrpUtils.h"
#include "report/drawing/TrpDrawContext.h"
#include "report/drawing/TrpFontCache.h"
#include "report/expr/TrpDisplayFormat.h"
#include "report/expr/TrpExpander.h"
#include "report/expr/TrpValueLookup.h"
#include "report/objects/TrpLineView.h"
#include "report/objects/TrpMemoView.h"
#include "report/objects/TrpPictureView.h"
#include "report/objects/TrpTextWrapper.h"

#include <QTextBoundaryFinder>

#include "base/DateTime.h"
#include "base/NumberFormat.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

QString q(const char *s)
{
    return QString::fromUtf8(s);
}

// Answers names from a table and fails on any other.
class TableLookup : public TrpValueLookup
{
public:
    QHash<QString, Variant> values;
    QStringList asked;

    std::optional<Variant> lookup(const QString &expression) override
    {
        asked.append(expression);
        if (!values.contains(expression)) {
            m_error = TrpError{TrpError::Kind::Conversion, QStringLiteral("Undefined symbol \"%1\"").arg(expression)};
            return std::nullopt;
        }
        return values.value(expression);
    }
    TrpError error() const override { return m_error; }

private:
    TrpError m_error;
};

QString formatted(const char *format, const Variant &value)
{
    return TrpDisplayFormat::parse(q(format), TrpView::defaultFormat()).apply(value);
}

TEST(TrpDisplayFormat, InlineFormats)
{
    EXPECT_EQ(formatted("N0.2", Variant(1234.5)), q("1234.50"));
    EXPECT_EQ(formatted("N0,2", Variant(1234.5)), q("1234,50"));
    EXPECT_EQ(formatted("N0.00", Variant(1234.25)), q("1234"));
    EXPECT_EQ(formatted("0.1", Variant(2.25)), q("2.3"));
    EXPECT_EQ(formatted("N#,##0.00", Variant(1234.5)), q("1,234.50"));
    EXPECT_EQ(formatted("BNo;Yes", Variant(true)), q("Yes"));
    EXPECT_EQ(formatted("BNo;Yes", Variant(0)), q("No"));
    EXPECT_EQ(formatted("Dyyyy/mm/dd", Variant::dateTime(DateTime::encodeDate(2024, 3, 5))), q("2024/03/05"));
    EXPECT_EQ(formatted("thh:nn", Variant::dateTime(DateTime::encodeTime(9, 5))), q("09:05"));
    EXPECT_EQ(formatted("N0.2", Variant(q("abc"))), q("abc"));
    EXPECT_EQ(formatted("N0.2", Variant()), q(" "));
    EXPECT_EQ(formatted("N0.2", Variant::null()), q(" "));
    // The separator is the format's only while the value is formatted.
    EXPECT_EQ(NumberFormat::decimalSeparator(), QLatin1Char('.'));
}

TEST(TrpDisplayFormat, StoredFormats)
{
    auto apply = [](int kind, int sub, int decimals, char separator, const Variant &value, const char *text = "") {
        return TrpDisplayFormat(TrpDisplayFormat::make(kind, sub, decimals, separator), q(text)).apply(value);
    };
    const Variant number(1234.567);
    EXPECT_EQ(apply(0, 0, 0, '.', number), q("1234.567"));
    EXPECT_EQ(apply(1, 0, 0, '.', number), q("1234.57"));
    EXPECT_EQ(apply(1, 1, 1, ',', number), q("1234,6"));
    EXPECT_EQ(apply(1, 2, 0, '.', number), q("1,234.57"));
    EXPECT_EQ(apply(1, 3, 2, '.', number), q("1,234.57"));
    EXPECT_EQ(apply(1, 4, 0, '.', number, "0.0"), q("1234.6"));
    // A separator byte of 0 from a broken file keeps the engine's.
    EXPECT_EQ(apply(1, 1, 2, '\0', number), q("1234.57"));
    const Variant day = Variant::dateTime(DateTime::encodeDate(2024, 3, 5) + DateTime::encodeTime(14, 7, 9));
    EXPECT_EQ(apply(2, 0, 0, '.', day), q("03.05.24"));
    EXPECT_EQ(apply(2, 1, 0, '.', day), q("03.05.2024"));
    EXPECT_EQ(apply(2, 4, 0, '.', day, "yyyy年m月d日"), q("2024年3月5日"));
    EXPECT_EQ(apply(3, 0, 0, '.', day), q("14:07:09"));
    EXPECT_EQ(apply(3, 3, 0, '.', day), q("14:07"));
    EXPECT_EQ(apply(4, 0, 0, '.', Variant(true)), q("1"));
    EXPECT_EQ(apply(4, 1, 0, '.', Variant(false)), q("No"));
    EXPECT_EQ(apply(4, 2, 0, '.', Variant(1)), q("x"));
    EXPECT_EQ(apply(4, 3, 0, '.', Variant(q("True"))), q("True"));
    EXPECT_EQ(apply(4, 4, 0, '.', Variant(true), "いいえ;はい"), q("はい"));
    EXPECT_EQ(apply(9, 0, 0, '.', Variant(q("t"))), q("t"));
}

TEST(TrpExpander, BracketsNestAndValuesAreNotExpandedAgain)
{
    TableLookup lookup;
    lookup.values = {{q("Name"), Variant(q("山田 [x]"))},
                     {q("IF([a] > 0, 1, 2)"), Variant(7)},
                     {q("Total"), Variant(1234.5)},
                     {q("Lines"), Variant(q("one\r\ntwo\nthree\r"))},
                     {q("Empty"), Variant()}};
    TrpExpander expander(lookup, TrpView::defaultFormat(), QString());
    const std::optional<QStringList> lines =
        expander.expandLines({q("氏名: [Name]様"), QString(), q("[IF([a] > 0, 1, 2)]/[Total #N0,2]"), q("[Lines]"),
                              q("[Empty]|["), q("ゼゾ[Total]")});
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (QStringList{q("氏名: 山田 [x]様"), QString(), q("7/1234,50"), q("one"), q("two"), q("three"),
                                   q(" |["), q("ゼゾ1234.5")}));
    EXPECT_EQ(lookup.asked,
              (QStringList{q("Name"), q("IF([a] > 0, 1, 2)"), q("Total"), q("Lines"), q("Empty"), q("Total")}));
}

TEST(TrpExpander, ObjectFormatAppliesAndFailuresPassUp)
{
    TableLookup lookup;
    lookup.values = {{q("Total"), Variant(2.5)}};
    TrpMemoView memo;
    memo.Format = TrpDisplayFormat::make(1, 1, 3, '.');
    memo.Memo = {q("[Total]")};
    TrpError error;
    ASSERT_TRUE(memo.ExpandMemo(lookup, error));
    EXPECT_EQ(memo.ExpandedMemo, QStringList{q("2.500")});
    memo.Memo = {q("ok"), q("[Missing]")};
    EXPECT_FALSE(memo.ExpandMemo(lookup, error));
    EXPECT_TRUE(error.message.contains(q("Missing")));
    EXPECT_EQ(memo.ExpandedMemo, QStringList{q("2.500")});
}

// Every character is ten units wide.
TrpTextWrapper::Measure tenEach()
{
    return [](QStringView text) {
        return 10.0 * double(text.size());
    };
}

QStringList texts(const QList<TrpTextWrapper::Line> &lines)
{
    QStringList out;
    for (const auto &line : lines)
        out.append(line.text + (line.paragraphEnd ? QStringLiteral("|") : QString()));
    return out;
}

TEST(TrpTextWrapper, BreaksAfterBreakPointsOrAtTheOverflow)
{
    const TrpTextWrapper wrapper(tenEach(), 75, false);
    EXPECT_EQ(texts(wrapper.wrap(q("aaa bbb ccc"))), (QStringList{q("aaa bbb"), q("ccc|")}));
    EXPECT_EQ(texts(wrapper.wrap(q("aa,bbbb,cc"))), (QStringList{q("aa,"), q("bbbb,cc|")}));
    EXPECT_EQ(texts(wrapper.wrap(q("abcdefghijklmnop"))), (QStringList{q("abcdefg"), q("hijklmn"), q("op|")}));
    EXPECT_EQ(texts(wrapper.wrap(q("ab\r\n\r\ncd\ref"))), (QStringList{q("ab|"), q("cd|"), q("ef|")}));
    EXPECT_EQ(texts(wrapper.wrap(q("あいうえおかきくけこ"))), (QStringList{q("あいうえおかき"), q("くけこ|")}));
    EXPECT_EQ(texts(wrapper.wrap(q("short"))), QStringList{q("short|")});
    // A line of one byte stays whole even where it does not fit.
    EXPECT_EQ(texts(TrpTextWrapper(tenEach(), 5, false).wrap(q("a"))), QStringList{q("a|")});
}

// Texts of such characters are cut at every character without asking a
// boundary finder: each one must break from a letter on either side and
// from itself, as only characters that form no clusters do.
TEST(TrpTextWrapper, CharactersTakenAsClustersOfTheirOwnAreSo)
{
    int checked = 0;
    for (char32_t u = 0; u < 0x10000; ++u) {
        const QChar c{char16_t(u)};
        if (!TrpTextWrapper::ownCluster(c))
            continue;
        ++checked;
        for (const QString &pair : {QString(QLatin1Char('a')) + c, c + QString(QLatin1Char('a')), QString(2, c)}) {
            QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, pair);
            finder.setPosition(1);
            EXPECT_TRUE(finder.isAtBoundary()) << std::hex << unsigned(u);
        }
    }
    EXPECT_GT(checked, 28000);
    for (const char16_t mark : {u'\xd83d', u'\u0301', u'\u3099', u'\uff9e', u'\uff9f', u'\u200d', u'\u0e31'})
        EXPECT_FALSE(TrpTextWrapper::ownCluster(QChar(mark)));
}

// Marks that join the letter before them stay with it, as one character.
TEST(TrpTextWrapper, ClustersThatCombineAreNeverSplit)
{
    const TrpTextWrapper wrapper(tenEach(), 45, false);
    EXPECT_EQ(texts(wrapper.wrap(q("ｶﾞｷﾞｸﾞ"))), (QStringList{q("ｶﾞｷﾞ"), q("ｸﾞ|")}));
    EXPECT_EQ(texts(wrapper.wrap(q("か\u3099き\u3099く"))), (QStringList{q("か\u3099き\u3099"), q("く|")}));
}

TEST(TrpTextWrapper, NarrowBoxesStillEnd)
{
    for (const double width : {0.0, 5.0, -10.0}) {
        const TrpTextWrapper wrapper(tenEach(), width, true);
        EXPECT_EQ(texts(wrapper.wrap(q("ab cd"))), (QStringList{q("a"), q("b"), q(" "), q("c"), q("d|")})) << width;
        EXPECT_EQ(texts(wrapper.wrap(q("漢字"))), (QStringList{q("漢"), q("字|")})) << width;
    }
}

TEST(TrpTextWrapper, WordBreakingHyphenates)
{
    const TrpTextWrapper wrapper(tenEach(), 55, true);
    EXPECT_EQ(texts(wrapper.wrap(q("abcdefgh"))), (QStringList{q("abcd-"), q("efgh|")}));
    EXPECT_EQ(texts(wrapper.wrap(q("x abcdefgh"))), (QStringList{q("x ab-"), q("cdef-"), q("gh|")}));
    // No point fits after "xy ": the ordinary break at the blank; a word
    // under 5 bytes breaks where it overflows.
    EXPECT_EQ(texts(TrpTextWrapper(tenEach(), 35, true).wrap(q("xy abcdef"))),
              (QStringList{q("xy"), q("ab-"), q("cde"), q("f|")}));
    EXPECT_EQ(TrpTextWrapper::hyphenationPoints(q("abcd")), QList<qsizetype>{});
    EXPECT_EQ(TrpTextWrapper::hyphenationPoints(q("abcdefg")), (QList<qsizetype>{2, 3, 4, 5}));
    // Half-width katakana share their bytes with the code page 1251 vowels
    // (0xC0 and 0xC5) and the soft sign (0xDC).
    EXPECT_EQ(TrpTextWrapper::hyphenationPoints(q("ﾀﾅﾀbb")), QList<qsizetype>{2});
    EXPECT_EQ(TrpTextWrapper::hyphenationPoints(q("bbﾜbb")), QList<qsizetype>{3});
    // Double-byte characters are points only at their boundaries.
    EXPECT_EQ(TrpTextWrapper::hyphenationPoints(q("漢字漢")), (QList<qsizetype>{1, 2}));
}

TEST(TrpTextWrapper, MeasuresEachCharacterOnce)
{
    int measured = 0;
    const TrpTextWrapper wrapper(
        [&measured](QStringView text) {
            ++measured;
            return 10.0 * double(text.size());
        },
        95, true);
    const QString text = QString(3000, QLatin1Char('a')) + q(" あいう ") + QString(3000, QLatin1Char('b'));
    const QList<TrpTextWrapper::Line> lines = wrapper.wrap(text);
    EXPECT_GT(lines.size(), 600);
    // Every character once, and the hyphen once for each line.
    EXPECT_LE(measured, text.size() + lines.size());
}

TEST(TrpMemoView, FontsAndHeights)
{
    TrpMemoView memo;
    EXPECT_EQ(memo.fontPixelSize(), 13);
    EXPECT_EQ(memo.lineHeight(), 15);
    EXPECT_EQ(memo.drawingFont().family(), q("Noto Sans CJK JP"));
    memo.Font.Name = q("ＭＳ 明朝");
    EXPECT_EQ(memo.drawingFont().family(), q("Noto Serif CJK JP"));
    memo.Font.Size = 0;
    EXPECT_EQ(memo.fontPixelSize(), 1);
    // Sizes are drawn up to 1000 points, what a sheet can show.
    for (const qint32 points : {TrpMemoView::MaxFontPoints, qint32(131072), std::numeric_limits<qint32>::max()}) {
        memo.Font.Size = points;
        EXPECT_EQ(memo.fontPixelSize(), TrpMemoView::MaxFontPixels) << points;
        EXPECT_EQ(memo.drawingFont().pixelSize(), TrpMemoView::MaxFontPixels) << points;
    }
    memo.Font.Size = TrpMemoView::MaxFontPoints - 1;
    EXPECT_LT(memo.fontPixelSize(), TrpMemoView::MaxFontPixels);
    EXPECT_EQ(TrpUtils::fontFamily(q("Arial")), q("Arial"));

    memo.Font.Size = 10;
    memo.Width = 1000;
    EXPECT_EQ(memo.CalcHeight(), 0);
    memo.ExpandedMemo = {q("one"), q("two")};
    EXPECT_EQ(memo.CalcHeight(), 2 * 15 + 2);
    memo.Width = 2 * TrpMemoView::GapX + 1;
    EXPECT_EQ(memo.CalcHeight(), 6 * 15 + 2);
    memo.Flags = 0;
    EXPECT_EQ(memo.CalcHeight(), 2 * 15 + 2);
    memo.Visible = false;
    EXPECT_EQ(memo.CalcHeight(), 0);
}

TEST(TrpMemoView, FontsAreSetUpOnceAndMeasureAsTheirMetrics)
{
    TrpFontCache::Key key{q("ＭＳ ゴシック"), 13, TrpUtils::fsBold, 0};
    const std::shared_ptr<TrpFontCache::Font> font = TrpFontCache::global().font(key);
    EXPECT_EQ(TrpFontCache::global().font(key), font);
    EXPECT_TRUE(font->font().bold());
    EXPECT_EQ(font->width(q("山田 Tanaka")), QFontMetricsF(font->font()).horizontalAdvance(q("山田 Tanaka")));

    key.spacing = 3;
    const std::shared_ptr<TrpFontCache::Font> spaced = TrpFontCache::global().font(key);
    EXPECT_NE(spaced, font);
    EXPECT_EQ(spaced->font().letterSpacing(), 3);
    EXPECT_GT(spaced->width(q("山田")), font->width(q("山田")));

    TrpMemoView memo;
    memo.Font.Style = TrpUtils::fsBold;
    EXPECT_EQ(memo.drawingFont(), font->font());
    memo.CharacterSpacing = 3;
    EXPECT_EQ(memo.drawingFont(), spaced->font());
}

TEST(TrpMemoView, HighlightSwapsStyleColourAndFill)
{
    TrpMemoView memo;
    memo.Font.Style = 1;
    memo.Font.Color = 0x123456;
    memo.FillColor = TrpColor::None;
    memo.setHighlighted(true);
    EXPECT_EQ(memo.Font.Style, 2);
    EXPECT_EQ(memo.Font.Color, 0u);
    EXPECT_EQ(memo.FillColor, TrpColor::White);
    memo.setHighlighted(true);
    memo.setHighlighted(false);
    EXPECT_EQ(memo.Font.Style, 1);
    EXPECT_EQ(memo.Font.Color, 0x123456u);
    EXPECT_EQ(memo.FillColor, TrpColor::None);
}

// A white (or transparent) canvas for one object.
QImage drawn(const TrpView &view, const TrpDrawContext &context = {}, QSize size = {80, 60},
             QColor background = Qt::white)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(background);
    QPainter painter(&image);
    view.draw(painter, context);
    return image;
}

void place(TrpView &view, QRect rect)
{
    view.Left = rect.left();
    view.Top = rect.top();
    view.Width = rect.width();
    view.Height = rect.height();
}

bool isBlack(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y) == QColor(Qt::black);
}

TEST(TrpViewDrawing, OnePixelFrameIsOneWiderAndHigher)
{
    TrpLineView view;
    place(view, QRect(10, 10, 20, 10));
    view.FrameTyp = TrpView::frAll;
    const QImage image = drawn(view);
    for (const QPoint p : {QPoint(10, 10), QPoint(30, 10), QPoint(10, 20), QPoint(30, 20), QPoint(20, 10)})
        EXPECT_TRUE(isBlack(image, p.x(), p.y())) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(31, 15), QPoint(9, 15), QPoint(20, 21), QPoint(20, 15)})
        EXPECT_FALSE(isBlack(image, p.x(), p.y())) << p.x() << "," << p.y();
}

TEST(TrpViewDrawing, ThickDoubleAndSingleEdges)
{
    TrpLineView view;
    place(view, QRect(20, 20, 30, 20));
    view.FrameTyp = TrpView::frAll;
    view.FrameWidth = 1.5f;
    QImage image = drawn(view);
    EXPECT_TRUE(isBlack(image, 19, 30));
    EXPECT_TRUE(isBlack(image, 20, 30));
    EXPECT_FALSE(isBlack(image, 21, 30));
    EXPECT_FALSE(isBlack(image, 18, 30));
    EXPECT_TRUE(isBlack(image, 49, 30));
    EXPECT_TRUE(isBlack(image, 50, 30));
    EXPECT_FALSE(isBlack(image, 51, 30));

    view.FrameWidth = 1;
    view.FrameTyp = TrpView::frTop;
    view.FrameStyle = TrpView::DoubleFrame;
    view.FillColor = 0x0000FF;
    image = drawn(view);
    EXPECT_TRUE(isBlack(image, 30, 19));
    EXPECT_TRUE(isBlack(image, 30, 21));
    EXPECT_EQ(image.pixelColor(30, 20), QColor(Qt::red));
    EXPECT_FALSE(isBlack(image, 19, 30));

    view.FrameStyle = 0;
    view.FrameTyp = TrpView::frRight | TrpView::frBottom;
    image = drawn(view);
    EXPECT_TRUE(isBlack(image, 50, 30));
    EXPECT_TRUE(isBlack(image, 35, 40));
    EXPECT_FALSE(isBlack(image, 20, 30));
    EXPECT_FALSE(isBlack(image, 35, 20));
}

TEST(TrpViewDrawing, FillAndScale)
{
    TrpMemoView memo;
    place(memo, QRect(5, 5, 10, 10));
    memo.FillColor = 0x00FF00;
    TrpDrawContext context;
    context.ScaleX = 2;
    context.ScaleY = 3;
    context.OffsX = 4;
    QImage image = drawn(memo, context);
    EXPECT_EQ(image.pixelColor(15, 16), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(33, 44), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(35, 16), QColor(Qt::white));
    EXPECT_EQ(memo.canvasRect(context), QRectF(14, 15, 20, 30));

    memo.FillColor = TrpColor::None;
    image = drawn(memo, {}, {30, 30}, Qt::transparent);
    EXPECT_EQ(image.pixelColor(10, 10).alpha(), 0);
    TrpDrawContext screen;
    screen.Printing = false;
    image = drawn(memo, screen, {30, 30}, Qt::transparent);
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::white));
}

// Columns and rows of the image that hold dark pixels of the text.
QRect ink(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST(TrpViewDrawing, MemoTextIsPlacedByItsAlignment)
{
    TrpMemoView memo;
    memo.Width = 200;
    memo.Height = 60;
    memo.ExpandedMemo = {q("日本語")};
    QRect box = ink(drawn(memo, {}, {200, 60}));
    ASSERT_FALSE(box.isEmpty());
    EXPECT_LT(box.left(), 10);
    EXPECT_LT(box.bottom(), 20);

    memo.Adjust = TrpMemoView::adRight | TrpMemoView::adBottom;
    box = ink(drawn(memo, {}, {200, 60}));
    EXPECT_GT(box.left(), 150);
    EXPECT_GE(box.right(), 190);
    EXPECT_GT(box.top(), 40);

    memo.Adjust = TrpMemoView::adCenter | TrpMemoView::adVCenter;
    box = ink(drawn(memo, {}, {200, 60}));
    EXPECT_NEAR(box.center().x(), 100, 4);
    EXPECT_NEAR(box.center().y(), 30, 4);

    // Turned text runs upwards from the bottom-left.
    memo.Adjust = TrpMemoView::adRotated;
    memo.Width = 30;
    memo.Height = 150;
    box = ink(drawn(memo, {}, {30, 150}));
    EXPECT_GT(box.height(), box.width());
    EXPECT_GT(box.bottom(), 130);
    EXPECT_LT(box.left(), 16);
}

// A text with more lines than its box holds (a list with empty lines after
// its first) starts at the box's top whatever its vertical placement, never
// above the box over the boxes there.
TEST(TrpViewDrawing, TextTallerThanItsBoxStartsAtItsTop)
{
    TrpMemoView memo;
    memo.Flags = TrpView::flWordWrap;
    place(memo, {0, 60, 200, 30});
    for (const QStringList &text : {QStringList{q("脳梗塞"), {}, {}, {}, {}, {}},
                                    QStringList{q("脳梗塞"), q("高血圧"), q("糖尿病"), q("骨折")}}) {
        for (const qint32 adjust : {0, int(TrpMemoView::adVCenter), int(TrpMemoView::adBottom)}) {
            memo.Adjust = adjust;
            memo.ExpandedMemo = text;
            const QRect box = ink(drawn(memo, {}, {200, 160}));
            ASSERT_FALSE(box.isEmpty()) << adjust;
            EXPECT_GE(box.top(), 60) << adjust;
            EXPECT_LT(box.top(), 64) << adjust;
        }
    }
}

TEST(TrpViewDrawing, JustifiedLinesReachTheRightEdgeExceptTheLast)
{
    TrpMemoView memo;
    memo.Width = 120;
    memo.Height = 60;
    memo.Font.Name = q("Noto Sans CJK JP");
    memo.Adjust = TrpMemoView::adJustify;
    memo.ExpandedMemo = {q("ii ii ii ii ii ii ii ii ii ii ii ii ii ii")};
    const QList<TrpTextWrapper::Line> lines = memo.layoutLines(memo.Width - 2 * TrpMemoView::GapX);
    ASSERT_GE(lines.size(), 2);
    const QImage image = drawn(memo, {}, {120, 60});
    const int top = TrpMemoView::GapY;
    const QRect first = ink(image.copy(0, top, 120, memo.lineHeight()));
    EXPECT_GE(first.right(), 120 - TrpMemoView::GapX - 3);
}

TEST(TrpViewDrawing, AutoWidthFollowsTheLongestLine)
{
    TrpMemoView memo;
    memo.Left = 10;
    memo.Width = 300;
    memo.Height = 20;
    memo.Flags = TrpView::flAutoSize;
    memo.FrameTyp = TrpView::frAll;
    memo.ExpandedMemo = {q("ab")};
    QImage image = drawn(memo, {}, {320, 30});
    int right = 0;
    for (int x = 0; x < image.width(); ++x)
        if (isBlack(image, x, 0))
            right = x;
    EXPECT_LT(right, 60);
    memo.Adjust = TrpMemoView::adRight;
    image = drawn(memo, {}, {320, 30});
    EXPECT_TRUE(isBlack(image, 310, 0));
    EXPECT_FALSE(isBlack(image, 10, 5));
}

TEST(TrpViewDrawing, PicturesStretchCentreAndKeepAspect)
{
    TrpPictureView picture;
    place(picture, QRect(10, 10, 40, 20));
    QImage red(10, 5, QImage::Format_RGB32);
    red.fill(Qt::red);
    picture.setImage(red);
    EXPECT_EQ(picture.pictureKind(), TrpPictureView::pkBitmap);
    EXPECT_EQ(picture.pictureSize(), QSizeF(10, 5));

    QImage image = drawn(picture);
    EXPECT_EQ(image.pixelColor(12, 12), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(30, 12), QColor(Qt::white));

    picture.Flags = TrpPictureView::pfCenter;
    image = drawn(picture);
    EXPECT_EQ(image.pixelColor(30, 20), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(12, 12), QColor(Qt::white));

    picture.Flags = TrpPictureView::pfStretch;
    image = drawn(picture);
    EXPECT_EQ(image.pixelColor(48, 28), QColor(Qt::red));

    picture.Height = 40;
    picture.Flags = TrpPictureView::pfStretch | TrpPictureView::pfKeepAspect;
    EXPECT_EQ(picture.pictureRect(QRectF(10, 10, 40, 40)), QRectF(10, 10, 40, 20));
    picture.Flags |= TrpPictureView::pfCenter;
    EXPECT_EQ(picture.pictureRect(QRectF(10, 10, 40, 40)), QRectF(10, 20, 40, 20));

    picture.setPicture(TrpPictureView::pkBitmap, QByteArray("not a bitmap"));
    EXPECT_TRUE(picture.pictureSize().isEmpty());
    image = drawn(picture);
    EXPECT_EQ(image.pixelColor(20, 20), QColor(Qt::white));
}

TEST(TrpViewDrawing, BrokenValuesAreClampedBeforeDrawing)
{
    TrpMemoView memo;
    memo.Left = std::numeric_limits<qint32>::max() - 5;
    memo.Top = std::numeric_limits<qint32>::min();
    memo.Width = std::numeric_limits<qint32>::max();
    memo.Height = -100;
    memo.FrameTyp = TrpView::frAll;
    memo.FrameWidth = 3e30f;
    memo.Font.Size = -5;
    memo.LineSpacing = std::numeric_limits<qint32>::min();
    memo.ExpandedMemo = {q("text")};
    (void)drawn(memo);
    EXPECT_GE(memo.CalcHeight(), 0);
    TrpDrawContext huge;
    huge.ScaleX = 1e12;
    huge.OffsX = -1e15;
    const QRectF rect = memo.canvasRect(huge);
    EXPECT_TRUE(std::isfinite(rect.left()) && std::abs(rect.left()) < 1e9);

    place(memo, QRect(0, 0, 50, 50));
    memo.FrameWidth = 1e6f;
    const QImage image = drawn(memo);
    EXPECT_TRUE(isBlack(image, 0, 25));
}

TEST(TrpView, BoundFieldIsTheBracketedFirstLine)
{
    const struct
    {
        const char *line;
        std::optional<QString> field;
    } cases[] = {
        {"[Picture]", q("Picture")},
        {"[Query1.\"写真\"] x]", q("Query1.\"写真\"] x")},
        {"[]", std::nullopt},
        {"Picture", std::nullopt},
    };
    TrpPictureView view;
    EXPECT_FALSE(view.boundFieldName());
    for (const auto &c : cases) {
        view.Memo = {q(c.line)};
        EXPECT_EQ(view.boundFieldName(), c.field) << c.line;
    }
}

TEST(TrpColor, StoredValuesAreBGR)
{
    EXPECT_EQ(TrpColor::toQColor(0x00336699), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(TrpColor::toQColor(0x80000005), QColor(Qt::white));
    EXPECT_EQ(TrpColor::fromQColor(QColor(0x99, 0x66, 0x33)), 0x00336699u);
}

} // namespace

// A text too tall for its box even at the smallest size gives the lines the
// box holds there and the text after them, a paragraph it cuts going on
// from where its shown part ended.
TEST(TrpMemoView, OverflowIsWhatTheBoxDoesNotHoldAtTheSmallestSize)
{
    TrpMemoView memo;
    memo.Font.Name = q("Noto Sans CJK JP");
    const QString paragraph = QStringList(12, q("word")).join(u' ');
    memo.ExpandedMemo = {q("first"), paragraph, q("last")};
    const TrpMemoView::TextSize smallest = memo.smallestSize();
    const QSizeF box(60, 2 * TrpMemoView::GapY + smallest.pixels + 2 * memo.lineHeight(smallest));
    const QList<TrpTextWrapper::Line> wrapped =
        memo.layoutLines(memo.innerWidth(box.width(), smallest.pixels), smallest.pixels);
    ASSERT_GT(wrapped.size(), 4);
    const std::optional<TrpMemoView::Overflow> cut = memo.overflow(box);
    ASSERT_TRUE(cut);
    ASSERT_EQ(cut->shown, (QStringList{wrapped[0].text, wrapped[1].text, wrapped[2].text}));
    ASSERT_EQ(cut->rest.size(), 2);
    EXPECT_EQ(cut->rest[1], q("last"));
    // Nothing lost or repeated at the cut: the blank at the break is dropped.
    EXPECT_EQ(cut->shown[1] + u' ' + cut->shown[2] + u' ' + cut->rest[0], paragraph);

    // A text that fits, one only too wide and a box too low for a line go on nowhere.
    EXPECT_FALSE(memo.overflow(QSizeF(120, 400)));
    memo.Flags = 0;
    memo.ExpandedMemo = {paragraph};
    EXPECT_FALSE(memo.overflow(QSizeF(20, 400)));
    memo.ExpandedMemo = {q("a"), q("b")};
    EXPECT_FALSE(memo.overflow(QSizeF(120, smallest.pixels - 1)));
}

// A text too big for its box is drawn at the largest size that fits, then
// with the largest spacing that fits at the smallest size: the same sizes
// as trying every one from the font's own down, for fonts from the
// ordinary to a thousand points.
TEST(TrpMemoView, FittedSizeIsTheLargestThatFits)
{
    TrpMemoView memo;
    memo.Font.Name = q("Noto Sans CJK JP");
    memo.Flags = TrpView::flWordWrap;
    const auto triedOneByOne = [&memo](const QSizeF &box) {
        const TrpMemoView::TextSize own = memo.ownSize(), smallest = memo.smallestSize();
        if (memo.fitsAt(box, own))
            return own;
        for (int pixels = own.pixels - 1; pixels > smallest.pixels; --pixels)
            if (memo.fitsAt(box, {pixels, own.spacing}))
                return TrpMemoView::TextSize{pixels, own.spacing};
        for (int spacing = own.spacing; spacing > smallest.spacing; --spacing)
            if (memo.fitsAt(box, {smallest.pixels, spacing}))
                return TrpMemoView::TextSize{smallest.pixels, spacing};
        return smallest;
    };
    const QStringList texts[] = {{q("・歩行訓練"), q("・立ち上がり練習"), q("・更衣動作の確認")},
                                 {QStringList(30, q("word")).join(u' ')},
                                 {q("10280")}};
    const auto expectTheSame = [&](qint32 points, int spacing, const QStringList &text, QSizeF box) {
        memo.Font.Size = points;
        memo.LineSpacing = spacing;
        memo.ExpandedMemo = text;
        const TrpMemoView::TextSize fitted = memo.fittedSize(box), tried = triedOneByOne(box);
        EXPECT_EQ(fitted.pixels, tried.pixels) << points << ' ' << spacing << ' ' << box.width();
        EXPECT_EQ(fitted.spacing, tried.spacing) << points << ' ' << spacing << ' ' << box.width();
    };
    for (const qint32 points : {9, 12, 40})
        for (const int spacing : {0, 4, 30})
            for (const QStringList &text : texts)
                for (const QSizeF box : {QSizeF(40, 12), QSizeF(90, 30), QSizeF(200, 60), QSizeF(30, 400)})
                    expectTheSame(points, spacing, text, box);
    expectTheSame(1000, 0, texts[0], QSizeF(90, 30));
}

TEST(TrpTextWrapper, EachLineSaysWhereTheTextAfterItBegins)
{
    const TrpTextWrapper wrapper(tenEach(), 75, false);
    QList<qsizetype> next;
    for (const TrpTextWrapper::Line &line : wrapper.wrap(q("aaa bbb ccc")))
        next.append(line.next);
    EXPECT_EQ(next, (QList<qsizetype>{8, 11}));
    next.clear();
    for (const TrpTextWrapper::Line &line : wrapper.wrap(q("abcdefghij\r\n\r\nxy")))
        next.append(line.next);
    EXPECT_EQ(next, (QList<qsizetype>{7, 14, 16}));
}
