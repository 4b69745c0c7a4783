#include "report/expr/TrpExpander.h"

#include "report/expr/TrpDisplayFormat.h"
#include "report/expr/TrpValueLookup.h"

TrpExpander::TrpExpander(TrpValueLookup &lookup, qint32 format, QString formatText)
    : m_lookup(lookup), m_format(format), m_formatText(std::move(formatText))
{}

std::optional<QStringList> TrpExpander::expandLines(const QStringList &lines)
{
    QStringList out;
    for (const QString &line : lines) {
        if (line.isEmpty()) {
            out.append(QString());
            continue;
        }
        const std::optional<QString> expanded = expandLine(line);
        if (!expanded)
            return std::nullopt;
        out.append(splitLines(*expanded));
    }
    return out;
}

QStringList TrpExpander::splitLines(const QStringList &lines)
{
    QStringList out;
    for (const QString &line : lines)
        out.append(splitLines(line));
    return out;
}

std::optional<QString> TrpExpander::expandLine(const QString &source)
{
    QString line = source;
    qsizetype i = 0;
    while (i < line.size()) {
        if (line[i] != QLatin1Char('[')) {
            ++i;
            continue;
        }
        int depth = 0;
        qsizetype close = -1;
        for (qsizetype j = i; j < line.size(); ++j) {
            if (line[j] == QLatin1Char('['))
                ++depth;
            else if (line[j] == QLatin1Char(']') && --depth == 0) {
                close = j;
                break;
            }
        }
        if (close < 0)
            break;
        const std::optional<QString> text = expressionText(line.mid(i + 1, close - i - 1));
        if (!text)
            return std::nullopt;
        line.replace(i, close - i + 1, *text);
        i += text->size();
    }
    return line;
}

std::optional<QString> TrpExpander::expressionText(const QString &expression)
{
    TrpDisplayFormat format(m_format, m_formatText);
    QString name = expression;
    const qsizetype marker = expression.indexOf(QLatin1String(" #"));
    if (marker >= 0) {
        name = expression.left(marker);
        format = TrpDisplayFormat::parse(expression.mid(marker + 2), m_format);
    }
    const std::optional<Variant> value = m_lookup.lookup(name);
    if (!value) {
        m_error = m_lookup.error();
        return std::nullopt;
    }
    return format.apply(*value);
}

QStringList TrpExpander::splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size() || lines.isEmpty())
        lines.append(text.mid(start));
    return lines;
}
