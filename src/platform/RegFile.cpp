#include "platform/RegFile.h"

#include "base/Sjis.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QtEndian>

namespace {

constexpr QStringView Version5Header = u"Windows Registry Editor Version 5.00";
constexpr QStringView Version4Header = u"REGEDIT4";

// Registry type numbers of the hex(N) form.
constexpr int RegSz = 1;
constexpr int RegExpandSz = 2;
constexpr int RegBinary = 3;
constexpr int RegDword = 4;
constexpr int RegMultiSz = 7;

constexpr qsizetype MaxLineLength = 80;

QString decodeText(QByteArrayView bytes, bool *ansi)
{
    *ansi = false;
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringConverter::Utf16LE)(bytes.sliced(2));
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringConverter::Utf16BE)(bytes.sliced(2));
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QStringDecoder(QStringConverter::Utf8)(bytes.sliced(3));
    if (bytes.size() >= 2 && bytes[0] != '\0' && bytes[1] == '\0')
        return QStringDecoder(QStringConverter::Utf16LE)(bytes);
    if (bytes.startsWith(Version4Header.toLatin1())) {
        *ansi = true;
        return Sjis::decode(bytes);
    }
    return QStringDecoder(QStringConverter::Utf8)(bytes);
}

QByteArray utf16le(QStringView text)
{
    return QStringEncoder(QStringConverter::Utf16LE)(text);
}

// Reads a quoted text at pos (on the opening quote); pos ends after the
// closing quote. Only \\ and \" are escapes; any other backslash stays.
std::optional<QString> readQuoted(QStringView line, qsizetype &pos)
{
    QString text;
    for (qsizetype i = pos + 1; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u'"') {
            pos = i + 1;
            return text;
        }
        if (c == u'\\' && i + 1 < line.size() && (line[i + 1] == u'\\' || line[i + 1] == u'"'))
            ++i;
        text.append(line[i]);
    }
    return std::nullopt;
}

std::optional<QByteArray> readHexBytes(QStringView list)
{
    QByteArray bytes;
    for (QStringView item : list.split(u',')) {
        item = item.trimmed();
        if (item.isEmpty())
            continue;
        bool ok = false;
        const uint byte = item.toUInt(&ok, 16);
        if (!ok || item.size() > 2)
            return std::nullopt;
        bytes.append(char(byte));
    }
    return bytes;
}

// The text of a string type in hex form, up to its terminating NUL.
QString stringFromData(const QByteArray &data, bool ansi)
{
    QString text = ansi ? Sjis::decode(data) : QStringDecoder(QStringConverter::Utf16LE)(data);
    const qsizetype end = text.indexOf(QChar(u'\0'));
    return end < 0 ? text : text.left(end);
}

SettingsValue typedValue(int type, QByteArray data, bool ansi)
{
    SettingsValue value;
    if (type == RegSz) {
        value.type = SettingsValue::Type::String;
        value.text = stringFromData(data, ansi);
    } else if (type == RegBinary) {
        value.type = SettingsValue::Type::Binary;
        value.bytes = std::move(data);
    } else if (type == RegDword && data.size() == 4) {
        value.type = SettingsValue::Type::Integer;
        value.integer = qFromLittleEndian<qint32>(data.constData());
    } else {
        value.type = SettingsValue::Type::Other;
        value.otherType = type;
        // Version 5.00 keeps the string types in UTF-16LE; so do we.
        value.bytes =
            ansi && (type == RegExpandSz || type == RegMultiSz) ? utf16le(Sjis::decode(data)) : std::move(data);
    }
    return value;
}

class Parser
{
public:
    Parser(QStringView text, bool ansi, QList<RegFile::Problem> *problems)
        : m_lines(text.split(u'\n')), m_ansi(ansi), m_problems(problems)
    {}

    void run(RegFile &file)
    {
        RegFile::Section *section = nullptr;
        bool skipping = false;
        for (m_index = 1; m_index < m_lines.size(); ++m_index) {
            const QStringView line = current();
            m_lineNumber = int(m_index) + 1;
            if (line.isEmpty() || line.startsWith(u';'))
                continue;
            if (line.startsWith(u'[')) {
                section = nullptr;
                skipping = true;
                if (!line.endsWith(u']'))
                    problem(QStringLiteral("key line without closing bracket"));
                else if (line.startsWith(u"[-"))
                    problem(QStringLiteral("key deletion is not supported"));
                else {
                    section = sectionOf(file, line.sliced(1, line.size() - 2));
                    skipping = false;
                }
                continue;
            }
            if (!section) {
                if (!skipping)
                    problem(QStringLiteral("value outside a key"));
                continue;
            }
            if (std::optional<SettingsValue> value = readValue(line))
                put(*section, std::move(*value));
        }
    }

private:
    QStringView current() const
    {
        QStringView line = m_lines[m_index];
        return line.trimmed();
    }

    void problem(const QString &message)
    {
        if (m_problems)
            m_problems->append({m_lineNumber, message});
    }

    static RegFile::Section *sectionOf(RegFile &file, QStringView key)
    {
        QString name = key.trimmed().toString();
        while (name.endsWith(u'\\'))
            name.chop(1);
        if (RegFile::Section *section = file.find(name))
            return section;
        file.sections.append({name, {}});
        return &file.sections.last();
    }

    static void put(RegFile::Section &section, SettingsValue value)
    {
        for (SettingsValue &stored : section.values) {
            if (stored.name.compare(value.name, Qt::CaseInsensitive) == 0) {
                stored = std::move(value);
                return;
            }
        }
        section.values.append(std::move(value));
    }

    std::optional<SettingsValue> readValue(QStringView line)
    {
        qsizetype pos = 0;
        QString name;
        if (line.startsWith(u'@')) {
            pos = 1;
        } else if (line.startsWith(u'"')) {
            std::optional<QString> quoted = readQuoted(line, pos);
            if (!quoted) {
                problem(QStringLiteral("value name without closing quote"));
                return std::nullopt;
            }
            name = std::move(*quoted);
        } else {
            problem(QStringLiteral("not a value line"));
            return std::nullopt;
        }
        QStringView rest = line.sliced(pos).trimmed();
        if (!rest.startsWith(u'=')) {
            problem(QStringLiteral("\"=\" expected after the value name"));
            return std::nullopt;
        }
        rest = rest.sliced(1).trimmed();
        std::optional<SettingsValue> value = readData(rest);
        if (value)
            value->name = std::move(name);
        return value;
    }

    std::optional<SettingsValue> readData(QStringView data)
    {
        if (data.startsWith(u'"')) {
            qsizetype pos = 0;
            std::optional<QString> text = readQuoted(data, pos);
            if (!text) {
                problem(QStringLiteral("text without closing quote"));
                return std::nullopt;
            }
            SettingsValue value;
            value.type = SettingsValue::Type::String;
            value.text = std::move(*text);
            return value;
        }
        if (data.startsWith(u"dword:", Qt::CaseInsensitive)) {
            const QStringView digits = data.sliced(6).trimmed();
            bool ok = false;
            const uint number = digits.toUInt(&ok, 16);
            if (!ok || digits.size() > 8 || digits.startsWith(u'+') || digits.startsWith(u'-')) {
                problem(QStringLiteral("dword value is not 8 hexadecimal digits"));
                return std::nullopt;
            }
            SettingsValue value;
            value.type = SettingsValue::Type::Integer;
            value.integer = qint32(number);
            return value;
        }
        if (data.startsWith(u"hex", Qt::CaseInsensitive))
            return readHex(data.sliced(3));
        problem(QStringLiteral("unknown value form"));
        return std::nullopt;
    }

    // After "hex": either ":" or "(N):", then the byte list, which may go on
    // over lines ending in a backslash.
    std::optional<SettingsValue> readHex(QStringView data)
    {
        int type = RegBinary;
        if (data.startsWith(u'(')) {
            const qsizetype close = data.indexOf(u')');
            bool ok = false;
            type = close > 1 ? data.sliced(1, close - 1).toInt(&ok, 16) : 0;
            if (!ok) {
                problem(QStringLiteral("bad type number in hex(N)"));
                return std::nullopt;
            }
            data = data.sliced(close + 1);
        }
        if (!data.startsWith(u':')) {
            problem(QStringLiteral("\":\" expected after hex"));
            return std::nullopt;
        }
        QString list = data.sliced(1).toString();
        while (list.endsWith(u'\\') && m_index + 1 < m_lines.size()) {
            list.chop(1);
            ++m_index;
            list += current();
        }
        std::optional<QByteArray> bytes = readHexBytes(list);
        if (!bytes) {
            problem(QStringLiteral("bad byte in hex list"));
            return std::nullopt;
        }
        return typedValue(type, std::move(*bytes), m_ansi);
    }

    QList<QStringView> m_lines;
    bool m_ansi;
    QList<RegFile::Problem> *m_problems;
    qsizetype m_index = 0;
    int m_lineNumber = 0;
};

QString quoted(const QString &text)
{
    QString out = text;
    out.replace(u'\\', QStringLiteral("\\\\"));
    out.replace(u'"', QStringLiteral("\\\""));
    return u'"' + out + u'"';
}

// regedit's hex form: lower-case bytes, lines of at most 80 characters
// continued with a backslash and two blanks.
QString hexData(const QString &prefix, const QByteArray &bytes)
{
    QString out = prefix;
    qsizetype lineLength = prefix.size();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const bool last = i + 1 == bytes.size();
        out += QString::number(quint8(bytes[i]), 16).rightJustified(2, u'0');
        lineLength += 2;
        if (last)
            break;
        out += u',';
        ++lineLength;
        if (lineLength + 3 >= MaxLineLength) {
            out += QStringLiteral("\\\r\n  ");
            lineLength = 2;
        }
    }
    return out;
}

QString valueLine(const SettingsValue &value)
{
    const QString name = (value.name.isEmpty() ? QStringLiteral("@") : quoted(value.name)) + u'=';
    switch (value.type) {
    case SettingsValue::Type::String:
        // A line break or NUL cannot stand in a quoted text; regedit reads the hex form.
        if (value.text.contains(u'\n') || value.text.contains(u'\r') || value.text.contains(QChar(u'\0')))
            return hexData(name + QStringLiteral("hex(1):"), utf16le(value.text) + QByteArray(2, '\0'));
        return name + quoted(value.text);
    case SettingsValue::Type::Integer:
        return name + QStringLiteral("dword:") + QString::number(quint32(value.integer), 16).rightJustified(8, u'0');
    case SettingsValue::Type::Binary:
        return hexData(name + QStringLiteral("hex:"), value.bytes);
    case SettingsValue::Type::Other:
        return hexData(name + QStringLiteral("hex(%1):").arg(value.otherType, 0, 16), value.bytes);
    }
    return {};
}

} // namespace

std::optional<RegFile> RegFile::parse(QByteArrayView bytes, QList<Problem> *problems)
{
    bool ansi = false;
    QString text = decodeText(bytes, &ansi);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    const QStringView header = QStringView(text).left(text.indexOf(u'\n')).trimmed();
    if (header != Version5Header && header != Version4Header)
        return std::nullopt;
    RegFile file;
    Parser(text, ansi, problems).run(file);
    return file;
}

QByteArray RegFile::toBytes() const
{
    QString text = Version5Header.toString() + QStringLiteral("\r\n\r\n");
    for (const Section &section : sections) {
        text += u'[' + section.key + QStringLiteral("]\r\n");
        for (const SettingsValue &value : section.values)
            text += valueLine(value) + QStringLiteral("\r\n");
        text += QStringLiteral("\r\n");
    }
    return QByteArray("\xFF\xFE") + utf16le(text);
}

RegFile::Section *RegFile::find(QStringView key)
{
    for (Section &section : sections) {
        if (section.key.compare(key, Qt::CaseInsensitive) == 0)
            return &section;
    }
    return nullptr;
}

const RegFile::Section *RegFile::find(QStringView key) const
{
    return const_cast<RegFile *>(this)->find(key);
}
