#include "report/files/TrpTextLine.h"

#include "report/files/TrpTemplateText.h"

bool TrpTextLine::parse(QString &error)
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

bool TrpTextLine::text(int index, QString &out, QString &error) const
{
    if (index >= count() || !m_args[index + 1].quoted) {
        error = QStringLiteral("%1 needs a quoted text").arg(keyword());
        return false;
    }
    out = m_args[index + 1].text;
    return true;
}

bool TrpTextLine::bare(int index, QString &out, QString &error) const
{
    if (index >= count() || m_args[index + 1].quoted) {
        error = QStringLiteral("%1 needs an unquoted word").arg(keyword());
        return false;
    }
    out = m_args[index + 1].text;
    return true;
}

bool TrpTextLine::real(int index, float &out, QString &error) const
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

bool TrpTextLine::integer(int index, qint64 &out, QString &error) const
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
