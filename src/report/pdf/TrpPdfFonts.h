#pragma once

#include <QByteArray>
#include <QGlyphRun>
#include <QList>
#include <QRawFont>
#include <QString>

#include <memory>

class TrpPdfObjects;

// The fonts of a PDF document: every face drawn with is embedded once, cut
// down to the glyphs used, as a composite font whose two-byte codes are the
// face's own glyph indexes (Identity-H), with widths and a ToUnicode map
// that gives back the characters each glyph was drawn for.
class TrpPdfFonts
{
public:
    explicit TrpPdfFonts(TrpPdfObjects &objects);
    ~TrpPdfFonts();
    TrpPdfFonts(const TrpPdfFonts &) = delete;
    TrpPdfFonts &operator=(const TrpPdfFonts &) = delete;

    struct Face
    {
        // The font's resource name in page resources, e.g. "F1".
        QByteArray resource;
        // The object number of the font dictionary (written by finish());
        // 0 for a face not embedded.
        int object = 0;
        // False for a face whose file a PDF cannot embed (Type 1, or no
        // outlines): its glyphs are drawn as shapes, and the face is not
        // written.
        bool embedded = true;
        // Whether the face's own glyphs slant (an italic or oblique face).
        bool slanted = false;
    };

    // The face a raw font draws with; the same face at any size, and any
    // raw font of it, gives the same one.
    [[nodiscard]] int faceOf(const QRawFont &font);
    [[nodiscard]] const Face &face(int index) const;
    [[nodiscard]] int faceCount() const;

    // Records the glyphs that a text was drawn with (its runs, in order)
    // and the characters each stands for.
    void useText(const QList<QGlyphRun> &runs, QStringView text);

    // The face whose font holds the glyph drawn with the face: a glyph that
    // stands for characters another glyph of the face already stands for
    // goes into a second font of the same face, since readers that name
    // glyphs by their characters (print queues that make PostScript of a
    // page) would give the two one name and one of them a wrong text.
    [[nodiscard]] int holderOf(int face, quint32 glyph) const;

    // A glyph's advance as the embedded font's widths give it, in
    // thousandths of an em.
    [[nodiscard]] qreal advance(int face, quint32 glyph) const;

    // Writes every face used that can be embedded; false, with the reason,
    // when one of them cannot be cut down.
    [[nodiscard]] bool finish(QString *error);

private:
    struct Private;
    std::unique_ptr<Private> d;
};
