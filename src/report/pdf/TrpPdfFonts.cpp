#include "report/pdf/TrpPdfFonts.h"

#include "report/pages/TrpPdfUnicode.h"
#include "report/pdf/TrpPdfCmap.h"
#include "report/pdf/TrpPdfObjects.h"
#include "report/pdf/TrpPdfSubset.h"

#include <QHash>
#include <QSet>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr qint32 NotUsed = -1;
constexpr qint32 NoCharacters = -2;
constexpr quint32 NotLooked = 0xFFFFFFFF;
// How far ahead of the last matched character a glyph's character is
// looked for: further than any ligature reaches.
constexpr int LookAhead = 32;

int be16(const QByteArray &table, qsizetype pos)
{
    if (pos + 2 > table.size())
        return 0;
    return quint8(table[pos]) << 8 | quint8(table[pos + 1]);
}

int signed16(const QByteArray &table, qsizetype pos)
{
    return qint16(quint16(be16(table, pos)));
}

struct CodePoint
{
    char32_t value;
    qsizetype from;
    qsizetype length;
};

// Glyph widths by CID as a W array, leaving out the default width (which
// must be whole: some viewers read any other as 1000).
QByteArray widthArray(QList<QPair<quint32, qreal>> widths, int *defaultWidth)
{
    const auto key = [](qreal width) {
        return qint64(std::llround(width * 10000));
    };
    QHash<qint64, int> counts;
    for (const auto &w : std::as_const(widths))
        ++counts[key(w.second)];
    qint64 common = 10000000;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.key() % 10000 == 0 && (it.value() > most || (it.value() == most && it.key() < common))) {
            most = it.value();
            common = it.key();
        }
    }
    *defaultWidth = int(common / 10000);
    std::sort(widths.begin(), widths.end());
    QByteArray out = "[";
    for (qsizetype i = 0; i < widths.size();) {
        if (key(widths[i].second) == common) {
            ++i;
            continue;
        }
        out += QByteArray::number(widths[i].first) + '[';
        for (quint32 next = widths[i].first;
             i < widths.size() && widths[i].first == next && key(widths[i].second) != common; ++i, ++next) {
            TrpPdfObjects::appendNumber(out, widths[i].second);
            out += ' ';
        }
        out[out.size() - 1] = ']';
    }
    return out + ']';
}

// The subset's tag: six capitals from the glyphs it holds.
QByteArray subsetTag(const QList<quint32> &glyphs, int object)
{
    quint32 hash = 2166136261u ^ quint32(object);
    for (const quint32 g : glyphs)
        hash = (hash ^ g) * 16777619u;
    QByteArray tag(6, 'A');
    for (char &c : tag) {
        c = char('A' + hash % 26);
        hash /= 26;
    }
    return tag;
}

// A face met: its tables, and the glyphs drawn with it and their characters.
struct FaceData
{
    QRawFont font;
    QString family;
    QString style;
    QByteArray head;
    TrpPdfFonts::Face face;

    double scale = 0; // font units to ten-thousandths of thousandths of an em
    // By glyph: the advance in thousandths of an em, rounded as the widths
    // are written.
    std::vector<qreal> widths;
    // By glyph: NotUsed, NoCharacters or the index of its characters in
    // texts, with the one code unit it stands for when it is one, which
    // settles most texts drawn again without a look at the characters.
    struct Use
    {
        qint32 text = NotUsed;
        char16_t single = 0;
    };
    std::vector<Use> uses;
    QList<QString> texts;
    // The glyph the font's cmap gives each character, looked up once.
    std::vector<quint32> bmp = std::vector<quint32>(0x10000, NotLooked);
    QHash<char32_t, quint32> astral;

    qreal width(quint32 glyph) const { return glyph < widths.size() ? widths[glyph] : 0; }

    quint32 lookUp(char32_t c)
    {
        QChar units[2];
        int count = 0;
        if (QChar::requiresSurrogates(c)) {
            units[count++] = QChar(QChar::highSurrogate(c));
            units[count++] = QChar(QChar::lowSurrogate(c));
        } else {
            units[count++] = QChar(char16_t(c));
        }
        quint32 glyphs[2] = {0, 0};
        int glyphCount = 2;
        if (!font.glyphIndexesForChars(units, count, glyphs, &glyphCount) || glyphCount < 1)
            return 0;
        return glyphs[0];
    }

    quint32 nominal(char32_t c)
    {
        if (c < 0x10000) {
            quint32 &glyph = bmp[c];
            if (glyph == NotLooked)
                glyph = lookUp(c);
            return glyph;
        }
        const auto it = astral.constFind(c);
        if (it != astral.constEnd())
            return *it;
        return *astral.insert(c, lookUp(c));
    }

    // The glyph stands for the characters: the first met keep it, unless
    // the first was a radical or rare mark and these are its common one.
    // False, recording nothing, for a glyph new to this font whose
    // characters another of its glyphs stands for.
    bool record(quint32 glyph, QStringView characters)
    {
        if (glyph >= uses.size())
            return true;
        Use &use = uses[glyph];
        if (glyph == 0 || characters.isEmpty()) {
            if (use.text == NotUsed)
                use.text = NoCharacters;
            return true;
        }
        const char16_t single = characters.size() == 1 ? characters[0].unicode() : 0;
        if (use.text < 0) {
            const QString text = characters.toString();
            if (held.contains(text))
                return use.text == NoCharacters;
            use.text = qint32(texts.size());
            use.single = single;
            texts.append(text);
            held.insert(text);
        } else if (single != 0 && use.single != 0 && use.single != single &&
                   TrpPdfUnicode::commonCharacter(use.single) == single && !held.contains(characters.toString())) {
            use.single = single;
            held.remove(texts[use.text]);
            texts[use.text] = characters.toString();
            held.insert(texts[use.text]);
        }
        return true;
    }

    [[nodiscard]] bool holds(quint32 glyph) const { return glyph < uses.size() && uses[glyph].text != NotUsed; }

    // The texts some glyph of this font stands for.
    QSet<QString> held;
    // The font of the same face that holds the glyphs this one cannot; -1
    // while there is none.
    int next = -1;
};

// The font descriptor: what a viewer needs to stand in for the font if it
// must, and where the font program is.
QByteArray descriptorOf(const FaceData &face, const QByteArray &name, const QByteArray &program)
{
    const QByteArray os2 = face.font.fontTable("OS/2");
    const QByteArray post = face.font.fontTable("post");
    const QByteArray hhea = face.font.fontTable("hhea");
    const auto units = [&](int v) {
        return TrpPdfObjects::number(std::round(v * face.scale) / 10000.0);
    };
    const double italic = signed16(post, 4) + be16(post, 6) / 65536.0;
    int flags = 4;
    if (be16(post, 12) != 0 || be16(post, 14) != 0)
        flags |= 1;
    if (italic != 0)
        flags |= 64;
    const int capHeight = be16(os2, 0) >= 2 && os2.size() >= 90 ? signed16(os2, 88) : signed16(hhea, 4);
    const int weight = os2.isEmpty() ? 400 : be16(os2, 4);
    return "<</Type/FontDescriptor/FontName/" + name + "/Flags " + QByteArray::number(flags) + "/FontBBox[" +
           units(signed16(face.head, 36)) + ' ' + units(signed16(face.head, 38)) + ' ' +
           units(signed16(face.head, 40)) + ' ' + units(signed16(face.head, 42)) + "]/ItalicAngle " +
           TrpPdfObjects::number(italic) + "/Ascent " + units(signed16(hhea, 4)) + "/Descent " +
           units(signed16(hhea, 6)) + "/CapHeight " + units(capHeight) + "/StemV " +
           QByteArray::number(50 + weight * weight / 4225) + program + ">>";
}

} // namespace

struct TrpPdfFonts::Private
{
    explicit Private(TrpPdfObjects &o) : objects(o) {}

    struct Known
    {
        QRawFont font;
        int face;
    };

    TrpPdfObjects &objects;
    std::vector<std::unique_ptr<FaceData>> faces;
    QList<Known> known;
    qsizetype lastKnown = -1;

    int newFace(const QRawFont &font, const QString &family, const QString &style, const QByteArray &head);
    // Records the glyph in the first font of the face that takes it.
    void record(FaceData *face, quint32 glyph, QStringView characters);
    bool write(FaceData &face, QString *error);
};

TrpPdfFonts::TrpPdfFonts(TrpPdfObjects &objects) : d(std::make_unique<Private>(objects)) {}

TrpPdfFonts::~TrpPdfFonts() = default;

int TrpPdfFonts::faceOf(const QRawFont &font)
{
    if (d->lastKnown >= 0 && d->known[d->lastKnown].font == font)
        return d->known[d->lastKnown].face;
    for (qsizetype i = 0; i < d->known.size(); ++i) {
        if (d->known[i].font == font) {
            d->lastKnown = i;
            return d->known[i].face;
        }
    }
    // A raw font not met yet: another size or another object of a face
    // met before, or a new face.
    const QString family = font.familyName();
    const QString style = font.styleName();
    const QByteArray head = font.fontTable("head");
    int index = -1;
    for (size_t i = 0; i < d->faces.size() && index < 0; ++i) {
        const FaceData &f = *d->faces[i];
        if (f.head == head && f.family == family && f.style == style)
            index = int(i);
    }
    if (index < 0)
        index = d->newFace(font, family, style, head);
    d->known.append({font, index});
    d->lastKnown = d->known.size() - 1;
    return index;
}

int TrpPdfFonts::Private::newFace(const QRawFont &font, const QString &family, const QString &style,
                                  const QByteArray &head)
{
    auto face = std::make_unique<FaceData>();
    face->font = font;
    face->family = family;
    face->style = style;
    face->head = head;
    face->face.resource = "F" + QByteArray::number(faces.size() + 1);
    const int unitsPerEm = be16(head, 18);
    face->scale = unitsPerEm > 0 ? 1.0e7 / unitsPerEm : 0;
    const int glyphCount = be16(font.fontTable("maxp"), 4);
    // Only the TrueType and OpenType forms have the table, and not all of
    // them outlines.
    face->face.embedded = glyphCount > 0 && TrpPdfSubset::embeddable(font);
    if (face->face.embedded)
        face->face.object = objects.reserve();
    // Read as the font engine reads it before it slants a face itself: the
    // italic or oblique bit of the style, or the italic bit of the head.
    const QByteArray os2 = font.fontTable("OS/2");
    face->face.slanted = os2.isEmpty() ? (be16(head, 44) & 2) != 0 : (be16(os2, 62) & 0x201) != 0;
    face->uses.resize(size_t(glyphCount));
    // Glyphs past the last full metric share its advance.
    const QByteArray hmtx = font.fontTable("hmtx");
    const int metrics = std::min<qsizetype>(be16(font.fontTable("hhea"), 34), hmtx.size() / 4);
    face->widths.resize(size_t(glyphCount));
    for (int g = 0; g < glyphCount && metrics > 0; ++g)
        face->widths[size_t(g)] =
            std::round(be16(hmtx, 4 * qsizetype(std::min(g, metrics - 1))) * face->scale) / 10000.0;
    faces.push_back(std::move(face));
    return int(faces.size() - 1);
}

void TrpPdfFonts::Private::record(FaceData *face, quint32 glyph, QStringView characters)
{
    while (!face->record(glyph, characters)) {
        if (face->next < 0) {
            // newFace() moves no face: the vector holds pointers.
            const int next = newFace(face->font, face->family, face->style, face->head);
            face->next = next;
        }
        face = faces[size_t(face->next)].get();
    }
}

int TrpPdfFonts::holderOf(int face, quint32 glyph) const
{
    for (int f = face; f >= 0; f = d->faces[size_t(f)]->next) {
        if (d->faces[size_t(f)]->holds(glyph))
            return f;
    }
    return face;
}

const TrpPdfFonts::Face &TrpPdfFonts::face(int index) const
{
    return d->faces[size_t(index)]->face;
}

int TrpPdfFonts::faceCount() const
{
    return int(d->faces.size());
}

qreal TrpPdfFonts::advance(int face, quint32 glyph) const
{
    return d->faces[size_t(face)]->width(glyph);
}

void TrpPdfFonts::useText(const QList<QGlyphRun> &runs, QStringView text)
{
    struct Glyph
    {
        FaceData *face;
        quint32 index;
        qreal x;
    };
    QVarLengthArray<Glyph, 128> glyphs;
    for (const QGlyphRun &run : runs) {
        FaceData *face = d->faces[size_t(faceOf(run.rawFont()))].get();
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < indexes.size(); ++i)
            glyphs.append({face, indexes[i], i < positions.size() ? positions[i].x() : 0});
    }
    // A layout gives one run per font, not in the order of the text, and
    // a font's run may hold glyphs on both sides of another's.
    if (runs.size() > 1)
        std::stable_sort(glyphs.begin(), glyphs.end(), [](const Glyph &a, const Glyph &b) { return a.x < b.x; });
    QVarLengthArray<CodePoint, 128> characters;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        characters.append({pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode(), i, pair ? 2 : 1});
        i += pair ? 1 : 0;
    }
    const qsizetype n = glyphs.size();
    const qsizetype m = characters.size();

    // Each glyph that is the font's own for a character takes it, in order.
    QVarLengthArray<qsizetype, 128> match(n, -1);
    QVarLengthArray<bool, 128> taken(m, false);
    qsizetype cursor = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype end = std::min(m, cursor + LookAhead);
        for (qsizetype j = cursor; j < end; ++j) {
            if (glyphs[i].face->nominal(characters[j].value) == glyphs[i].index) {
                match[i] = j;
                taken[j] = true;
                cursor = j + 1;
                break;
            }
        }
    }
    // As many glyphs as characters: the others go one to one.
    if (n == m) {
        for (qsizetype i = 0; i < n; ++i) {
            if (match[i] < 0 && !taken[i]) {
                match[i] = i;
                taken[i] = true;
            }
        }
    }
    const auto span = [&](qsizetype first, qsizetype last) {
        if (first > last)
            return QStringView();
        return text.mid(characters[first].from,
                        characters[last].from + characters[last].length - characters[first].from);
    };
    // Glyphs left over take the characters between their matched neighbours.
    qsizetype before = -1;
    for (qsizetype i = 0; i < n;) {
        if (match[i] >= 0) {
            d->record(glyphs[i].face, glyphs[i].index, span(match[i], match[i]));
            before = match[i];
            ++i;
            continue;
        }
        const qsizetype first = i;
        while (i < n && match[i] < 0)
            ++i;
        const qsizetype after = i < n ? match[i] : m;
        const qsizetype count = after - before - 1;
        for (qsizetype k = first; k < i; ++k) {
            QStringView characters;
            if (count == i - first)
                characters = span(before + 1 + (k - first), before + 1 + (k - first));
            else if (k == first)
                characters = span(before + 1, after - 1);
            d->record(glyphs[k].face, glyphs[k].index, characters);
        }
    }
}

bool TrpPdfFonts::finish(QString *error)
{
    for (const auto &face : d->faces) {
        if (face->face.embedded && !d->write(*face, error))
            return false;
    }
    return true;
}

bool TrpPdfFonts::Private::write(FaceData &face, QString *error)
{
    // .notdef too when it was drawn, so that its width is written.
    QList<quint32> glyphs;
    for (size_t g = 0; g < face.uses.size(); ++g) {
        if (face.uses[g].text != NotUsed)
            glyphs.append(quint32(g));
    }
    TrpPdfSubset::Subset subset;
    if (!TrpPdfSubset::cut(face.font, glyphs, &subset, error))
        return false;

    const QByteArray name = subsetTag(glyphs, face.face.object) + '+' + subset.name;
    QList<QPair<quint32, qreal>> widths;
    bool identity = true;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        widths.append({subset.cids[i], face.width(glyphs[i])});
        identity = identity && subset.cids[i] == glyphs[i];
    }
    int defaultWidth = 0;
    const QByteArray w = widthArray(widths, &defaultWidth);

    const int cidFont = objects.reserve();
    const int descriptor = objects.reserve();
    const int program = objects.reserve();
    const int toUnicode = objects.reserve();

    // The Type0 font: codes are glyph indexes; without a charset that
    // keeps a CFF glyph's index as its CID, a CMap gives the CIDs.
    QByteArray encoding = "/Identity-H";
    if (!identity) {
        const int cmap = objects.reserve();
        objects.addStream(cmap, TrpPdfCmap::cidEntries(), TrpPdfCmap::cids(glyphs, subset.cids));
        encoding = ' ' + QByteArray::number(cmap) + " 0 R";
    }
    objects.add(face.face.object, "<</Type/Font/Subtype/Type0/BaseFont/" + name + "/Encoding" + encoding +
                                      "/DescendantFonts[" + QByteArray::number(cidFont) + " 0 R]/ToUnicode " +
                                      QByteArray::number(toUnicode) + " 0 R>>");

    const bool trueType = subset.program == TrpPdfSubset::Program::TrueType;
    QByteArray cid = "<</Type/Font/Subtype/" + QByteArray(trueType ? "CIDFontType2" : "CIDFontType0") + "/BaseFont/" +
                     name + "/CIDSystemInfo<</Registry(Adobe)/Ordering(Identity)/Supplement 0>>/FontDescriptor " +
                     QByteArray::number(descriptor) + " 0 R/DW " + QByteArray::number(defaultWidth);
    if (w.size() > 2)
        cid += "/W" + w;
    if (trueType) {
        // CIDs are the face's glyph indexes; the map finds them in the subset.
        const int map = objects.reserve();
        const quint32 last = glyphs.isEmpty() ? 0 : glyphs.last();
        QByteArray data(2 * qsizetype(last + 1), '\0');
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            data[2 * glyphs[i]] = char(subset.newGlyphs[i] >> 8);
            data[2 * glyphs[i] + 1] = char(subset.newGlyphs[i]);
        }
        objects.addStream(map, {}, data);
        cid += "/CIDToGIDMap " + QByteArray::number(map) + " 0 R";
    }
    objects.add(cidFont, cid + ">>");

    objects.add(
        descriptor,
        descriptorOf(face, name, (trueType ? "/FontFile2 " : "/FontFile3 ") + QByteArray::number(program) + " 0 R"));
    switch (subset.program) {
    case TrpPdfSubset::Program::TrueType:
        objects.addStream(program, "/Length1 " + QByteArray::number(subset.data.size()), subset.data);
        break;
    case TrpPdfSubset::Program::CidCff:
        objects.addStream(program, "/Subtype/CIDFontType0C", subset.data);
        break;
    case TrpPdfSubset::Program::OpenType:
        objects.addStream(program, "/Subtype/OpenType", subset.data);
        break;
    }

    QList<QString> characters;
    for (const quint32 g : std::as_const(glyphs))
        characters.append(face.uses[g].text >= 0 ? face.texts[face.uses[g].text] : QString());
    objects.addStream(toUnicode, {}, TrpPdfCmap::toUnicode(glyphs, characters));
    return true;
}
