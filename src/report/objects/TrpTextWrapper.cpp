#include "report/objects/TrpTextWrapper.h"

#include "base/Sjis.h"

namespace {

bool isBreak(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char(',') || c == QLatin1Char('-') || c == QLatin1Char('.');
}

bool isLineEnd(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// The upper-case vowels and the hard and soft signs of code page 1251.
bool isVowel(quint8 b)
{
    return b == 168 || b == 192 || b == 197 || b == 200 || b == 206 || b == 211 || b == 219 || b == 221 || b == 222 ||
           b == 223;
}

bool isSign(quint8 b)
{
    return b == 218 || b == 220;
}

// A cut inside a surrogate pair moves before the pair.
qsizetype onCharacter(const QString &text, qsizetype at)
{
    if (at > 0 && at < text.size() && text[at].isLowSurrogate())
        return at - 1;
    return at;
}

} // namespace

TrpTextWrapper::TrpTextWrapper(Measure measure, double width, bool wordBreak)
    : m_measure(std::move(measure)), m_width(width), m_wordBreak(wordBreak)
{}

QList<TrpTextWrapper::Line> TrpTextWrapper::wrap(const QString &line) const
{
    QList<Line> out;
    const bool hasLineEnd = std::any_of(line.begin(), line.end(), isLineEnd);
    if (!hasLineEnd && (Sjis::byteLength(line) < 2 || m_measure(line) <= m_width)) {
        out.append({line, true});
        return out;
    }
    qsizetype start = 0;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        if (i < line.size() && !isLineEnd(line[i]))
            continue;
        wrapSegment(line.mid(start, i - start), out);
        while (i + 1 < line.size() && isLineEnd(line[i + 1]))
            ++i;
        start = i + 1;
        if (start >= line.size())
            break;
    }
    return out;
}

qsizetype TrpTextWrapper::fittingLength(const QString &text, qsizetype from) const
{
    qsizetype low = 0;
    qsizetype high = text.size() - from;
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (m_measure(QStringView(text).mid(from, mid)) <= m_width)
            low = mid;
        else
            high = mid - 1;
    }
    return onCharacter(text, from + low) - from;
}

void TrpTextWrapper::wrapSegment(const QString &text, QList<Line> &out) const
{
    qsizetype from = 0;
    if (text.isEmpty()) {
        out.append({QString(), true});
        return;
    }
    const qsizetype first = out.size();
    while (from < text.size()) {
        const qsizetype fits = fittingLength(text, from);
        if (from + fits >= text.size()) {
            out.append({text.mid(from), true});
            return;
        }
        const qsizetype overflow = from + fits;
        // The last break point that leaves a non-empty line that fits: a
        // blank may be the overflowing character itself, since it is dropped.
        qsizetype breakAt = -1;
        for (qsizetype j = overflow; j >= from; --j) {
            const bool blank = text[j] == QLatin1Char(' ');
            if (isBreak(text[j]) && (blank ? j > from : j < overflow)) {
                breakAt = j;
                break;
            }
        }
        qsizetype next = 0;
        if (m_wordBreak && hyphenate(text, from, breakAt < 0 ? from : breakAt + 1, out, next)) {
            from = next;
            continue;
        }
        if (breakAt >= 0) {
            const bool blank = text[breakAt] == QLatin1Char(' ');
            out.append({text.mid(from, breakAt - from + (blank ? 0 : 1)), false});
            from = breakAt + 1;
            continue;
        }
        qsizetype length = fits;
        if (length == 0)
            length = (text[from].isHighSurrogate() && from + 1 < text.size()) ? 2 : 1;
        out.append({text.mid(from, length), false});
        from += length;
    }
    if (out.size() > first)
        out.last().paragraphEnd = true;
}

bool TrpTextWrapper::hyphenate(const QString &text, qsizetype from, qsizetype wordStart, QList<Line> &out,
                               qsizetype &next) const
{
    qsizetype wordEnd = wordStart;
    while (wordEnd < text.size() && !isBreak(text[wordEnd]))
        ++wordEnd;
    const QList<qsizetype> points = hyphenationPoints(QStringView(text).mid(wordStart, wordEnd - wordStart));
    for (qsizetype k = points.size() - 1; k >= 0; --k) {
        const qsizetype cut = wordStart + points[k];
        if (cut <= from)
            break;
        const QString head = text.mid(from, cut - from) + QLatin1Char('-');
        if (m_measure(head) <= m_width) {
            out.append({head, false});
            next = cut;
            return true;
        }
    }
    return false;
}

QList<qsizetype> TrpTextWrapper::hyphenationPoints(QStringView word)
{
    QList<qsizetype> points;
    QByteArray bytes = Sjis::encode(word);
    const qsizetype n = bytes.size();
    if (n < 5)
        return points;
    // Character count before each byte offset, -1 inside a character.
    QList<qsizetype> characters(n + 1, -1);
    qsizetype count = 0;
    for (qsizetype i = 0; i < n; ++count) {
        characters[i] = count;
        const quint8 b = quint8(bytes[i]);
        if (b >= 'a' && b <= 'z')
            bytes[i] = char(b - 32);
        i += (Sjis::isLeadByte(b) && i + 1 < n) ? 2 : 1;
    }
    characters[n] = count;
    auto at = [&bytes](qsizetype oneBased) {
        return quint8(bytes[oneBased - 1]);
    };
    for (qsizetype i = 2; i <= n - 2; ++i) {
        const bool v0 = isVowel(at(i));
        const bool v1 = isVowel(at(i + 1));
        const bool v2 = isVowel(at(i + 2));
        const bool point = (v0 && v1) || (v2 && v0 && !v1) || (!v0 && !v1 && !isSign(at(i + 1)));
        if (point && characters[i] >= 0)
            points.append(characters[i]);
    }
    return points;
}
