#include "report/drawing/TrpTextComposer.h"

#include "report/drawing/TrpRecordingDevice.h"

#include <QVarLengthArray>

namespace {

// The most characters the text layout puts in one item; a longer text of
// one script is shaped, and drawn, in runs of this length.
constexpr qsizetype MaxRunLength = 4096;

// Characters that a CJK face shapes one glyph each, without marks that
// combine, letters that join or kern, controls or right-to-left text.
bool composable(char16_t c)
{
    if (c < 0x80)
        return c >= 0x20 && c < 0x7f && !((c | 0x20) >= 'a' && (c | 0x20) <= 'z');
    if (c >= 0x3000 && c <= 0x303f) // CJK symbols and punctuation
        return c < 0x302a || c > 0x302f;
    if (c >= 0x3041 && c <= 0x30ff) // kana
        return c != 0x3099 && c != 0x309a && c != 0x3097 && c != 0x3098;
    if ((c >= 0x4e00 && c <= 0x9fff) || (c >= 0x3400 && c <= 0x4dbf)) // ideographs
        return true;
    return c >= 0xff01 && c <= 0xffef; // full- and half-width forms
}

// A character of the script that a character common to scripts takes its
// shaping from, for laying it out in that script.
char16_t anchorOf(QChar::Script script)
{
    switch (script) {
    case QChar::Script_Han:
        return u'一';
    case QChar::Script_Hiragana:
        return u'あ';
    case QChar::Script_Katakana:
        return u'ア';
    case QChar::Script_Latin:
        return u'Ａ';
    default:
        return 0;
    }
}

bool common(char16_t c)
{
    return QChar::script(c) <= QChar::Script_Common;
}

// The script each character is shaped in, as the text layout itemizes a
// text: a character common to scripts takes the script of the one before
// it, at the start that of the first one after it. False when a script has
// no anchor.
bool resolveScripts(QStringView text, QChar::Script *scripts)
{
    qsizetype start = 0;
    QChar::Script script = QChar::Script_Common;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar::Script own = QChar::script(text[i].unicode());
        if (own == script || own <= QChar::Script_Common)
            continue;
        if (anchorOf(own) == 0)
            return false;
        if (script > QChar::Script_Common) {
            std::fill(scripts + start, scripts + i, script);
            start = i;
        }
        script = own;
    }
    std::fill(scripts + start, scripts + text.size(), script);
    return true;
}

bool sameLine(const TrpShapedLine &a, const TrpShapedLine &b)
{
    if (a.width != b.width || a.ascent != b.ascent || a.descent != b.descent || a.glyphs != b.glyphs)
        return false;
    for (qsizetype i = 0; i < a.glyphs.size(); ++i) {
        if (a.glyphs[i].boundingRect() != b.glyphs[i].boundingRect())
            return false;
    }
    return true;
}

} // namespace

TrpTextComposer::TrpTextComposer(const QFont &font)
    : m_font(font), m_device(std::make_unique<TrpRecordingDevice>(QSizeF(1, 1)))
{}

TrpTextComposer::~TrpTextComposer() = default;

TrpShapedLine TrpTextComposer::shaped(const QString &text) const
{
    return TrpTextShaping::shapeLine(text, m_font, Qt::LeftToRight, m_device.get());
}

std::optional<TrpShapedLine> TrpTextComposer::compose(QStringView text)
{
    QVarLengthArray<QChar::Script, 64> scripts(text.size());
    if (!fits(text, scripts.data()))
        return std::nullopt;
    return composed(text, scripts.data());
}

std::optional<qreal> TrpTextComposer::width(QStringView text)
{
    QVarLengthArray<QChar::Script, 64> scripts(text.size());
    if (!fits(text, scripts.data()))
        return std::nullopt;
    // Added up in the order the glyphs are placed.
    qreal x = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        x += glyph(text[i].unicode(), scripts[i]).advance;
    return x;
}

bool TrpTextComposer::fits(QStringView text, QChar::Script *scripts)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (!composable(c.unicode()))
            return false;
    }
    if (!resolveScripts(text, scripts))
        return false;
    const int face = glyph(text[0].unicode(), scripts[0]).face;
    if (face < 0)
        return false;
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (glyph(text[i].unicode(), scripts[i]).face != face ||
            !pairFits(text[i - 1].unicode(), scripts[i - 1], text[i].unicode(), scripts[i]))
            return false;
    }
    return true;
}

const TrpTextComposer::Glyph &TrpTextComposer::glyph(char16_t c, QChar::Script script)
{
    const quint32 key = quint32(c) | quint32(script) << 16;
    if (const auto known = m_glyphs.find(key); known != m_glyphs.end())
        return known->second;
    Glyph &made = m_glyphs[key];
    // A character common to scripts is laid out after one of the script it
    // takes, as it is in the texts.
    const char16_t anchor = common(c) && script > QChar::Script_Common ? anchorOf(script) : 0;
    qreal before = 0;
    if (anchor) {
        const Glyph &first = glyph(anchor, script);
        if (first.face < 0)
            return made;
        before = first.advance;
    }
    QString text;
    if (anchor)
        text += QChar(anchor);
    text += QChar(c);
    const TrpShapedLine line = shaped(text);
    if (line.glyphs.size() != 1 || line.glyphs[0].glyphIndexes().size() != text.size())
        return made;
    const QGlyphRun &run = line.glyphs[0];
    if (run.positions().last() != QPointF(before, 0))
        return made;
    const QRectF bounds = run.boundingRect();
    qsizetype face = 0;
    while (face < m_faces.size() && m_faces[face].font != run.rawFont())
        ++face;
    if (face == m_faces.size())
        m_faces.append({run.rawFont(), run.flags(), line.ascent, line.descent, bounds.top(), bounds.height()});
    const Face &known = m_faces[face];
    if (known.flags != run.flags() || known.ascent != line.ascent || known.descent != line.descent ||
        known.top != bounds.top() || known.height != bounds.height())
        return made;
    made = {run.glyphIndexes().last(), line.width - before, int(face)};
    return made;
}

bool TrpTextComposer::pairFits(char16_t first, QChar::Script firstScript, char16_t second, QChar::Script secondScript)
{
    const quint64 key =
        quint64(first) | quint64(second) << 16 | quint64(firstScript) << 32 | quint64(secondScript) << 40;
    if (const auto known = m_pairs.find(key); known != m_pairs.end())
        return known->second;
    // Laid out in the scripts they have in the text.
    QString text;
    if (common(first) && firstScript > QChar::Script_Common)
        text += QChar(anchorOf(firstScript));
    text += QChar(first);
    text += QChar(second);
    QVarLengthArray<QChar::Script, 4> scripts(text.size());
    bool fits = resolveScripts(text, scripts.data()) && scripts[text.size() - 2] == firstScript &&
                scripts[text.size() - 1] == secondScript;
    if (fits) {
        const int face = glyph(text[0].unicode(), scripts[0]).face;
        for (qsizetype i = 1; i < text.size(); ++i)
            fits = fits && face >= 0 && glyph(text[i].unicode(), scripts[i]).face == face;
    }
    if (fits) {
        fits = sameLine(composed(text, scripts.data()), shaped(text));
    }
    m_pairs.emplace(key, fits);
    return fits;
}

TrpShapedLine TrpTextComposer::composed(QStringView text, const QChar::Script *scripts)
{
    TrpShapedLine line;
    const Face &face = m_faces[glyph(text[0].unicode(), scripts[0]).face];
    line.ascent = face.ascent;
    line.descent = face.descent;
    qreal x = 0;
    qsizetype start = 0;
    while (start < text.size()) {
        // A run per script, as the layout makes one per item.
        qsizetype end = start + 1;
        while (end < text.size() && end - start < MaxRunLength && scripts[end] == scripts[start])
            ++end;
        QList<quint32> indexes;
        QList<QPointF> positions;
        indexes.reserve(end - start);
        positions.reserve(end - start);
        const qreal runStart = x;
        for (qsizetype i = start; i < end; ++i) {
            const Glyph &g = glyph(text[i].unicode(), scripts[i]);
            indexes.append(g.index);
            positions.append(QPointF(x, 0));
            x += g.advance;
        }
        QGlyphRun run;
        run.setRawFont(face.font);
        run.setFlags(face.flags);
        run.setGlyphIndexes(indexes);
        run.setPositions(positions);
        run.setBoundingRect(QRectF(runStart, face.top, x - runStart, face.height));
        line.glyphs.append(run);
        start = end;
    }
    line.width = x;
    return line;
}
