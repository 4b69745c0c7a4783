#include "report/pages/TrpPdfUnicode.h"

#include <QHash>
#include <QList>
#include <QString>

#include <algorithm>
#include <optional>

namespace {

struct Shared
{
    char16_t rare;
    char16_t common;
};

// Characters that the CJK fonts draw with the glyph of a character that
// Japanese text uses far more: punctuation, and the CJK supplement radicals
// with the glyph of their ideograph (the Kangxi radicals all decompose to
// theirs). Sorted by the rare character.
constexpr Shared SharedGlyphs[] = {
    {0x02BB, 0x2018}, {0x2003, 0x3000}, {0x2012, 0x2013}, {0x2027, 0x30FB}, {0x2035, 0xFF40}, {0x2215, 0xFF0F},
    {0x2329, 0x3008}, {0x232A, 0x3009}, {0x2E82, 0x4E5B}, {0x2E83, 0x4E5A}, {0x2E85, 0x4EBB}, {0x2E89, 0x5202},
    {0x2E8B, 0x353E}, {0x2E8E, 0x5140}, {0x2E8F, 0x5C23}, {0x2E90, 0x5C22}, {0x2E92, 0x5DF3}, {0x2E93, 0x5E7A},
    {0x2E94, 0x5F51}, {0x2E96, 0x5FC4}, {0x2E98, 0x624C}, {0x2E99, 0x6535}, {0x2E9B, 0x65E1}, {0x2E9E, 0x6B7A},
    {0x2E9F, 0x6BCD}, {0x2EA0, 0x6C11}, {0x2EA1, 0x6C35}, {0x2EA3, 0x706C}, {0x2EA4, 0x722B}, {0x2EA6, 0x4E2C},
    {0x2EA8, 0x72AD}, {0x2EAB, 0x7F52}, {0x2EAD, 0x793B}, {0x2EAF, 0x7CF9}, {0x2EB0, 0x7E9F}, {0x2EB1, 0x7F53},
    {0x2EB2, 0x7F52}, {0x2EB3, 0x34C1}, {0x2EB9, 0x8002}, {0x2EBA, 0x8080}, {0x2EBE, 0x8279}, {0x2EC2, 0x8864},
    {0x2EC3, 0x8980}, {0x2EC4, 0x897F}, {0x2EC5, 0x89C1}, {0x2EC8, 0x8BA0}, {0x2EC9, 0x8D1D}, {0x2ECB, 0x8F66},
    {0x2ECD, 0x8FB6}, {0x2ED0, 0x9485}, {0x2ED1, 0x9577}, {0x2ED2, 0x9578}, {0x2ED3, 0x957F}, {0x2ED6, 0x961D},
    {0x2ED8, 0x9752}, {0x2ED9, 0x97E6}, {0x2EDA, 0x9875}, {0x2EDB, 0x98CE}, {0x2EDC, 0x98DE}, {0x2EDF, 0x98E0},
    {0x2EE0, 0x9963}, {0x2EE2, 0x9A6C}, {0x2EE5, 0x9C7C}, {0x2EE6, 0x9E1F}, {0x2EE7, 0x5364}, {0x2EE8, 0x9EA6},
    {0x2EE9, 0x9EC4}, {0x2EEA, 0x9EFE}, {0x2EEB, 0x6589}, {0x2EEC, 0x9F50}, {0x2EED, 0x6B6F}, {0x2EEE, 0x9F7F},
    {0x2EEF, 0x7ADC}, {0x2EF0, 0x9F99}, {0x2EF2, 0x4E80}, {0x2EF3, 0x9F9F},
};
static_assert(std::is_sorted(std::begin(SharedGlyphs), std::end(SharedGlyphs),
                             [](const Shared &a, const Shared &b) { return a.rare < b.rare; }));

// Bytes [from, from + length) of the document become text.
struct Edit
{
    qsizetype from = 0;
    qsizetype length = 0;
    QByteArray text;
};

bool isSpace(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

qsizetype skipSpace(const QByteArray &text, qsizetype pos, qsizetype end)
{
    while (pos < end && isSpace(text[pos]))
        ++pos;
    return pos;
}

// A "<hex>" string of a CMap: where it lies and its code units.
struct HexString
{
    qsizetype begin = 0;
    qsizetype end = 0;
    QList<char16_t> units;
};

std::optional<HexString> readHex(const QByteArray &text, qsizetype pos, qsizetype end)
{
    if (pos >= end || text[pos] != '<')
        return std::nullopt;
    const qsizetype close = text.indexOf('>', pos);
    if (close < 0 || close >= end)
        return std::nullopt;
    const QByteArray digits = text.mid(pos + 1, close - pos - 1);
    if (digits.isEmpty() || digits.size() % 4 != 0)
        return std::nullopt;
    HexString hex{pos, close + 1, {}};
    for (qsizetype i = 0; i < digits.size(); i += 4) {
        bool ok = false;
        hex.units.append(char16_t(digits.mid(i, 4).toUInt(&ok, 16)));
        if (!ok)
            return std::nullopt;
    }
    return hex;
}

QByteArray hexText(const QList<char16_t> &units)
{
    QByteArray text = "<";
    for (const char16_t unit : units)
        text += QByteArray::number(unit, 16).toUpper().rightJustified(4, '0');
    return text + '>';
}

// The units with each radical replaced; true when one was.
bool mapUnits(QList<char16_t> &units)
{
    bool changed = false;
    for (char16_t &unit : units) {
        const char16_t mapped = TrpPdfUnicode::commonCharacter(unit);
        changed = changed || mapped != unit;
        unit = mapped;
    }
    return changed;
}

// Mends the entries between "begin<kind>" and "end<kind>"; false when the
// map cannot be read.
bool mendSections(const QByteArray &cmap, const QByteArray &kind, QList<Edit> &edits)
{
    const QByteArray begin = "begin" + kind;
    const QByteArray end = "end" + kind;
    const bool ranges = kind == "bfrange";
    qsizetype pos = 0;
    while ((pos = cmap.indexOf(begin, pos)) >= 0) {
        pos += begin.size();
        const qsizetype stop = cmap.indexOf(end, pos);
        if (stop < 0)
            return false;
        while ((pos = skipSpace(cmap, pos, stop)) < stop) {
            const auto low = readHex(cmap, pos, stop);
            if (!low)
                return false;
            pos = skipSpace(cmap, low->end, stop);
            std::optional<HexString> high;
            if (ranges) {
                high = readHex(cmap, pos, stop);
                if (!high || high->units.size() != low->units.size() || high->units.last() < low->units.last())
                    return false;
                pos = skipSpace(cmap, high->end, stop);
            }
            if (ranges && pos < stop && cmap[pos] == '[') {
                pos = skipSpace(cmap, pos + 1, stop);
                while (pos < stop && cmap[pos] != ']') {
                    auto target = readHex(cmap, pos, stop);
                    if (!target)
                        return false;
                    if (mapUnits(target->units))
                        edits.append({target->begin, target->end - target->begin, hexText(target->units)});
                    pos = skipSpace(cmap, target->end, stop);
                }
                if (pos >= stop)
                    return false;
                ++pos;
                continue;
            }
            const auto target = readHex(cmap, pos, stop);
            if (!target)
                return false;
            pos = target->end;
            const int count = ranges ? high->units.last() - low->units.last() + 1 : 1;
            // A range maps to consecutive code points; once one of them is
            // a radical the range is written out as a list.
            QByteArray list = "[";
            bool changed = false;
            for (int i = 0; i < count; ++i) {
                QList<char16_t> units = target->units;
                units.last() = char16_t(units.last() + i);
                changed = mapUnits(units) || changed;
                list += hexText(units) + (i + 1 < count ? " " : "]");
            }
            if (changed)
                edits.append(
                    {target->begin, target->end - target->begin, ranges ? list : list.mid(1, list.size() - 2)});
        }
        pos = stop + end.size();
    }
    return true;
}

QByteArray applied(const QByteArray &text, QList<Edit> edits)
{
    std::sort(edits.begin(), edits.end(), [](const Edit &a, const Edit &b) { return a.from < b.from; });
    QByteArray result;
    qsizetype growth = 0;
    for (const Edit &edit : edits)
        growth += edit.text.size() - edit.length;
    result.reserve(text.size() + std::max<qsizetype>(growth, 0));
    qsizetype pos = 0;
    for (const Edit &edit : edits) {
        result.append(text.constData() + pos, edit.from - pos);
        result.append(edit.text);
        pos = edit.from + edit.length;
    }
    result.append(text.constData() + pos, text.size() - pos);
    return result;
}

// The CMap with its radicals replaced; empty when nothing changes or the
// map cannot be read.
QByteArray mendedCMap(const QByteArray &cmap)
{
    QList<Edit> edits;
    if (!mendSections(cmap, "bfrange", edits) || !mendSections(cmap, "bfchar", edits) || edits.isEmpty())
        return {};
    return applied(cmap, edits);
}

// Reads the digits at pos; -1 when there are none.
qint64 numberAt(const QByteArray &text, qsizetype pos, qsizetype *end = nullptr)
{
    qsizetype stop = pos;
    while (stop < text.size() && text[stop] >= '0' && text[stop] <= '9')
        ++stop;
    if (end)
        *end = stop;
    if (stop == pos || stop - pos > 12)
        return -1;
    return text.mid(pos, stop - pos).toLongLong();
}

// An in-use entry of the cross-reference table.
struct XrefEntry
{
    qsizetype position = 0; // of its ten offset digits
    qint64 offset = 0;
};

struct Document
{
    qsizetype startXrefDigits = 0;
    qsizetype startXrefEnd = 0;
    qint64 xrefOffset = 0;
    QHash<int, XrefEntry> objects;
};

std::optional<Document> readXref(const QByteArray &pdf)
{
    Document document;
    const qsizetype keyword = pdf.lastIndexOf("startxref");
    if (keyword < 0)
        return std::nullopt;
    document.startXrefDigits = skipSpace(pdf, keyword + 9, pdf.size());
    document.xrefOffset = numberAt(pdf, document.startXrefDigits, &document.startXrefEnd);
    if (document.xrefOffset < 0 || document.xrefOffset >= keyword || pdf.mid(document.xrefOffset, 4) != "xref")
        return std::nullopt;
    qsizetype pos = skipSpace(pdf, document.xrefOffset + 4, keyword);
    while (pos < keyword && !pdf.mid(pos, 7).startsWith("trailer")) {
        qsizetype end = 0;
        const qint64 first = numberAt(pdf, pos, &end);
        const qint64 count = numberAt(pdf, end + 1, &end);
        if (first < 0 || count < 0)
            return std::nullopt;
        pos = skipSpace(pdf, end, keyword);
        for (qint64 i = 0; i < count; ++i, pos += 20) {
            if (pos + 20 > keyword)
                return std::nullopt;
            if (pdf[pos + 17] == 'n')
                document.objects.insert(int(first + i), {pos, numberAt(pdf, pos)});
        }
        pos = skipSpace(pdf, pos, keyword);
    }
    return document;
}

// The numbers of the objects that fonts name as their ToUnicode maps.
QList<int> toUnicodeObjects(const QByteArray &pdf)
{
    static const QByteArray key = "/ToUnicode";
    QList<int> numbers;
    for (qsizetype pos = pdf.indexOf(key); pos >= 0; pos = pdf.indexOf(key, pos + key.size())) {
        const qint64 number = numberAt(pdf, skipSpace(pdf, pos + key.size(), pdf.size()));
        if (number >= 0 && !numbers.contains(int(number)))
            numbers.append(int(number));
    }
    return numbers;
}

// Edits the map in an object's unfiltered stream with a direct length;
// other objects stay as they are.
void mendStream(const QByteArray &pdf, qint64 offset, QList<Edit> &edits)
{
    const qsizetype keyword = pdf.indexOf("stream", offset);
    if (keyword < 0)
        return;
    const QByteArray dictionary = pdf.mid(offset, keyword - offset);
    qsizetype lengthKey = dictionary.indexOf("/Length");
    while (lengthKey >= 0 && lengthKey + 7 < dictionary.size() && !isSpace(dictionary[lengthKey + 7]))
        lengthKey = dictionary.indexOf("/Length", lengthKey + 7);
    if (lengthKey < 0 || dictionary.contains("/Filter") || dictionary.contains("endobj"))
        return;
    qsizetype lengthEnd = 0;
    const qsizetype lengthDigits = skipSpace(dictionary, lengthKey + 7, dictionary.size());
    const qint64 length = numberAt(dictionary, lengthDigits, &lengthEnd);
    const qsizetype afterLength = skipSpace(dictionary, lengthEnd, dictionary.size());
    if (length < 0 ||
        (afterLength < dictionary.size() && dictionary[afterLength] >= '0' && dictionary[afterLength] <= '9'))
        return; // an indirect length
    qsizetype data = keyword + 6;
    if (pdf.mid(data, 2) == "\r\n")
        data += 2;
    else if (data < pdf.size() && pdf[data] == '\n')
        data += 1;
    else
        return;
    if (data + length > pdf.size() || !pdf.mid(data + length, 12).contains("endstream"))
        return;
    const QByteArray mended = mendedCMap(pdf.mid(data, length));
    if (mended.isEmpty())
        return;
    edits.append({offset + lengthDigits, lengthEnd - lengthDigits, QByteArray::number(mended.size())});
    edits.append({data, length, mended});
}

} // namespace

namespace TrpPdfUnicode {

char16_t commonCharacter(char16_t unit)
{
    if (unit >= 0x2F00 && unit <= 0x2FDF) {
        const QString decomposed = QString(QChar(unit)).normalized(QString::NormalizationForm_KC);
        return decomposed.size() == 1 ? decomposed.front().unicode() : unit;
    }
    const auto *found = std::lower_bound(std::begin(SharedGlyphs), std::end(SharedGlyphs), unit,
                                         [](const Shared &shared, char16_t rare) { return shared.rare < rare; });
    return found != std::end(SharedGlyphs) && found->rare == unit ? found->common : unit;
}

QByteArray mended(const QByteArray &pdf)
{
    const std::optional<Document> document = readXref(pdf);
    if (!document)
        return pdf;
    QList<Edit> edits;
    for (const int number : toUnicodeObjects(pdf)) {
        const auto object = document->objects.constFind(number);
        if (object != document->objects.constEnd())
            mendStream(pdf, object->offset, edits);
    }
    if (edits.isEmpty())
        return pdf;

    // Every object after a longer map moves by the bytes added before it.
    auto moved = [&edits](qint64 offset) {
        qint64 shift = 0;
        for (const Edit &edit : edits) {
            if (edit.from < offset)
                shift += edit.text.size() - edit.length;
        }
        return offset + shift;
    };
    QList<Edit> all = edits;
    for (const XrefEntry &entry : document->objects)
        all.append({entry.position, 10, QByteArray::number(moved(entry.offset)).rightJustified(10, '0')});
    all.append({document->startXrefDigits, document->startXrefEnd - document->startXrefDigits,
                QByteArray::number(moved(document->xrefOffset))});
    return applied(pdf, all);
}

} // namespace TrpPdfUnicode
