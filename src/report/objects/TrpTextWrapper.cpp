#include "report/objects/TrpTextWrapper.h"

#include "base/Sjis.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <vector>

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

} // namespace

// The widths of a text from its start up to each position, each cluster
// measured once; positions inside a cluster are no place to cut.
class TrpTextWrapper::Advances
{
public:
    Advances(const QString &text, const Measure &measure) : m_sums(text.size() + 1, 0.0), m_cuts(text.size() + 1)
    {
        if (std::all_of(text.begin(), text.end(), ownCluster)) {
            // The common case, found without the cost of a boundary finder.
            for (qsizetype i = 0; i < text.size(); ++i) {
                m_sums[i + 1] = m_sums[i] + std::max(0.0, measure(QStringView(text).mid(i, 1)));
                m_cuts[i + 1] = true;
            }
            m_cuts[0] = true;
            return;
        }
        QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, text);
        qsizetype start = 0;
        m_cuts[0] = true;
        for (qsizetype end = clusters.toNextBoundary(); end > 0; end = clusters.toNextBoundary()) {
            // A negative width (a letter spacing below nothing) counts as
            // none, so that the sums only grow.
            const double width = std::max(0.0, measure(QStringView(text).mid(start, end - start)));
            for (qsizetype k = start + 1; k <= end; ++k)
                m_sums[k] = m_sums[start];
            m_sums[end] += width;
            m_cuts[end] = true;
            start = end;
        }
    }

    [[nodiscard]] double width(qsizetype from, qsizetype to) const { return m_sums[to] - m_sums[from]; }

    // The most characters from `from` on that fit the width, ending
    // between clusters.
    [[nodiscard]] qsizetype fitting(qsizetype from, double width) const
    {
        const double limit = m_sums[from] + width;
        qsizetype to = std::upper_bound(m_sums.begin() + from, m_sums.end(), limit) - m_sums.begin() - 1;
        // Sums rounded apart: the piece itself must fit.
        while (to > from && (!m_cuts[to] || this->width(from, to) > width))
            --to;
        return std::max(to, from) - from;
    }

private:
    std::vector<double> m_sums;
    std::vector<bool> m_cuts;
};

bool TrpTextWrapper::ownCluster(QChar c)
{
    const char16_t u = c.unicode();
    // Printable ASCII and Latin letters, the CJK symbols before the marks
    // that combine (U+302A on), kana but the combining voiced marks, CJK
    // ideographs, full-width forms and half-width katakana before the
    // half-width voiced marks (U+FF9E, U+FF9F), which extend a cluster.
    return (u >= 0x20 && u < 0x7f) || (u >= 0xa0 && u < 0x250) || (u >= 0x3000 && u < 0x302a) ||
           (u >= 0x3041 && u < 0x3099) || (u >= 0x309b && u < 0x3100) || (u >= 0x3400 && u < 0x4dc0) ||
           (u >= 0x4e00 && u < 0xa000) || (u >= 0xff01 && u < 0xff9e);
}

TrpTextWrapper::TrpTextWrapper(Measure measure, double width, bool wordBreak)
    : m_measure(std::move(measure)), m_width(width), m_wordBreak(wordBreak)
{}

QList<TrpTextWrapper::Line> TrpTextWrapper::wrap(const QString &line) const
{
    QList<Line> out;
    if (!std::any_of(line.begin(), line.end(), isLineEnd)) {
        const Advances advances(line, m_measure);
        // Three UTF-16 units are at least two characters, two bytes.
        if ((line.size() < 3 && Sjis::byteLength(line) < 2) || advances.width(0, line.size()) <= m_width)
            out.append({line, true, line.size()});
        else
            wrapSegment(line, 0, advances, out);
        return out;
    }
    qsizetype start = 0;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        if (i < line.size() && !isLineEnd(line[i]))
            continue;
        const QString segment = line.mid(start, i - start);
        wrapSegment(segment, start, Advances(segment, m_measure), out);
        while (i + 1 < line.size() && isLineEnd(line[i + 1]))
            ++i;
        start = i + 1;
        out.last().next = std::min(start, line.size());
        if (start >= line.size())
            break;
    }
    return out;
}

void TrpTextWrapper::wrapSegment(const QString &text, qsizetype base, const Advances &advances, QList<Line> &out) const
{
    qsizetype from = 0;
    if (text.isEmpty()) {
        out.append({QString(), true, base});
        return;
    }
    const qsizetype first = out.size();
    while (from < text.size()) {
        const qsizetype fits = advances.fitting(from, m_width);
        if (from + fits >= text.size()) {
            out.append({text.mid(from), true, base + text.size()});
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
        if (m_wordBreak && hyphenate(text, advances, from, breakAt < 0 ? from : breakAt + 1, overflow, out, next)) {
            from = next;
            out.last().next = base + from;
            continue;
        }
        if (breakAt >= 0) {
            const bool blank = text[breakAt] == QLatin1Char(' ');
            out.append({text.mid(from, breakAt - from + (blank ? 0 : 1)), false, base + breakAt + 1});
            from = breakAt + 1;
            continue;
        }
        qsizetype length = fits;
        if (length == 0)
            length = (text[from].isHighSurrogate() && from + 1 < text.size()) ? 2 : 1;
        out.append({text.mid(from, length), false, base + from + length});
        from += length;
    }
    if (out.size() > first)
        out.last().paragraphEnd = true;
}

bool TrpTextWrapper::hyphenate(const QString &text, const Advances &advances, qsizetype from, qsizetype wordStart,
                               qsizetype overflow, QList<Line> &out, qsizetype &next) const
{
    // A cut that fits lies before the overflow, and its rule reads two bytes
    // past it: the word is read no further than a few characters beyond,
    // but far enough to have the length that allows hyphenation at all.
    const qsizetype readTo = std::max(overflow + 4, wordStart + 5);
    qsizetype wordEnd = wordStart;
    while (wordEnd < text.size() && wordEnd < readTo && !isBreak(text[wordEnd]))
        ++wordEnd;
    const QList<qsizetype> points = hyphenationPoints(QStringView(text).mid(wordStart, wordEnd - wordStart));
    const double hyphen = m_measure(u"-");
    for (qsizetype k = points.size() - 1; k >= 0; --k) {
        const qsizetype cut = wordStart + points[k];
        if (cut <= from)
            break;
        if (advances.width(from, cut) + hyphen <= m_width) {
            out.append({text.mid(from, cut - from) + QLatin1Char('-'), false});
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
