#include "report/files/TrpTemplateText.h"

#include "report/objects/TrpAddinRegistry.h"
#include "report/objects/TrpBandView.h"
#include "report/objects/TrpMemoView.h"
#include "report/objects/TrpPictureView.h"
#include "report/files/TrpStreamReader.h"
#include "report/files/TrpStreamWriter.h"
#include "report/objects/TrpSubReportView.h"
#include "report/files/TrpTemplate.h"
#include "report/objects/TrpViewFactory.h"

#include <QBuffer>
#include <QStringList>

#include <cmath>
#include <functional>

namespace {

const char *const TypeKeywords[] = {"Memo", "Picture", "Band", "SubReport", "Line"};
constexpr QLatin1StringView AddInKeyword{"AddIn"};
constexpr int PictureChunk = 96;

QString hex32(quint32 value)
{
    return QStringLiteral("0x") + QString::number(value, 16).toUpper().rightJustified(8, QLatin1Char('0'));
}

QString floatText(float value)
{
    return QString::number(double(value), 'g', 9);
}

class Writer
{
public:
    void line(const QString &text) { m_out += text + QLatin1Char('\n'); }
    void field(const char *key, const QString &value)
    {
        line(QStringLiteral("  ") + QLatin1String(key) + QLatin1Char(' ') + value);
    }
    void number(const char *key, qint64 value) { field(key, QString::number(value)); }
    void text(const char *key, const QString &value) { field(key, TrpTemplateText::quoted(value)); }
    void lines(const char *key, const QStringList &values)
    {
        for (const QString &value : values)
            text(key, value);
    }
    [[nodiscard]] const QString &result() const { return m_out; }

private:
    QString m_out;
};

// The bytes an object's stream adds after the common body in template mode.
QByteArray tailOf(const TrpView &view)
{
    QByteArray full;
    QBuffer fullBuffer(&full);
    fullBuffer.open(QIODevice::WriteOnly);
    TrpStreamWriter fullWriter(fullBuffer);
    view.saveToStream(fullWriter, TrpStreamMode::Template);
    QByteArray common;
    QBuffer commonBuffer(&common);
    commonBuffer.open(QIODevice::WriteOnly);
    TrpStreamWriter commonWriter(commonBuffer);
    view.TrpView::saveToStream(commonWriter, TrpStreamMode::Template);
    return full.mid(common.size());
}

void writeObject(Writer &w, const TrpView &view, int pageIndex)
{
    if (view.Typ == gtAddIn)
        w.line(QString(AddInKeyword) + QLatin1Char(' ') + QString::number(pageIndex) + QLatin1Char(' ') +
               TrpTemplateText::quoted(view.ClassName()));
    else
        w.line(QLatin1String(TypeKeywords[view.Typ]) + QLatin1Char(' ') + QString::number(pageIndex));
    w.text("Name", view.Name);
    w.number("Left", view.Left);
    w.number("Top", view.Top);
    w.number("Width", view.Width);
    w.number("Height", view.Height);
    w.number("Flags", view.Flags);
    w.number("FrameTyp", view.FrameTyp);
    w.field("FrameWidth", floatText(view.FrameWidth));
    w.field("FrameColor", hex32(view.FrameColor));
    w.number("FrameStyle", view.FrameStyle);
    w.field("FillColor", hex32(view.FillColor));
    w.field("Format", hex32(quint32(view.Format)));
    w.text("FormatStr", view.FormatStr);
    w.lines("Memo", view.Memo);
    w.lines("Script", view.Script);
    w.number("Visible", view.Visible ? 1 : 0);
    if (const auto *memo = dynamic_cast<const TrpMemoView *>(&view)) {
        w.field("Font", TrpTemplateText::quoted(memo->Font.Name) + QLatin1Char(' ') + QString::number(memo->Font.Size) +
                            QLatin1Char(' ') + QString::number(memo->Font.Style) + QLatin1Char(' ') +
                            hex32(memo->Font.Color) + QLatin1Char(' ') + QString::number(memo->Font.Charset));
        w.number("Adjust", memo->Adjust);
        w.field("Highlight", QString::number(memo->Highlight.FontStyle) + QLatin1Char(' ') +
                                 hex32(memo->Highlight.FontColor) + QLatin1Char(' ') +
                                 hex32(memo->Highlight.FillColor));
        w.text("HighlightCondition", memo->HighlightCondition);
    } else if (const auto *picture = dynamic_cast<const TrpPictureView *>(&view)) {
        w.number("PictureKind", picture->pictureKind());
        const QByteArray data = picture->pictureData().toBase64();
        for (qsizetype i = 0; i < data.size(); i += PictureChunk)
            w.field("PictureData", QString::fromLatin1(data.mid(i, PictureChunk)));
    } else if (const auto *sub = dynamic_cast<const TrpSubReportView *>(&view)) {
        w.number("SubPage", sub->SubPage);
    } else if (view.Typ == gtAddIn) {
        const QByteArray tail = tailOf(view);
        if (!tail.isEmpty())
            w.text("Tail", QString::fromLatin1(tail.toHex()));
    }
}

// One line of the text, split into its keyword and arguments.
class Line
{
public:
    Line(QStringView text, int number) : m_text(text), m_number(number) {}

    [[nodiscard]] bool indented() const { return !m_text.isEmpty() && m_text[0].isSpace(); }
    [[nodiscard]] int number() const { return m_number; }

    bool parse(QString &error)
    {
        qsizetype i = 0;
        while (i < m_text.size()) {
            while (i < m_text.size() && m_text[i].isSpace())
                ++i;
            if (i >= m_text.size())
                break;
            if (m_text[i] == QLatin1Char('"')) {
                QString value;
                if (!TrpTemplateText::unquote(m_text, i, value)) {
                    error = QStringLiteral("broken text");
                    return false;
                }
                m_args.append({value, true});
            } else {
                const qsizetype start = i;
                while (i < m_text.size() && !m_text[i].isSpace())
                    ++i;
                m_args.append({m_text.mid(start, i - start).toString(), false});
            }
        }
        return true;
    }

    [[nodiscard]] bool isEmpty() const { return m_args.isEmpty(); }
    [[nodiscard]] QString keyword() const { return m_args.isEmpty() ? QString() : m_args[0].text; }
    [[nodiscard]] qsizetype count() const { return m_args.size() - 1; }

    bool text(int index, QString &out, QString &error) const
    {
        if (index >= count() || !m_args[index + 1].quoted) {
            error = QStringLiteral("%1 needs a quoted text").arg(keyword());
            return false;
        }
        out = m_args[index + 1].text;
        return true;
    }

    template <typename T> bool number(int index, T &out, QString &error) const
    {
        qint64 value = 0;
        if (!integer(index, value, error))
            return false;
        if (value < qint64(std::numeric_limits<T>::min()) || value > qint64(std::numeric_limits<T>::max())) {
            // Colours and formats are written as unsigned hexadecimal.
            if (!std::is_signed_v<T> || value < 0 ||
                value > qint64(std::numeric_limits<std::make_unsigned_t<T>>::max())) {
                error = QStringLiteral("%1 is out of range").arg(keyword());
                return false;
            }
        }
        out = T(value);
        return true;
    }

    bool bare(int index, QString &out, QString &error) const
    {
        if (index >= count() || m_args[index + 1].quoted) {
            error = QStringLiteral("%1 needs an unquoted word").arg(keyword());
            return false;
        }
        out = m_args[index + 1].text;
        return true;
    }

    bool real(int index, float &out, QString &error) const
    {
        bool ok = false;
        const double value = index < count() ? m_args[index + 1].text.toDouble(&ok) : 0;
        if (!ok) {
            error = QStringLiteral("%1 needs a number").arg(keyword());
            return false;
        }
        out = float(value);
        return true;
    }

private:
    bool integer(int index, qint64 &out, QString &error) const
    {
        bool ok = false;
        if (index < count() && !m_args[index + 1].quoted) {
            const QString &text = m_args[index + 1].text;
            if (text.startsWith(QLatin1String("0x")) || text.startsWith(QLatin1String("0X")))
                out = qint64(text.mid(2).toULongLong(&ok, 16));
            else
                out = text.toLongLong(&ok);
        }
        if (!ok)
            error = QStringLiteral("%1 needs a number").arg(keyword());
        return ok;
    }

    struct Arg
    {
        QString text;
        bool quoted;
    };
    QStringView m_text;
    int m_number;
    QList<Arg> m_args;
};

bool setCommonField(TrpView &view, const Line &line, QString &error, bool &known)
{
    known = true;
    const QString key = line.keyword();
    if (key == QLatin1String("Name"))
        return line.text(0, view.Name, error);
    if (key == QLatin1String("Left"))
        return line.number(0, view.Left, error);
    if (key == QLatin1String("Top"))
        return line.number(0, view.Top, error);
    if (key == QLatin1String("Width"))
        return line.number(0, view.Width, error);
    if (key == QLatin1String("Height"))
        return line.number(0, view.Height, error);
    if (key == QLatin1String("Flags"))
        return line.number(0, view.Flags, error);
    if (key == QLatin1String("FrameTyp"))
        return line.number(0, view.FrameTyp, error);
    if (key == QLatin1String("FrameWidth"))
        return line.real(0, view.FrameWidth, error);
    if (key == QLatin1String("FrameColor"))
        return line.number(0, view.FrameColor, error);
    if (key == QLatin1String("FrameStyle"))
        return line.number(0, view.FrameStyle, error);
    if (key == QLatin1String("FillColor"))
        return line.number(0, view.FillColor, error);
    if (key == QLatin1String("Format"))
        return line.number(0, view.Format, error);
    if (key == QLatin1String("FormatStr"))
        return line.text(0, view.FormatStr, error);
    if (key == QLatin1String("Memo") || key == QLatin1String("Script")) {
        QString value;
        if (!line.text(0, value, error))
            return false;
        (key == QLatin1String("Memo") ? view.Memo : view.Script).append(value);
        return true;
    }
    if (key == QLatin1String("Visible")) {
        int visible = 0;
        if (!line.number(0, visible, error))
            return false;
        view.Visible = visible != 0;
        return true;
    }
    known = false;
    return true;
}

bool setMemoField(TrpMemoView &memo, const Line &line, QString &error, bool &known)
{
    known = true;
    const QString key = line.keyword();
    if (key == QLatin1String("Font"))
        return line.text(0, memo.Font.Name, error) && line.number(1, memo.Font.Size, error) &&
               line.number(2, memo.Font.Style, error) && line.number(3, memo.Font.Color, error) &&
               line.number(4, memo.Font.Charset, error);
    if (key == QLatin1String("Adjust"))
        return line.number(0, memo.Adjust, error);
    if (key == QLatin1String("Highlight"))
        return line.number(0, memo.Highlight.FontStyle, error) && line.number(1, memo.Highlight.FontColor, error) &&
               line.number(2, memo.Highlight.FillColor, error);
    if (key == QLatin1String("HighlightCondition"))
        return line.text(0, memo.HighlightCondition, error);
    known = false;
    return true;
}

// An object being read from the text: its fields are set as the lines come,
// the picture and add-in bytes are gathered and put in at the end.
struct PendingObject
{
    std::unique_ptr<TrpView> view;
    int page = 0;
    quint8 pictureKind = TrpPictureView::pkNone;
    QByteArray pictureBase64;
    QByteArray tail;
};

bool finishObject(PendingObject &object, TrpTemplate &report, QString &error)
{
    if (!object.view)
        return true;
    if (object.page < 0 || object.page >= report.Pages.Count()) {
        error = QStringLiteral("object on page %1, which is not defined above it").arg(object.page);
        return false;
    }
    if (auto *picture = dynamic_cast<TrpPictureView *>(object.view.get()))
        picture->setPicture(object.pictureKind, QByteArray::fromBase64(object.pictureBase64));
    if (object.view->Typ == gtAddIn && !object.tail.isEmpty()) {
        // The add-in reads its own fields from the common body and the tail.
        QByteArray bytes;
        QBuffer out(&bytes);
        out.open(QIODevice::WriteOnly);
        TrpStreamWriter writer(out);
        object.view->TrpView::saveToStream(writer, TrpStreamMode::Template);
        bytes += object.tail;
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        TrpStreamReader reader(in);
        object.view->loadFromStream(reader, TrpStreamMode::Template);
        if (!reader.ok() || !reader.atEnd()) {
            error = QStringLiteral("the tail does not fit the add-in %1").arg(object.view->ClassName());
            return false;
        }
    }
    report.Pages[object.page].Objects.push_back(std::move(object.view));
    object = PendingObject();
    return true;
}

} // namespace

QString TrpTemplateText::quoted(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            out += QLatin1String("\\\"");
            break;
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
}

bool TrpTemplateText::unquote(QStringView text, qsizetype &pos, QString &out)
{
    if (pos >= text.size() || text[pos] != QLatin1Char('"'))
        return false;
    out.clear();
    for (qsizetype i = pos + 1; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('"')) {
            pos = i + 1;
            return true;
        }
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (++i >= text.size())
            return false;
        switch (text[i].unicode()) {
        case '"':
        case '\\':
            out += text[i];
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 't':
            out += QLatin1Char('\t');
            break;
        case 'x': {
            bool ok = false;
            const uint code = text.mid(i + 1, 2).toUInt(&ok, 16);
            if (!ok || i + 2 >= text.size())
                return false;
            out += QChar(char16_t(code));
            i += 2;
            break;
        }
        default:
            return false;
        }
    }
    return false;
}

QString TrpTemplateText::write(const TrpTemplate &report)
{
    Writer w;
    w.line(QStringLiteral("UseDefaultPrinter %1").arg(report.UseDefaultPrinter ? 1 : 0));
    w.line(QStringLiteral("TwoPass %1").arg(report.TwoPass ? 1 : 0));
    w.line(QStringLiteral("Printer ") + quoted(report.PrinterName));
    for (const auto &page : report.Pages) {
        w.line(QStringLiteral("Page"));
        w.number("PaperSize", page->PaperSize);
        w.number("PaperWidth", page->PaperWidth);
        w.number("PaperHeight", page->PaperHeight);
        w.field("Margins", QStringLiteral("%1 %2 %3 %4")
                               .arg(page->Margins.Left)
                               .arg(page->Margins.Top)
                               .arg(page->Margins.Right)
                               .arg(page->Margins.Bottom));
        w.number("Orientation", page->Orientation);
        w.number("PrintToPreviousPage", page->PrintToPreviousPage ? 1 : 0);
        w.number("UseMargins", page->UseMargins ? 1 : 0);
        w.number("ColumnCount", page->ColumnCount);
        w.number("ColumnGap", page->ColumnGap);
    }
    for (int i = 0; i < report.Pages.Count(); ++i)
        for (const auto &view : report.Pages[i].Objects)
            writeObject(w, *view, i);
    for (const TrpValue &value : report.Values.items()) {
        w.line(QStringLiteral("Value ") + quoted(value.Name));
        w.number("Typ", value.Typ);
        w.number("SpecialIndex", value.SpecialIndex);
        w.text("DataSetName", value.DataSetName);
        w.text("FieldName", value.FieldName);
    }
    for (const QString &variable : report.Variables)
        w.line(QStringLiteral("Variable ") + quoted(variable));
    return w.result();
}

bool TrpTemplateText::read(const QString &text, TrpTemplate &report, TrpError &error)
{
    report.Pages.Clear();
    report.Values.Clear();
    report.Variables.clear();
    enum class Section { Header, Page, Object, Value } section = Section::Header;
    PendingObject object;
    TrpPage *page = nullptr;
    TrpValue *value = nullptr;
    QString message;
    int number = 0;
    int objectLine = 0;

    auto fail = [&error, &number](const QString &why) {
        error = TrpError{TrpError::Kind::Stream, QStringLiteral("line %1: %2").arg(number).arg(why), number};
        return false;
    };

    const QList<QStringView> lines = QStringView(text).split(QLatin1Char('\n'));
    for (const QStringView raw : lines) {
        ++number;
        const QStringView content = raw.trimmed();
        if (content.isEmpty() || content.startsWith(QLatin1Char('#')))
            continue;
        Line line(raw, number);
        if (!line.parse(message))
            return fail(message);
        const QString key = line.keyword();
        bool ok = true;
        bool known = false;
        if (!line.indented()) {
            if (!finishObject(object, report, message)) {
                number = objectLine;
                return fail(message);
            }
            value = nullptr;
            page = nullptr;
            if (key == QLatin1String("UseDefaultPrinter") || key == QLatin1String("TwoPass")) {
                int flag = 0;
                ok = line.number(0, flag, message);
                (key == QLatin1String("TwoPass") ? report.TwoPass : report.UseDefaultPrinter) = flag != 0;
                section = Section::Header;
            } else if (key == QLatin1String("Printer")) {
                ok = line.text(0, report.PrinterName, message);
            } else if (key == QLatin1String("Page")) {
                page = &report.Pages.Add();
                section = Section::Page;
            } else if (key == QLatin1String("Value")) {
                TrpValue added;
                ok = line.text(0, added.Name, message);
                report.Values.Add(added);
                value = &report.Values[report.Values.Count() - 1];
                section = Section::Value;
            } else if (key == QLatin1String("Variable")) {
                QString variable;
                ok = line.text(0, variable, message);
                report.Variables.append(variable);
            } else if (key == AddInKeyword) {
                QString className;
                ok = line.number(0, object.page, message) && line.text(1, className, message);
                if (ok) {
                    object.view = TrpAddinRegistry::global().create(className);
                    if (!object.view)
                        return fail(QString(TrpViewFactory::ClassNotFound) + className);
                }
                section = Section::Object;
                objectLine = number;
            } else {
                const auto type = std::find_if(std::begin(TypeKeywords), std::end(TypeKeywords),
                                               [&key](const char *word) { return key == QLatin1String(word); });
                if (type == std::end(TypeKeywords))
                    return fail(QStringLiteral("unknown section %1").arg(key));
                object.view = TrpViewFactory::create(quint8(type - std::begin(TypeKeywords)));
                ok = line.number(0, object.page, message);
                section = Section::Object;
                objectLine = number;
            }
            if (!ok)
                return fail(message);
            continue;
        }

        if (section == Section::Page && page) {
            known = true;
            if (key == QLatin1String("PaperSize"))
                ok = line.number(0, page->PaperSize, message);
            else if (key == QLatin1String("PaperWidth"))
                ok = line.number(0, page->PaperWidth, message);
            else if (key == QLatin1String("PaperHeight"))
                ok = line.number(0, page->PaperHeight, message);
            else if (key == QLatin1String("Margins"))
                ok = line.number(0, page->Margins.Left, message) && line.number(1, page->Margins.Top, message) &&
                     line.number(2, page->Margins.Right, message) && line.number(3, page->Margins.Bottom, message);
            else if (key == QLatin1String("Orientation"))
                ok = line.number(0, page->Orientation, message);
            else if (key == QLatin1String("ColumnCount"))
                ok = line.number(0, page->ColumnCount, message);
            else if (key == QLatin1String("ColumnGap"))
                ok = line.number(0, page->ColumnGap, message);
            else if (key == QLatin1String("PrintToPreviousPage") || key == QLatin1String("UseMargins")) {
                int flag = 0;
                ok = line.number(0, flag, message);
                (key == QLatin1String("UseMargins") ? page->UseMargins : page->PrintToPreviousPage) = flag != 0;
            } else
                known = false;
        } else if (section == Section::Value && value) {
            known = true;
            if (key == QLatin1String("Typ"))
                ok = line.number(0, value->Typ, message);
            else if (key == QLatin1String("SpecialIndex"))
                ok = line.number(0, value->SpecialIndex, message);
            else if (key == QLatin1String("DataSetName"))
                ok = line.text(0, value->DataSetName, message);
            else if (key == QLatin1String("FieldName"))
                ok = line.text(0, value->FieldName, message);
            else
                known = false;
        } else if (section == Section::Object && object.view) {
            TrpView &view = *object.view;
            ok = setCommonField(view, line, message, known);
            if (!known) {
                if (auto *memo = dynamic_cast<TrpMemoView *>(&view)) {
                    ok = setMemoField(*memo, line, message, known);
                } else if (dynamic_cast<TrpPictureView *>(&view) && key == QLatin1String("PictureKind")) {
                    known = true;
                    ok = line.number(0, object.pictureKind, message);
                } else if (dynamic_cast<TrpPictureView *>(&view) && key == QLatin1String("PictureData")) {
                    known = true;
                    QString chunk;
                    ok = line.bare(0, chunk, message);
                    object.pictureBase64 += chunk.toLatin1();
                } else if (auto *sub = dynamic_cast<TrpSubReportView *>(&view);
                           sub && key == QLatin1String("SubPage")) {
                    known = true;
                    ok = line.number(0, sub->SubPage, message);
                } else if (view.Typ == gtAddIn && key == QLatin1String("Tail")) {
                    known = true;
                    QString hex;
                    ok = line.text(0, hex, message);
                    object.tail = QByteArray::fromHex(hex.toLatin1());
                }
            }
        }
        if (!ok)
            return fail(message);
        if (!known)
            return fail(QStringLiteral("unknown field %1").arg(key));
    }
    if (!finishObject(object, report, message)) {
        number = objectLine;
        return fail(message);
    }
    return true;
}
