#include "report/objects/TrpMemoView.h"

#include "report/common/TrpUtils.h"
#include "report/data/TrpRowSource.h"
#include "report/drawing/TrpDrawContext.h"
#include "report/drawing/TrpFontCache.h"
#include "report/drawing/TrpRecordingDevice.h"
#include "report/expr/TrpExpander.h"
#include "report/expr/TrpValueLookup.h"
#include "report/files/TrpStreamReader.h"
#include "report/files/TrpStreamWriter.h"
#include "report/files/TrpTemplateText.h"
#include "report/files/TrpTextFieldWriter.h"
#include "report/files/TrpTextLine.h"
#include "report/pages/TrpPrinter.h"

#include <QPainter>

#include <cmath>

namespace {

constexpr qint32 MaxSpacing = 1000;
// Rounding of the font's advances, well below a pixel.
constexpr double FitSlack = 0.01;

// Gaps of a line that justification widens.
qsizetype blanks(const QString &text)
{
    return text.count(QLatin1Char(' '));
}

} // namespace

TrpMemoView::TrpMemoView()
{
    Typ = gtMemo;
    Flags = flStretched | flWordWrap;
}

std::unique_ptr<TrpView> TrpMemoView::clone() const
{
    return std::unique_ptr<TrpView>(new TrpMemoView(*this));
}

QString TrpMemoView::ClassName() const
{
    return QStringLiteral("TrpMemoView");
}

QString TrpMemoView::BaseName() const
{
    return QStringLiteral("Memo");
}

void TrpMemoView::loadFromStream(TrpStreamReader &reader, TrpStreamMode mode)
{
    TrpView::loadFromStream(reader, mode);
    Font.Name = reader.readString();
    Font.Size = reader.readInt32();
    Font.Style = reader.readWord() & (TrpUtils::fsItalic | TrpUtils::fsBold | TrpUtils::fsUnderline);
    Font.Color = quint32(reader.readInt32());
    Adjust = reader.readInt32();
    Font.Charset = reader.readWord();
    if (reader.version() < TrpStreamReader::CountedVersion)
        Font.Charset = 0;
    if (mode == TrpStreamMode::Template) {
        Highlight.FontStyle = reader.readWord() & (TrpUtils::fsItalic | TrpUtils::fsBold | TrpUtils::fsUnderline);
        Highlight.FontColor = quint32(reader.readInt32());
        Highlight.FillColor = quint32(reader.readInt32());
        HighlightCondition = reader.readString();
    }
    if (reader.version() == 21)
        Flags |= flWordWrap;
}

void TrpMemoView::saveToStream(TrpStreamWriter &writer, TrpStreamMode mode) const
{
    TrpView::saveToStream(writer, mode);
    writer.writeString(Font.Name);
    writer.writeInt32(Font.Size);
    writer.writeWord(Font.Style);
    writer.writeInt32(qint32(Font.Color));
    writer.writeInt32(Adjust);
    writer.writeWord(Font.Charset);
    if (mode == TrpStreamMode::Template) {
        writer.writeWord(Highlight.FontStyle);
        writer.writeInt32(qint32(Highlight.FontColor));
        writer.writeInt32(qint32(Highlight.FillColor));
        writer.writeString(HighlightCondition);
    }
}

bool TrpMemoView::ExpandMemo(TrpValueLookup &lookup, TrpError &error)
{
    TrpExpander expander(lookup, Format, FormatStr);
    std::optional<QStringList> lines = expander.expandLines(Memo);
    if (!lines) {
        error = expander.error();
        return false;
    }
    ExpandedMemo = std::move(*lines);
    return true;
}

void TrpMemoView::loadFromField(QStringList &text)
{
    const std::optional<QByteArray> bytes = boundFieldBytes();
    if (!bytes)
        return;
    // The text ends at a NUL, which pads the texts of fixed-size records.
    const qsizetype end = bytes->indexOf('\0');
    const QByteArray stored = end < 0 ? *bytes : bytes->left(end);
    text = stored.isEmpty() ? QStringList() : TrpExpander::splitLines(TrpRowSource::textOfBytes(stored));
}

void TrpMemoView::setHighlighted(bool on)
{
    if (on == m_highlighted)
        return;
    if (on) {
        m_plainStyle = Font.Style;
        m_plainColor = Font.Color;
        m_plainFill = FillColor;
        Font.Style = Highlight.FontStyle;
        Font.Color = Highlight.FontColor;
        FillColor = Highlight.FillColor;
    } else {
        Font.Style = m_plainStyle;
        Font.Color = m_plainColor;
        FillColor = m_plainFill;
    }
    m_highlighted = on;
}

int TrpMemoView::fontPixelSize() const
{
    // A size of 0 or less from a file draws at the smallest size.
    const qint32 points = std::clamp<qint32>(Font.Size, 1, MaxFontPoints);
    const double pixels = std::round(double(points) * TrpPrinter::UnitsPerInchY / 72.0);
    return int(std::clamp(pixels, 1.0, double(MaxFontPixels)));
}

int TrpMemoView::lineHeight() const
{
    return lineHeight(ownSize());
}

int TrpMemoView::lineHeight(TextSize size) const
{
    return size.pixels + std::clamp(size.spacing, 1 - size.pixels, MaxSpacing);
}

TrpMemoView::TextSize TrpMemoView::smallestSize() const
{
    return {std::min(fontPixelSize(), MinFitPixels), std::min(LineSpacing, 0)};
}

std::shared_ptr<TrpFontCache::Font> TrpMemoView::cachedFont(int pixelSize) const
{
    return TrpFontCache::global().font(
        {Font.Name, pixelSize, Font.Style, std::clamp(CharacterSpacing, -MaxSpacing, MaxSpacing)});
}

QFont TrpMemoView::drawingFont() const
{
    return drawingFont(fontPixelSize());
}

QFont TrpMemoView::drawingFont(int pixelSize) const
{
    return cachedFont(pixelSize)->font();
}

double TrpMemoView::innerWidth(double boxWidth, int pixelSize) const
{
    return boxWidth - GapX - rightGap(pixelSize);
}

int TrpMemoView::rightGap(int pixelSize) const
{
    // A number shrunk to fit its cell has room for its ink at the
    // ordinary gap.
    const bool shrunk = pixelSize > 0 && pixelSize < fontPixelSize();
    return (Adjust & adAlignMask) == adRight && !shrunk ? RightGapX : GapX;
}

QList<TrpTextWrapper::Line> TrpMemoView::layoutLines(double innerWidth) const
{
    return layoutLines(innerWidth, fontPixelSize());
}

QList<TrpTextWrapper::Line> TrpMemoView::layoutLines(double innerWidth, int pixelSize) const
{
    return layoutLines(innerWidth, *cachedFont(pixelSize));
}

bool TrpMemoView::fitsAt(const QSizeF &box, TextSize size) const
{
    const std::shared_ptr<TrpFontCache::Font> font = cachedFont(size.pixels);
    const double inner = innerWidth(box.width(), size.pixels);
    const QList<TrpTextWrapper::Line> lines = layoutLines(inner, *font);
    // The last line needs its glyphs' height, not the spacing after it.
    const double height = double(lines.size() - 1) * lineHeight(size) + size.pixels;
    if (height > box.height() - 2 * GapY + FitSlack)
        return false;
    if ((Flags & flAutoSize) && !(Adjust & adRotated))
        return true;
    for (const TrpTextWrapper::Line &line : lines)
        if (font->width(line.text) > inner + FitSlack)
            return false;
    return true;
}

TrpMemoView::TextSize TrpMemoView::fittedSize(const QSizeF &box) const
{
    const TextSize own = ownSize();
    if (ExpandedMemo.join(QString()).isEmpty() || fitsAt(box, own))
        return own;
    const TextSize smallest = smallestSize();
    // A smaller size never needs more room: the largest that fits is found
    // by halving, not by trying every size (a size from a file may be
    // over a thousand pixels).
    const auto largestFitting = [](int low, int high, const auto &fits) {
        // The largest value in (low, high) for which fits holds; low when none.
        while (high - low > 1) {
            const int middle = low + (high - low) / 2;
            if (fits(middle))
                low = middle;
            else
                high = middle;
        }
        return low;
    };
    const int pixels = largestFitting(smallest.pixels, own.pixels,
                                      [&](int size) { return fitsAt(box, {size, own.spacing}); });
    if (pixels > smallest.pixels)
        return {pixels, own.spacing};
    const int spacing = largestFitting(smallest.spacing, own.spacing + 1,
                                       [&](int size) { return fitsAt(box, {smallest.pixels, size}); });
    return {smallest.pixels, spacing};
}

QList<TrpTextWrapper::Line> TrpMemoView::layoutLines(double innerWidth, TrpFontCache::Font &font) const
{
    QList<TrpTextWrapper::Line> lines;
    const TrpTextWrapper wrap = wrapper(innerWidth, font);
    for (const QString &line : ExpandedMemo)
        lines.append(layoutLine(line, wrap));
    return lines;
}

TrpTextWrapper TrpMemoView::wrapper(double innerWidth, TrpFontCache::Font &font) const
{
    return TrpTextWrapper([&font](QStringView text) { return font.width(text); }, innerWidth, Flags & flWordBreak);
}

QList<TrpTextWrapper::Line> TrpMemoView::layoutLine(const QString &line, const TrpTextWrapper &wrapper) const
{
    if (!(Flags & flWordWrap))
        return {{line, true, line.size()}};
    return wrapper.wrap(line);
}

std::optional<TrpMemoView::Overflow> TrpMemoView::overflow(const QSizeF &box) const
{
    const TextSize smallest = smallestSize();
    if ((Adjust & adRotated) || ExpandedMemo.join(QString()).isEmpty() || fitsAt(box, smallest))
        return std::nullopt;
    const double room = box.height() - 2 * GapY - smallest.pixels + FitSlack;
    if (room < 0)
        return std::nullopt;
    const qsizetype holds = qsizetype(room / lineHeight(smallest)) + 1;
    const std::shared_ptr<TrpFontCache::Font> font = cachedFont(smallest.pixels);
    const TrpTextWrapper wrap = wrapper(innerWidth(box.width(), smallest.pixels), *font);
    Overflow result;
    for (qsizetype i = 0; i < ExpandedMemo.size(); ++i) {
        const QList<TrpTextWrapper::Line> lines = layoutLine(ExpandedMemo[i], wrap);
        const qsizetype take = std::min(lines.size(), holds - result.shown.size());
        for (qsizetype j = 0; j < take; ++j)
            result.shown.append(lines[j].text);
        if (take == lines.size())
            continue;
        // The line the box ends in goes on where its last shown part ended.
        const QString left = take > 0 ? ExpandedMemo[i].mid(lines[take - 1].next) : ExpandedMemo[i];
        if (!left.isEmpty())
            result.rest.append(left);
        result.rest.append(ExpandedMemo.mid(i + 1));
        return result;
    }
    return std::nullopt;
}

qint32 TrpMemoView::CalcHeight() const
{
    if (!Visible || ExpandedMemo.isEmpty())
        return 0;
    const QRectF rect = pageRect();
    const double across = (Adjust & adRotated) ? rect.height() : rect.width();
    const qint64 height = qint64(layoutLines(innerWidth(across)).size()) * lineHeight() + 2 * GapY;
    return qint32(std::clamp<qint64>(height, 0, std::numeric_limits<qint32>::max()));
}

void TrpMemoView::draw(QPainter &painter, const TrpDrawContext &context) const
{
    painter.save();
    applyContext(painter, context);
    QRectF rect = pageRect();
    const int align = Adjust & adAlignMask;
    const bool rotated = Adjust & adRotated;
    const QSizeF upright = rotated ? rect.size().transposed() : rect.size();
    const TextSize size = ExpandedMemo.isEmpty() ? ownSize() : fittedSize(upright);
    const int pixelSize = size.pixels;
    // Looked up once for the whole drawing, when there is text.
    const std::shared_ptr<TrpFontCache::Font> font = ExpandedMemo.isEmpty() ? nullptr : cachedFont(pixelSize);
    if ((Flags & flAutoSize) && context.Printing && !rotated) {
        double longest = 0;
        for (const QString &line : ExpandedMemo)
            longest = std::max(longest, font->width(line));
        const double width = std::ceil(longest) + GapX + rightGap(pixelSize);
        if (align == adRight)
            rect.setLeft(rect.right() - width);
        else
            rect.setWidth(width);
    }
    drawBackground(painter, rect, context);
    drawFrame(painter, rect);
    if (!ExpandedMemo.isEmpty()) {
        QRectF box = rect;
        if (rotated) {
            // The text reads upwards: its lines run from the left edge to
            // the right, its left alignment is at the bottom.
            painter.translate(rect.left(), rect.bottom());
            painter.rotate(-90);
            box = QRectF(0, 0, rect.height(), rect.width());
        }
        drawText(painter, box, layoutLines(innerWidth(box.width(), pixelSize), *font), *font, size);
    }
    painter.restore();
}

void TrpMemoView::drawText(QPainter &painter, const QRectF &box, const QList<TrpTextWrapper::Line> &lines,
                           TrpFontCache::Font &font, TextSize size) const
{
    const int pixelSize = size.pixels;
    if (painter.font() != font.font())
        painter.setFont(font.font());
    painter.setPen(TrpColor::toQColor(Font.Color));
    const int step = lineHeight(size);
    const double textHeight = double(lines.size()) * step;
    double y = box.top() + GapY;
    // Text taller than its box starts at the top, as top-aligned text does:
    // centred or bottom-aligned it would begin above the box, over the
    // boxes there.
    const bool fits = textHeight <= box.height() - 2 * GapY;
    if (fits && (Adjust & adBottom))
        y = box.bottom() - GapY - textHeight;
    else if (fits && (Adjust & adVCenter))
        y = box.top() + std::floor((box.height() - textHeight) / 2);
    const double ascent = std::round(pixelSize * BaselineRatio);
    const double inner = innerWidth(box.width(), pixelSize);
    const int align = Adjust & adAlignMask;
    for (const TrpTextWrapper::Line &line : lines) {
        const double baseline = y + ascent;
        y += step;
        // Left-aligned lines need no width.
        if (align == adLeft) {
            TrpRecordingDevice::drawText(painter, QPointF(box.left() + GapX, baseline), line.text);
            continue;
        }
        const double width = font.width(line.text);
        if (align == adJustify && !line.paragraphEnd && blanks(line.text) > 0 && width < inner) {
            const QStringList words = line.text.split(QLatin1Char(' '));
            const double extra = (inner - width) / double(words.size() - 1);
            const double blank = font.metrics().horizontalAdvance(QLatin1Char(' '));
            double x = box.left() + GapX;
            for (const QString &word : words) {
                TrpRecordingDevice::drawText(painter, QPointF(x, baseline), word);
                x += font.width(word) + blank + extra;
            }
        } else {
            double x = box.left() + GapX;
            if (align == adRight)
                x = box.right() - rightGap(pixelSize) - width;
            else if (align == adCenter)
                x = box.left() + std::floor((box.width() - width) / 2);
            TrpRecordingDevice::drawText(painter, QPointF(x, baseline), line.text);
        }
    }
}

void TrpMemoView::writeText(TrpTextFieldWriter &out) const
{
    out.field("Font", TrpTemplateText::quoted(Font.Name) + QLatin1Char(' ') + QString::number(Font.Size) +
                          QLatin1Char(' ') + QString::number(Font.Style) + QLatin1Char(' ') +
                          TrpTextFieldWriter::hex32(Font.Color) + QLatin1Char(' ') + QString::number(Font.Charset));
    out.number("Adjust", Adjust);
    out.field("Highlight", QString::number(Highlight.FontStyle) + QLatin1Char(' ') +
                               TrpTextFieldWriter::hex32(Highlight.FontColor) + QLatin1Char(' ') +
                               TrpTextFieldWriter::hex32(Highlight.FillColor));
    out.text("HighlightCondition", HighlightCondition);
}

bool TrpMemoView::readText(const TrpTextLine &line, QByteArray &, QString &error, bool &known)
{
    known = true;
    const QString key = line.keyword();
    if (key == QLatin1String("Font"))
        return line.text(0, Font.Name, error) && line.number(1, Font.Size, error) &&
               line.number(2, Font.Style, error) && line.number(3, Font.Color, error) &&
               line.number(4, Font.Charset, error);
    if (key == QLatin1String("Adjust"))
        return line.number(0, Adjust, error);
    if (key == QLatin1String("Highlight"))
        return line.number(0, Highlight.FontStyle, error) && line.number(1, Highlight.FontColor, error) &&
               line.number(2, Highlight.FillColor, error);
    if (key == QLatin1String("HighlightCondition"))
        return line.text(0, HighlightCondition, error);
    known = false;
    return true;
}
