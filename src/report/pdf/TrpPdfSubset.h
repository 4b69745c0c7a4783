#pragma once

#include <QByteArray>
#include <QList>
#include <QRawFont>
#include <QString>

// A face cut down to some of its glyphs, in the form a PDF file embeds it.
namespace TrpPdfSubset {

enum class Program {
    TrueType, // the whole font file: FontFile2
    CidCff,   // the bare CID-keyed CFF table: FontFile3 /CIDFontType0C
    OpenType  // an OpenType font with name-keyed CFF outlines: FontFile3 /OpenType
};

struct Subset
{
    Program program = Program::TrueType;
    QByteArray data;
    // The font's PostScript name, without the subset tag.
    QByteArray name;
    // By the glyphs asked for, in their order: the glyph in the subset,
    // and the CID that a CIDFont selects it with (for TrueType the CID
    // goes through the CIDToGIDMap, for CFF through the font's charset).
    QList<quint32> newGlyphs;
    QList<quint32> cids;
};

// Whether the raw font's face has outlines that a PDF embeds (TrueType or
// CFF).
[[nodiscard]] bool embeddable(const QRawFont &font);

// The face of the raw font with the glyphs given (and .notdef), hinting
// dropped; false, with the reason, when it cannot be cut down.
[[nodiscard]] bool cut(const QRawFont &font, const QList<quint32> &glyphs, Subset *subset, QString *error);

} // namespace TrpPdfSubset
