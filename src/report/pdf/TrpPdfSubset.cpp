#include "report/pdf/TrpPdfSubset.h"

#include <QHash>

#include <fontconfig/fontconfig.h>
#include <hb-ot.h>
#include <hb-subset.h>

#include <memory>
#include <optional>

namespace {

template <typename T, void (*Destroy)(T *)> struct HbDeleter
{
    void operator()(T *p) const { Destroy(p); }
};
using Face = std::unique_ptr<hb_face_t, HbDeleter<hb_face_t, hb_face_destroy>>;
using Input = std::unique_ptr<hb_subset_input_t, HbDeleter<hb_subset_input_t, hb_subset_input_destroy>>;
using Plan = std::unique_ptr<hb_subset_plan_t, HbDeleter<hb_subset_plan_t, hb_subset_plan_destroy>>;
using Blob = std::unique_ptr<hb_blob_t, HbDeleter<hb_blob_t, hb_blob_destroy>>;

// The raw font's tables handed to HarfBuzz, each read once.
struct Tables
{
    QRawFont font;
    QHash<hb_tag_t, QByteArray> read;
};

hb_blob_t *referenceTable(hb_face_t *, hb_tag_t tag, void *data)
{
    auto *tables = static_cast<Tables *>(data);
    if (tag == 0)
        return hb_blob_get_empty();
    auto it = tables->read.find(tag);
    if (it == tables->read.end()) {
        const char name[5] = {char(tag >> 24), char(tag >> 16), char(tag >> 8), char(tag), 0};
        it = tables->read.insert(tag, tables->font.fontTable(name));
    }
    if (it->isEmpty())
        return hb_blob_get_empty();
    auto *bytes = new QByteArray(*it);
    return hb_blob_create(bytes->constData(), unsigned(bytes->size()), HB_MEMORY_MODE_READONLY, bytes,
                          [](void *p) { delete static_cast<QByteArray *>(p); });
}

// The face read from its own file, mapped rather than copied out of the
// raw font (the CJK faces hold 16 to 24 MB of outlines, of which a subset
// reads little): the file that fontconfig lists under the family whose
// head table is the raw font's. Null when there is none.
Face mappedFace(const QRawFont &font)
{
    const QByteArray head = font.fontTable("head");
    if (head.isEmpty())
        return {};
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(font.familyName().toUtf8().constData()));
    FcObjectSet *wanted = FcObjectSetBuild(FC_FILE, FC_INDEX, nullptr);
    FcFontSet *listed = FcFontList(nullptr, pattern, wanted);
    FcObjectSetDestroy(wanted);
    FcPatternDestroy(pattern);
    Face found;
    for (int i = 0; listed && i < listed->nfont && !found; ++i) {
        FcChar8 *file = nullptr;
        int index = 0;
        if (FcPatternGetString(listed->fonts[i], FC_FILE, 0, &file) != FcResultMatch ||
            FcPatternGetInteger(listed->fonts[i], FC_INDEX, 0, &index) != FcResultMatch)
            continue;
        const Blob blob(hb_blob_create_from_file_or_fail(reinterpret_cast<const char *>(file)));
        if (!blob)
            continue;
        Face face(hb_face_create(blob.get(), unsigned(index)));
        const Blob table(hb_face_reference_table(face.get(), HB_TAG('h', 'e', 'a', 'd')));
        unsigned length = 0;
        const char *data = hb_blob_get_data(table.get(), &length);
        if (QByteArrayView(data, qsizetype(length)) == QByteArrayView(head))
            found = std::move(face);
    }
    if (listed)
        FcFontSetDestroy(listed);
    return found;
}

QByteArray blobBytes(hb_blob_t *blob)
{
    const Blob owner(blob);
    unsigned length = 0;
    const char *data = hb_blob_get_data(blob, &length);
    return QByteArray(data, qsizetype(length));
}

QByteArray postScriptName(hb_face_t *face)
{
    char name[128];
    unsigned size = sizeof name;
    hb_ot_name_get_utf8(face, HB_OT_NAME_ID_POSTSCRIPT_NAME, HB_LANGUAGE_INVALID, &size, name);
    // PDF names may not hold delimiters or spaces.
    QByteArray out;
    for (unsigned i = 0; i < size; ++i) {
        const char c = name[i];
        if (c > ' ' && c < 127 && !QByteArray("()<>[]{}/%#").contains(c))
            out += c;
    }
    return out.isEmpty() ? QByteArray("Font") : out;
}

// The parts of a CFF table that decide how CIDs select its glyphs.
class Cff
{
public:
    explicit Cff(const QByteArray &data) : m_data(data) {}

    // Reads the top dictionary; false when the table is malformed.
    bool read()
    {
        if (m_data.size() < 4)
            return false;
        qsizetype pos = byte(2);
        const auto names = index(pos);
        if (!names)
            return false;
        const auto top = index(names->end);
        return top && top->first.end > top->first.begin && readDict(top->first.begin, top->first.end);
    }

    [[nodiscard]] bool cidKeyed() const { return m_cidKeyed; }

    // The CID of each glyph by the charset; empty when it cannot be read.
    [[nodiscard]] QList<quint32> cids(int glyphCount) const
    {
        QList<quint32> out;
        out.reserve(glyphCount);
        out.append(0);
        if (m_charset <= 2) {
            // A predefined charset: only name-keyed fonts have one.
            for (int g = 1; g < glyphCount; ++g)
                out.append(quint32(g));
            return out;
        }
        qsizetype pos = m_charset;
        const int format = byte(pos++);
        while (out.size() < glyphCount) {
            if (pos + 2 > m_data.size())
                return {};
            const quint32 first = word(pos);
            pos += 2;
            if (format == 0) {
                out.append(first);
                continue;
            }
            if (format != 1 && format != 2)
                return {};
            const int left = format == 1 ? byte(pos) : int(word(pos));
            pos += format;
            for (int k = 0; k <= left && out.size() < glyphCount; ++k)
                out.append(first + quint32(k));
        }
        return out;
    }

private:
    struct Span
    {
        qsizetype begin;
        qsizetype end;
    };

    int byte(qsizetype pos) const { return pos < m_data.size() ? quint8(m_data[pos]) : 0; }
    quint32 word(qsizetype pos) const { return quint32(byte(pos) << 8 | byte(pos + 1)); }
    quint32 offset(qsizetype pos, int size) const
    {
        quint32 v = 0;
        for (int i = 0; i < size; ++i)
            v = v << 8 | quint32(byte(pos + i));
        return v;
    }

    // The first entry of the INDEX at pos, and where the INDEX ends.
    struct Index
    {
        Span first;
        qsizetype end;
    };
    std::optional<Index> index(qsizetype pos) const
    {
        const int count = int(word(pos));
        if (count == 0)
            return Index{{pos + 2, pos + 2}, pos + 2};
        const int size = byte(pos + 2);
        if (size < 1 || size > 4)
            return std::nullopt;
        const qsizetype offsets = pos + 3;
        const qsizetype base = offsets + qsizetype(count + 1) * size - 1;
        const qsizetype end = base + offset(offsets + qsizetype(count) * size, size);
        if (end > m_data.size())
            return std::nullopt;
        return Index{{base + offset(offsets, size), base + offset(offsets + size, size)}, end};
    }

    bool readDict(qsizetype pos, qsizetype end)
    {
        QList<double> operands;
        while (pos < end) {
            const int b0 = byte(pos++);
            if (b0 <= 21) {
                const int op = b0 == 12 ? 1200 + byte(pos++) : b0;
                if (op == 1230)
                    m_cidKeyed = true;
                else if (op == 15 && !operands.isEmpty())
                    m_charset = qsizetype(operands.last());
                operands.clear();
            } else if (b0 == 28) {
                operands.append(qint16(word(pos)));
                pos += 2;
            } else if (b0 == 29) {
                operands.append(qint32(offset(pos, 4)));
                pos += 4;
            } else if (b0 == 30) {
                // Reals matter for nothing read here: skip their nibbles.
                while (pos < end && (byte(pos) & 0x0F) != 0x0F && (byte(pos) & 0xF0) != 0xF0)
                    ++pos;
                ++pos;
                operands.append(0);
            } else if (b0 >= 32 && b0 <= 246) {
                operands.append(b0 - 139);
            } else if (b0 >= 247 && b0 <= 250) {
                operands.append((b0 - 247) * 256 + byte(pos++) + 108);
            } else if (b0 >= 251 && b0 <= 254) {
                operands.append(-(b0 - 251) * 256 - byte(pos++) - 108);
            } else {
                return false;
            }
        }
        return m_charset >= 0 && m_charset < m_data.size();
    }

    const QByteArray &m_data;
    bool m_cidKeyed = false;
    qsizetype m_charset = 0;
};

constexpr hb_tag_t tag(const char (&name)[5])
{
    return HB_TAG(name[0], name[1], name[2], name[3]);
}

// The face of the raw font: its mapped file, or else its tables.
Face faceOf(const QRawFont &font)
{
    Face face = mappedFace(font);
    if (!face) {
        auto *tables = new Tables{font, {}};
        face.reset(hb_face_create_for_tables(referenceTable, tables, [](void *p) { delete static_cast<Tables *>(p); }));
    }
    return face;
}

bool hasTable(hb_face_t *face, const char (&name)[5])
{
    return hb_blob_get_length(Blob(hb_face_reference_table(face, tag(name))).get()) > 0;
}

// Whether the face has outlines a PDF embeds: TrueType or CFF.
bool hasOutlines(hb_face_t *face)
{
    return hasTable(face, "glyf") || hasTable(face, "CFF ");
}

} // namespace

bool TrpPdfSubset::embeddable(const QRawFont &font)
{
    return hasOutlines(faceOf(font).get());
}

bool TrpPdfSubset::cut(const QRawFont &font, const QList<quint32> &glyphs, Subset *subset, QString *error)
{
    const QString what = font.familyName() + QLatin1Char(' ') + font.styleName();
    const Face face = faceOf(font);
    if (!hasOutlines(face.get())) {
        *error = QStringLiteral("The font %1 cannot be embedded: only TrueType and OpenType fonts can").arg(what);
        return false;
    }
    const Input input(hb_subset_input_create_or_fail());
    if (!input) {
        *error = QStringLiteral("No memory to embed the font %1").arg(what);
        return false;
    }
    hb_set_t *keep = hb_subset_input_glyph_set(input.get());
    hb_set_add(keep, 0);
    for (const quint32 glyph : glyphs)
        hb_set_add(keep, glyph);
    // Shaping is done: layout tables go, and with them the glyphs they
    // would pull in; so do hints, which a PDF viewer does not use.
    hb_set_t *drop = hb_subset_input_set(input.get(), HB_SUBSET_SETS_DROP_TABLE_TAG);
    for (const hb_tag_t t : {tag("GSUB"), tag("GPOS"), tag("GDEF"), tag("BASE"), tag("JSTF"), tag("MATH"), tag("vhea"),
                             tag("vmtx"), tag("VORG"), tag("kern"), tag("DSIG")})
        hb_set_add(drop, t);
    hb_subset_input_set_flags(input.get(), HB_SUBSET_FLAGS_NO_HINTING);

    const Plan plan(hb_subset_plan_create_or_fail(face.get(), input.get()));
    const Face result(plan ? hb_subset_plan_execute_or_fail(plan.get()) : nullptr);
    if (!result) {
        *error = QStringLiteral("The font %1 cannot be cut down to the characters used").arg(what);
        return false;
    }
    const hb_map_t *newOf = hb_subset_plan_old_to_new_glyph_mapping(plan.get());
    subset->newGlyphs.clear();
    for (const quint32 glyph : glyphs) {
        const hb_codepoint_t g = hb_map_get(newOf, glyph);
        if (g == HB_MAP_VALUE_INVALID) {
            *error = QStringLiteral("The font %1 has no glyph %2").arg(what).arg(glyph);
            return false;
        }
        subset->newGlyphs.append(g);
    }
    subset->name = postScriptName(face.get());

    if (!hasTable(face.get(), "CFF ")) {
        subset->program = Program::TrueType;
        subset->data = blobBytes(hb_face_reference_blob(result.get()));
        subset->cids = glyphs;
        return true;
    }
    const QByteArray cff = blobBytes(hb_face_reference_table(result.get(), tag("CFF ")));
    Cff table(cff);
    if (!table.read()) {
        *error = QStringLiteral("The font %1 has outlines that cannot be read").arg(what);
        return false;
    }
    subset->cids.clear();
    if (table.cidKeyed()) {
        const QList<quint32> cidOf = table.cids(int(hb_face_get_glyph_count(result.get())));
        for (const quint32 g : std::as_const(subset->newGlyphs)) {
            if (g >= quint32(cidOf.size())) {
                *error = QStringLiteral("The font %1 has outlines that cannot be read").arg(what);
                return false;
            }
            subset->cids.append(cidOf[g]);
        }
        subset->program = Program::CidCff;
        subset->data = cff;
    } else {
        // Without a charset of CIDs, a CID is the glyph's index.
        subset->cids = subset->newGlyphs;
        subset->program = Program::OpenType;
        subset->data = blobBytes(hb_face_reference_blob(result.get()));
    }
    return true;
}
