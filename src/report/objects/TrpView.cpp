#include "report/objects/TrpView.h"

#include "report/common/TrpPenStyle.h"
#include "report/data/TrpRowSource.h"
#include "report/drawing/TrpDrawContext.h"
#include "report/files/TrpStreamReader.h"
#include "report/files/TrpStreamWriter.h"
#include "report/files/TrpTextFieldWriter.h"
#include "report/files/TrpTextLine.h"

#include "base/NumberFormat.h"
#include "base/Sjis.h"

#include <QBuffer>
#include <QPainter>

#include <atomic>
#include <cmath>
#include <limits>

namespace {

// Coordinates and sizes from a file can be anything; a painter needs them
// well inside its fixed-point range.
constexpr double CoordinateLimit = 1 << 22;
// A frame wider than this is a broken value, not a frame.
constexpr int MaxFrameWidth = 100;

double clamped(double value, double low, double high)
{
    if (std::isnan(value))
        return 0;
    return std::clamp(value, low, high);
}

// The four edges in drawing order.
constexpr quint16 Edges[] = {TrpView::frRight, TrpView::frBottom, TrpView::frLeft, TrpView::frTop};

QLineF edgeLine(const QRectF &r, quint16 bit, double offset)
{
    switch (bit) {
    case TrpView::frRight:
        return QLineF(r.right() + offset, r.top(), r.right() + offset, r.bottom());
    case TrpView::frLeft:
        return QLineF(r.left() + offset, r.top(), r.left() + offset, r.bottom());
    case TrpView::frBottom:
        return QLineF(r.left(), r.bottom() + offset, r.right(), r.bottom() + offset);
    default:
        return QLineF(r.left(), r.top() + offset, r.right(), r.top() + offset);
    }
}

} // namespace

TrpView::TrpView() : ID(nextId()), Format(defaultFormat()) {}

TrpView::~TrpView() = default;

std::unique_ptr<TrpView> TrpView::clone() const
{
    return std::unique_ptr<TrpView>(new TrpView(*this));
}

QString TrpView::ClassName() const
{
    return QStringLiteral("TrpView");
}

QString TrpView::BaseName() const
{
    return QStringLiteral("View");
}

int TrpView::nextId()
{
    static std::atomic<int> counter{0};
    return ++counter;
}

qint32 TrpView::defaultFormat()
{
    const char16_t separator = NumberFormat::decimalSeparator().unicode();
    return (2 << 8) | (separator < 0x100 ? separator : u'.');
}

qint32 TrpView::frameWidthToFile(float width)
{
    if (!std::isfinite(width))
        return 0;
    const double w = width;
    if (w == std::floor(w) && w <= 10)
        return qint32(std::max(w, double(std::numeric_limits<qint32>::min())));
    // The format holds no negative fractions; the nearest whole width reads back.
    if (w < 0)
        return qint32(std::max(std::round(w), double(std::numeric_limits<qint32>::min())));
    // Thousandths up to 10 would read as whole widths.
    const double thousandths = std::round(w * 1000);
    if (thousandths <= 10)
        return 11;
    return qint32(std::min(thousandths, double(std::numeric_limits<qint32>::max())));
}

float TrpView::frameWidthFromFile(qint32 stored)
{
    if (stored > 10)
        return float(stored / 1000.0);
    return float(stored);
}

void TrpView::loadFromStream(TrpStreamReader &reader, TrpStreamMode mode)
{
    const bool full = mode == TrpStreamMode::Template;
    const bool current = reader.version() >= TrpStreamReader::CountedVersion;
    if (full && current)
        Name = reader.readString();
    Left = reader.readInt32();
    Top = reader.readInt32();
    Width = reader.readInt32();
    Height = reader.readInt32();
    Flags = reader.readWord();
    FrameTyp = reader.readWord();
    FrameWidth = frameWidthFromFile(reader.readInt32());
    FrameColor = quint32(reader.readInt32());
    FrameStyle = reader.readWord();
    FillColor = quint32(reader.readInt32());
    if (full) {
        Format = reader.readInt32();
        FormatStr = reader.readString();
    }
    Memo = reader.readLines();
    if (full) {
        ExpandedMemo.clear();
        if (current) {
            Script = reader.readLines();
            Visible = reader.readWord() != 0;
        }
    } else {
        ExpandedMemo = Memo;
    }
}

void TrpView::saveToStream(TrpStreamWriter &writer, TrpStreamMode mode) const
{
    const bool full = mode == TrpStreamMode::Template;
    if (full)
        writer.writeString(Name);
    writer.writeInt32(Left);
    writer.writeInt32(Top);
    writer.writeInt32(Width);
    writer.writeInt32(Height);
    writer.writeWord(Flags);
    writer.writeWord(FrameTyp);
    writer.writeInt32(frameWidthToFile(FrameWidth));
    writer.writeInt32(qint32(FrameColor));
    writer.writeWord(FrameStyle);
    writer.writeInt32(qint32(FillColor));
    if (full) {
        writer.writeInt32(Format);
        writer.writeString(FormatStr);
        writer.writeLines(Memo);
        writer.writeLines(Script);
        writer.writeWord(Visible ? 0xFFFF : 0);
    } else {
        writer.writeLines(ExpandedMemo);
    }
}

void TrpView::draw(QPainter &, const TrpDrawContext &) const {}

QRectF TrpView::pageRect() const
{
    return QRectF(clamped(Left, -CoordinateLimit, CoordinateLimit), clamped(Top, -CoordinateLimit, CoordinateLimit),
                  clamped(Width, 0, CoordinateLimit), clamped(Height, 0, CoordinateLimit));
}

QRectF TrpView::canvasRect(const TrpDrawContext &context) const
{
    const QRectF r = pageRect();
    const double limit = CoordinateLimit * 16;
    return QRectF(clamped(r.left() * context.ScaleX + context.OffsX, -limit, limit),
                  clamped(r.top() * context.ScaleY + context.OffsY, -limit, limit),
                  clamped(r.width() * context.ScaleX, 0, limit), clamped(r.height() * context.ScaleY, 0, limit));
}

void TrpView::applyContext(QPainter &painter, const TrpDrawContext &context)
{
    // Recording at 100 % moves and scales nothing; telling the painter so
    // would only make its paint engine take its state again.
    if (context.OffsX != 0 || context.OffsY != 0)
        painter.translate(context.OffsX, context.OffsY);
    if (context.ScaleX != 1 || context.ScaleY != 1)
        painter.scale(context.ScaleX, context.ScaleY);
}

void TrpView::saveGeometry()
{
    m_saved = {Left, Top, Width, Height, FrameWidth};
}

void TrpView::restoreGeometry()
{
    Left = m_saved.left;
    Top = m_saved.top;
    Width = m_saved.width;
    Height = m_saved.height;
    FrameWidth = m_saved.frameWidth;
}

std::optional<QString> TrpView::boundFieldName() const
{
    if (Memo.isEmpty())
        return std::nullopt;
    const QString &line = Memo.first();
    if (Sjis::byteLength(line) < 3 || !line.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = line.lastIndexOf(QLatin1Char(']'));
    if (close < 1)
        return std::nullopt;
    return line.mid(1, close - 1);
}

std::optional<QByteArray> TrpView::boundFieldBytes() const
{
    if (!DataSet || DataField.isEmpty())
        return std::nullopt;
    return DataSet->fieldBytes(DataField);
}

void TrpView::loadFromField(QStringList &) {}

void TrpView::drawBackground(QPainter &painter, const QRectF &rect, const TrpDrawContext &context) const
{
    if (TrpColor::isNone(FillColor) && context.Printing)
        return;
    const QColor color = TrpColor::isNone(FillColor) ? QColor(Qt::white) : TrpColor::toQColor(FillColor);
    painter.fillRect(rect, color);
}

// Frames are drawn as one-pixel lines so that every width lands on whole
// page units: a thick solid edge is that many lines centred on the edge,
// and a double edge two lines FrameWidth away on either side with a line of
// the fill colour on the edge itself.
void TrpView::drawFrame(QPainter &painter, const QRectF &rect) const
{
    const quint16 edges = FrameTyp & frAll;
    if (edges == 0)
        return;
    const int width = std::max(1, int(clamped(std::round(double(FrameWidth)), 0, MaxFrameWidth)));
    // Only the pen and brush change: putting them back costs far less than
    // saving and restoring the painter's whole state.
    const QPen oldPen = painter.pen();
    const QBrush oldBrush = painter.brush();
    painter.setBrush(Qt::NoBrush);
    const Qt::PenStyle style = TrpPenStyle::toQt(FrameStyle, TrpPenStyle::Codes::Frame);
    QPen pen(TrpColor::toQColor(FrameColor), 1, style, Qt::SquareCap, Qt::MiterJoin);

    if (FrameStyle == DoubleFrame) {
        const QColor fill = TrpColor::toQColor(FillColor);
        for (const quint16 edge : Edges) {
            if (!(edges & edge))
                continue;
            pen.setStyle(Qt::SolidLine);
            pen.setColor(TrpColor::toQColor(FrameColor));
            painter.setPen(pen);
            painter.drawLine(edgeLine(rect, edge, -width));
            painter.drawLine(edgeLine(rect, edge, width));
            if (!TrpColor::isNone(FillColor)) {
                pen.setColor(fill);
                painter.setPen(pen);
                painter.drawLine(edgeLine(rect, edge, 0));
            }
        }
    } else if (edges == frAll && FrameStyle == 0 && width == 1) {
        // One pixel wider and higher than the object: both edges inside.
        painter.setPen(pen);
        painter.drawRect(rect);
    } else if (style == Qt::SolidLine) {
        painter.setPen(pen);
        for (const quint16 edge : Edges) {
            if (!(edges & edge))
                continue;
            for (int k = 0; k < width; ++k)
                painter.drawLine(edgeLine(rect, edge, k - width / 2));
        }
    } else {
        pen.setWidth(width);
        painter.setPen(pen);
        for (const quint16 edge : Edges) {
            if (edges & edge)
                painter.drawLine(edgeLine(rect, edge, 0));
        }
    }
    painter.setPen(oldPen);
    painter.setBrush(oldBrush);
}

namespace {

// The bytes of the common body of an object's stream in template mode.
QByteArray commonBody(const TrpView &view)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TrpStreamWriter writer(buffer);
    view.TrpView::saveToStream(writer, TrpStreamMode::Template);
    return bytes;
}

} // namespace

void TrpView::writeText(TrpTextFieldWriter &out) const
{
    if (Typ != gtAddIn)
        return;
    QByteArray full;
    QBuffer buffer(&full);
    buffer.open(QIODevice::WriteOnly);
    TrpStreamWriter writer(buffer);
    saveToStream(writer, TrpStreamMode::Template);
    const QByteArray tail = full.mid(commonBody(*this).size());
    if (!tail.isEmpty())
        out.text("Tail", QString::fromLatin1(tail.toHex()));
}

bool TrpView::readText(const TrpTextLine &line, QByteArray &gathered, QString &error, bool &known)
{
    known = Typ == gtAddIn && line.keyword() == QLatin1String("Tail");
    if (!known)
        return true;
    QString hex;
    if (!line.text(0, hex, error))
        return false;
    gathered = QByteArray::fromHex(hex.toLatin1());
    return true;
}

bool TrpView::finishText(const QByteArray &gathered, QString &error)
{
    if (Typ != gtAddIn || gathered.isEmpty())
        return true;
    // The add-in reads its own fields from the common body and the tail.
    QByteArray bytes = commonBody(*this) + gathered;
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    TrpStreamReader reader(in);
    loadFromStream(reader, TrpStreamMode::Template);
    if (!reader.ok() || !reader.atEnd()) {
        error = QStringLiteral("the tail does not fit the add-in %1").arg(ClassName());
        return false;
    }
    return true;
}
