#pragma once

#include "report/drawing/TrpFontCache.h"
#include "report/objects/TrpStretcheable.h"
#include "report/objects/TrpTextWrapper.h"

#include <QFont>

#include <optional>

struct TrpError;
class TrpValueLookup;

// A memo's font as stored: the style bits are those of the files (1
// italic, 2 bold, 4 underline).
struct TrpFont
{
    QString Name = QStringLiteral("ＭＳ ゴシック");
    qint32 Size = 10;
    quint16 Style = 0;
    quint32 Color = TrpColor::Black;
    quint16 Charset = 128;

    bool operator==(const TrpFont &) const = default;
};

// What a memo shows instead of its own font style, font colour and fill
// while its highlight condition holds.
struct TrpHighlight
{
    quint16 FontStyle = 2;
    quint32 FontColor = TrpColor::Black;
    quint32 FillColor = TrpColor::White;

    bool operator==(const TrpHighlight &) const = default;
};

// A text box: its lines are expanded, wrapped to the box and drawn with
// its font, alignment and line spacing.
class TrpMemoView : public TrpStretcheable
{
public:
    // Adjust: the low two bits align horizontally, bit 4 turns the text by
    // 90 degrees, bits 8 and 16 place it vertically.
    enum AdjustBits {
        adLeft = 0,
        adRight = 1,
        adCenter = 2,
        adJustify = 3,
        adAlignMask = 3,
        adRotated = 4,
        adVCenter = 8,
        adBottom = 16,
    };

    // The layout of every memo, in page units: the text keeps GapX from
    // the left and right edges and GapY from the top and bottom; a line is
    // the font's pixel size (its points at the vertical page units per
    // inch) plus LineSpacing high, and its baseline lies at
    // BaselineRatio of the font size below the line's top, which puts the
    // em box of Japanese fonts (0.88 above the baseline, 0.12 below) in
    // the line. Vertical centring rounds down.
    static constexpr int GapX = 2;
    // Right-aligned text, numbers mostly, keeps RightGapX from the right
    // edge: digits' ink reaches the end of their advance where a Japanese
    // character leaves room, so at GapX a number seems to touch its cell's
    // border while the text cells beside it stand clear of theirs.
    static constexpr int RightGapX = 3;
    static constexpr int GapY = 1;
    static constexpr double BaselineRatio = 0.88;
    // Font sizes are drawn between 1 and 1000 points, what a sheet can
    // show, whatever a file stores: shaping glyphs far larger costs seconds
    // and hundreds of megabytes. 1000 points are 1273 page units.
    static constexpr qint32 MaxFontPoints = 1000;
    static constexpr int MaxFontPixels = 1273;
    // A text too big for its box at its font's size is drawn at the largest
    // smaller pixel size at which it fits, down to 7 pixels (5.5 points), the
    // smallest that still reads on paper, and there with its lines closer,
    // down to set solid; stretching and splitting use the font's size.
    static constexpr int MinFitPixels = 7;

    TrpMemoView();

    [[nodiscard]] std::unique_ptr<TrpView> clone() const override;
    [[nodiscard]] QString ClassName() const override;
    [[nodiscard]] QString BaseName() const override;

    void loadFromStream(TrpStreamReader &reader, TrpStreamMode mode) override;
    void saveToStream(TrpStreamWriter &writer, TrpStreamMode mode) const override;
    void writeText(TrpTextFieldWriter &out) const override;
    bool readText(const TrpTextLine &line, QByteArray &gathered, QString &error, bool &known) override;
    void draw(QPainter &painter, const TrpDrawContext &context) const override;
    [[nodiscard]] qint32 CalcHeight() const override;
    // A memo or binary field gives the lines of its text (up to a NUL); an
    // empty one none.
    void loadFromField(QStringList &text) override;

    // Expands Memo into ExpandedMemo; false with the lookup's error.
    [[nodiscard]] bool ExpandMemo(TrpValueLookup &lookup, TrpError &error);

    // Switches the highlight font style, font colour and fill colour in
    // (when the condition held) or the memo's own back.
    void setHighlighted(bool on);
    [[nodiscard]] bool isHighlighted() const { return m_highlighted; }

    // The font to draw with: the stored one with its size in page units,
    // clamped, and the Windows Japanese fonts replaced by the installed ones.
    [[nodiscard]] QFont drawingFont() const;
    [[nodiscard]] QFont drawingFont(int pixelSize) const;
    [[nodiscard]] int fontPixelSize() const;
    // A size the text is drawn at: the font's pixel size and the spacing
    // between lines.
    struct TextSize
    {
        int pixels = 0;
        int spacing = 0;
    };
    [[nodiscard]] TextSize ownSize() const { return {fontPixelSize(), LineSpacing}; }
    // The smallest a text too big for its box is drawn at: MinFitPixels
    // (or the font's own size when smaller), its lines set solid.
    [[nodiscard]] TextSize smallestSize() const;
    [[nodiscard]] int lineHeight() const;
    [[nodiscard]] int lineHeight(TextSize size) const;
    // The width a box of that width leaves its text between the gaps, at
    // that pixel size (0: the font's own).
    [[nodiscard]] double innerWidth(double boxWidth, int pixelSize = 0) const;
    // ExpandedMemo as drawn in a box of that inner width: wrapped when word
    // wrap is on, else line by line.
    [[nodiscard]] QList<TrpTextWrapper::Line> layoutLines(double innerWidth) const;
    [[nodiscard]] QList<TrpTextWrapper::Line> layoutLines(double innerWidth, int pixelSize) const;
    // The size the text is drawn at in a box of that size (upright, gaps
    // included): its own when the text fits there, else the largest
    // smaller pixel size at which it does, and at the smallest the
    // narrower line spacing at which it does; smallestSize() at the least.
    [[nodiscard]] TextSize fittedSize(const QSizeF &box) const;
    // Whether the text fits a box of that size at that size: its widest
    // line (without automatic width) and its lines' height.
    [[nodiscard]] bool fitsAt(const QSizeF &box, TextSize size) const;
    // A text too tall for a box of that size (upright, gaps included) even
    // at the smallest size: the lines the box holds there, as wrapped, and
    // the text that follows them. Nullopt for a text that fits, a box that
    // holds none of its lines, a text too wide but not too tall, and
    // turned text.
    struct Overflow
    {
        QStringList shown;
        QStringList rest;
    };
    [[nodiscard]] std::optional<Overflow> overflow(const QSizeF &box) const;

    TrpFont Font;
    qint32 Adjust = 0;
    TrpHighlight Highlight;
    QString HighlightCondition;
    qint32 LineSpacing = 2;
    qint32 CharacterSpacing = 0;

private:
    TrpMemoView(const TrpMemoView &) = default;

    [[nodiscard]] std::shared_ptr<TrpFontCache::Font> cachedFont(int pixelSize) const;
    [[nodiscard]] int rightGap(int pixelSize) const;
    [[nodiscard]] QList<TrpTextWrapper::Line> layoutLines(double innerWidth, TrpFontCache::Font &font) const;
    // One line of ExpandedMemo as drawn: wrapped when word wrap is on.
    [[nodiscard]] QList<TrpTextWrapper::Line> layoutLine(const QString &line, const TrpTextWrapper &wrapper) const;
    [[nodiscard]] TrpTextWrapper wrapper(double innerWidth, TrpFontCache::Font &font) const;
    void drawText(QPainter &painter, const QRectF &box, const QList<TrpTextWrapper::Line> &lines,
                  TrpFontCache::Font &font, TextSize size) const;

    bool m_highlighted = false;
    quint16 m_plainStyle = 0;
    quint32 m_plainColor = 0;
    quint32 m_plainFill = 0;
};
