#include "report/files/TrpTemplateText.h"

#include "report/files/TrpTemplate.h"
#include "report/files/TrpTextFieldWriter.h"
#include "report/files/TrpTextLine.h"
#include "report/objects/TrpAddinRegistry.h"
#include "report/objects/TrpViewFactory.h"

#include <QStringList>

namespace {

constexpr QLatin1StringView AddInKeyword{"AddIn"};

void writeObject(TrpTextFieldWriter &w, const TrpView &view, int pageIndex)
{
    if (view.Typ == gtAddIn)
        w.line(QString(AddInKeyword) + QLatin1Char(' ') + QString::number(pageIndex) + QLatin1Char(' ') +
               TrpTemplateText::quoted(view.ClassName()));
    else
        w.line(TrpViewFactory::keyword(view.Typ) + QLatin1Char(' ') + QString::number(pageIndex));
    w.text("Name", view.Name);
    w.number("Left", view.Left);
    w.number("Top", view.Top);
    w.number("Width", view.Width);
    w.number("Height", view.Height);
    w.number("Flags", view.Flags);
    w.number("FrameTyp", view.FrameTyp);
    w.real("FrameWidth", view.FrameWidth);
    w.hex("FrameColor", view.FrameColor);
    w.number("FrameStyle", view.FrameStyle);
    w.hex("FillColor", view.FillColor);
    w.hex("Format", quint32(view.Format));
    w.text("FormatStr", view.FormatStr);
    w.lines("Memo", view.Memo);
    w.lines("Script", view.Script);
    w.number("Visible", view.Visible ? 1 : 0);
    view.writeText(w);
}

bool setCommonField(TrpView &view, const TrpTextLine &line, QString &error, bool &known)
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

// An object being read from the text: its fields are set as the lines come;
// what its kind gathers over several lines is put in at the end.
struct PendingObject
{
    std::unique_ptr<TrpView> view;
    int page = 0;
    int line = 0;
    QByteArray gathered;
};

// Reads the text line by line: a line at the left margin opens a section
// (the header fields, a page, an object, a value), indented lines are the
// fields of the section open.
class Reader
{
public:
    explicit Reader(TrpTemplate &report) : m_report(report) {}

    bool line(const TrpTextLine &line, QString &error);
    // Puts the last object in; false with the line of its section.
    bool finish(QString &error, int &number) { return finishObject(error, number); }

private:
    enum class Section { Header, Page, Object, Value };

    bool section(const TrpTextLine &line, QString &error);
    bool object(const TrpTextLine &line, QString &error);
    bool pageField(const TrpTextLine &line, QString &error, bool &known);
    bool valueField(const TrpTextLine &line, QString &error, bool &known);
    bool finishObject(QString &error, int &number);

    TrpTemplate &m_report;
    Section m_section = Section::Header;
    PendingObject m_object;
    TrpPage *m_page = nullptr;
    TrpValue *m_value = nullptr;
};

bool Reader::line(const TrpTextLine &line, QString &error)
{
    if (!line.indented())
        return section(line, error);
    bool ok = true;
    bool known = false;
    if (m_section == Section::Page && m_page) {
        ok = pageField(line, error, known);
    } else if (m_section == Section::Value && m_value) {
        ok = valueField(line, error, known);
    } else if (m_section == Section::Object && m_object.view) {
        TrpView &view = *m_object.view;
        ok = setCommonField(view, line, error, known);
        if (!known)
            ok = view.readText(line, m_object.gathered, error, known);
    }
    if (ok && !known)
        error = QStringLiteral("unknown field %1").arg(line.keyword());
    return ok && known;
}

bool Reader::section(const TrpTextLine &line, QString &error)
{
    m_value = nullptr;
    m_page = nullptr;
    const QString key = line.keyword();
    if (key == QLatin1String("UseDefaultPrinter") || key == QLatin1String("TwoPass")) {
        int flag = 0;
        const bool ok = line.number(0, flag, error);
        (key == QLatin1String("TwoPass") ? m_report.TwoPass : m_report.UseDefaultPrinter) = flag != 0;
        m_section = Section::Header;
        return ok;
    }
    if (key == QLatin1String("Printer"))
        return line.text(0, m_report.PrinterName, error);
    if (key == QLatin1String("Page")) {
        m_page = &m_report.Pages.Add();
        m_section = Section::Page;
        return true;
    }
    if (key == QLatin1String("Value")) {
        TrpValue added;
        const bool ok = line.text(0, added.Name, error);
        m_report.Values.Add(added);
        m_value = &m_report.Values[m_report.Values.Count() - 1];
        m_section = Section::Value;
        return ok;
    }
    if (key == QLatin1String("Variable")) {
        QString variable;
        const bool ok = line.text(0, variable, error);
        m_report.Variables.append(variable);
        return ok;
    }
    return object(line, error);
}

bool Reader::object(const TrpTextLine &line, QString &error)
{
    const QString key = line.keyword();
    m_section = Section::Object;
    m_object.line = line.number();
    if (key == AddInKeyword) {
        QString className;
        if (!line.number(0, m_object.page, error) || !line.text(1, className, error))
            return false;
        m_object.view = TrpAddinRegistry::global().create(className);
        if (!m_object.view)
            error = QString(TrpViewFactory::ClassNotFound) + className;
        return m_object.view != nullptr;
    }
    const std::optional<quint8> type = TrpViewFactory::typeOfKeyword(key);
    if (!type) {
        error = QStringLiteral("unknown section %1").arg(key);
        return false;
    }
    m_object.view = TrpViewFactory::create(*type);
    return line.number(0, m_object.page, error);
}

bool Reader::pageField(const TrpTextLine &line, QString &error, bool &known)
{
    TrpPage &page = *m_page;
    const QString key = line.keyword();
    known = true;
    if (key == QLatin1String("PaperSize"))
        return line.number(0, page.PaperSize, error);
    if (key == QLatin1String("PaperWidth"))
        return line.number(0, page.PaperWidth, error);
    if (key == QLatin1String("PaperHeight"))
        return line.number(0, page.PaperHeight, error);
    if (key == QLatin1String("Margins"))
        return line.number(0, page.Margins.Left, error) && line.number(1, page.Margins.Top, error) &&
               line.number(2, page.Margins.Right, error) && line.number(3, page.Margins.Bottom, error);
    if (key == QLatin1String("Orientation"))
        return line.number(0, page.Orientation, error);
    if (key == QLatin1String("ColumnCount"))
        return line.number(0, page.ColumnCount, error);
    if (key == QLatin1String("ColumnGap"))
        return line.number(0, page.ColumnGap, error);
    if (key == QLatin1String("PrintToPreviousPage") || key == QLatin1String("UseMargins")) {
        int flag = 0;
        const bool ok = line.number(0, flag, error);
        (key == QLatin1String("UseMargins") ? page.UseMargins : page.PrintToPreviousPage) = flag != 0;
        return ok;
    }
    known = false;
    return true;
}

bool Reader::valueField(const TrpTextLine &line, QString &error, bool &known)
{
    TrpValue &value = *m_value;
    const QString key = line.keyword();
    known = true;
    if (key == QLatin1String("Typ"))
        return line.number(0, value.Typ, error);
    if (key == QLatin1String("SpecialIndex"))
        return line.number(0, value.SpecialIndex, error);
    if (key == QLatin1String("DataSetName"))
        return line.text(0, value.DataSetName, error);
    if (key == QLatin1String("FieldName"))
        return line.text(0, value.FieldName, error);
    known = false;
    return true;
}

bool Reader::finishObject(QString &error, int &number)
{
    if (!m_object.view)
        return true;
    bool ok = m_object.page >= 0 && m_object.page < m_report.Pages.Count();
    if (!ok)
        error = QStringLiteral("object on page %1, which is not defined above it").arg(m_object.page);
    ok = ok && m_object.view->finishText(m_object.gathered, error);
    if (!ok) {
        number = m_object.line;
        return false;
    }
    m_report.Pages[m_object.page].Objects.push_back(std::move(m_object.view));
    m_object = PendingObject();
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
    TrpTextFieldWriter w;
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
    Reader reader(report);
    QString message;
    int number = 0;
    auto fail = [&error, &number, &message] {
        error = TrpError{TrpError::Kind::Stream, QStringLiteral("line %1: %2").arg(number).arg(message), number};
        return false;
    };
    const QList<QStringView> lines = QStringView(text).split(QLatin1Char('\n'));
    for (const QStringView raw : lines) {
        ++number;
        const QStringView content = raw.trimmed();
        if (content.isEmpty() || content.startsWith(QLatin1Char('#')))
            continue;
        TrpTextLine line(raw, number);
        if (!line.parse(message))
            return fail();
        // A new section puts the object before it in first.
        if (!line.indented() && !reader.finish(message, number))
            return fail();
        if (!reader.line(line, message))
            return fail();
    }
    return reader.finish(message, number) || fail();
}
