#pragma once

#include "report/common/TrpColor.h"

#include <QByteArray>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QPainter;
class TrpRowSource;
class TrpStreamReader;
class TrpStreamWriter;
class TrpTextFieldWriter;
class TrpTextLine;
struct TrpDrawContext;

// Which fields an object's stream carries. A template (.rpf) holds the
// name, the format, the script and the visible flag; a prepared page holds
// the expanded text instead of the template text and none of those.
enum class TrpStreamMode { Template, Prepared };

// Object types as stored.
enum TrpViewType : quint8 {
    gtMemo = 0,
    gtPicture = 1,
    gtBand = 2,
    gtSubReport = 3,
    gtLine = 4,
    gtAddIn = 10,
};

// A thing placed on a report page: its rectangle in page units, frame,
// fill, display format, text and script. Objects are values: a template
// owns them and hands out clone()s.
//
// The stream form (loadFromStream / saveToStream) is the object's body
// after the record head (type byte, class name, page index), followed by
// its type's tail; prepared pages store the same body in prepared mode.
// Read failures are left in the reader (reader.ok()), write failures in the
// writer.
class TrpView
{
public:
    // Options in Flags for ordinary objects.
    enum FlagBits : quint16 { flStretched = 1, flWordWrap = 2, flWordBreak = 4, flAutoSize = 8 };
    // Edges in FrameTyp.
    enum FrameBits : quint16 { frRight = 1, frBottom = 2, frLeft = 4, frTop = 8, frAll = 15 };
    // FrameStyle values: 0 to 4 and 6 are pen styles (solid, dash, dot,
    // dash-dot, dash-dot-dot, inside frame), 5 a double line.
    static constexpr quint16 DoubleFrame = 5;

    // Display format kinds (bits 24 to 27 of Format).
    enum FormatKind { fmtText = 0, fmtNumber = 1, fmtDate = 2, fmtTime = 3, fmtBoolean = 4 };

    TrpView();
    virtual ~TrpView();
    TrpView &operator=(const TrpView &) = delete;

    [[nodiscard]] virtual std::unique_ptr<TrpView> clone() const;
    // The class name that add-in records store.
    [[nodiscard]] virtual QString ClassName() const;
    // The stem of generated names ("Memo" gives "Memo1", "Memo2", ...).
    [[nodiscard]] virtual QString BaseName() const;

    virtual void loadFromStream(TrpStreamReader &reader, TrpStreamMode mode);
    virtual void saveToStream(TrpStreamWriter &writer, TrpStreamMode mode) const;

    // The template's text form (TrpTemplateText) holds the common fields of
    // every object and then the fields of its kind, which each kind writes
    // and reads here. Bytes a kind gathers over several lines go into
    // `gathered` and are put in by finishText() after the object's last
    // line. By default an add-in writes what its stream adds to the common
    // body as one hexadecimal "Tail" line; other kinds have no own fields.
    virtual void writeText(TrpTextFieldWriter &out) const;
    // known is false for a field the kind does not have; false with error
    // for a bad line.
    virtual bool readText(const TrpTextLine &line, QByteArray &gathered, QString &error, bool &known);
    virtual bool finishText(const QByteArray &gathered, QString &error);

    // Draws the object on the painter in page units, mapped by the context.
    // Band and subreport objects draw nothing.
    virtual void draw(QPainter &painter, const TrpDrawContext &context) const;

    // The object's rectangle on the canvas: scaled and shifted by the
    // context, computed in 64 bits and clamped to what a painter can take.
    [[nodiscard]] QRectF canvasRect(const TrpDrawContext &context) const;

    // The rectangle and frame width are saved before an object is output
    // and restored after it, since output may stretch or move it.
    void saveGeometry();
    void restoreGeometry();

    // The data field an object is bound to: the text between the leading
    // "[" of the first line and the last "]" of that line, when the line
    // is at least 3 bytes long.
    [[nodiscard]] std::optional<QString> boundFieldName() const;
    // Takes its content from the picture or binary field it is bound to, in
    // the current row: a picture its picture, a memo its text lines (into
    // text, the copy that the output goes on with). Other objects have no
    // content to take.
    virtual void loadFromField(QStringList &text);

    // FrameWidth in the file: whole widths up to 10 as themselves, any
    // other width in thousandths, so that reading gives the width back (to
    // the thousandth; the smallest fractional width stored is 0.011).
    [[nodiscard]] static qint32 frameWidthToFile(float width);
    [[nodiscard]] static float frameWidthFromFile(qint32 stored);

    // Kind 0 with 2 in the decimals byte and the engine's decimal separator.
    [[nodiscard]] static qint32 defaultFormat();

    [[nodiscard]] static int nextId();

    QString Name;
    qint32 ID = 0;
    quint8 Typ = 0;
    qint32 Left = 0;
    qint32 Top = 0;
    qint32 Width = 0;
    qint32 Height = 0;
    quint16 Flags = 0;
    quint16 FrameTyp = 0;
    float FrameWidth = 1.0f;
    quint32 FrameColor = TrpColor::Black;
    quint16 FrameStyle = 0;
    quint32 FillColor = TrpColor::None;
    qint32 Format = 0;
    QString FormatStr;
    // The template text with its bracketed expressions.
    QStringList Memo;
    // The text after expansion: what prepared pages store and what is drawn.
    QStringList ExpandedMemo;
    QStringList Script;
    bool Visible = true;

    // The data set and field the object is bound to for a build.
    QPointer<TrpRowSource> DataSet;
    QString DataField;

protected:
    TrpView(const TrpView &) = default;

    // The bytes of the picture or binary field the object is bound to, in
    // the current row (empty for a null); nullopt when it is bound to none.
    [[nodiscard]] std::optional<QByteArray> boundFieldBytes() const;

    // The rectangle in page units with sizes clamped for drawing.
    [[nodiscard]] QRectF pageRect() const;
    // Maps page units onto the canvas as the context says.
    static void applyContext(QPainter &painter, const TrpDrawContext &context);
    void drawBackground(QPainter &painter, const QRectF &rect, const TrpDrawContext &context) const;
    void drawFrame(QPainter &painter, const QRectF &rect) const;

private:
    struct SavedGeometry
    {
        qint32 left = 0;
        qint32 top = 0;
        qint32 width = 0;
        qint32 height = 0;
        float frameWidth = 1.0f;
    };
    SavedGeometry m_saved;
};
