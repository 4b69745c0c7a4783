#pragma once

#include <QByteArray>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QTransform>

class TrpDrawList;
class TrpPdfResources;

// Writes the drawing records of a prepared page as the content stream of a
// PDF page: texts as runs of the glyphs they were shaped into, lines,
// shapes and images as PDF paths and image objects, each state's clip and
// transform in a graphics state of its own.
class TrpPdfPageWriter
{
public:
    explicit TrpPdfPageWriter(TrpPdfResources &resources) : m_resources(resources) {}

    // The page's content, its records mapped by pageToPdf from page units
    // onto the PDF page (points, origin at the bottom left).
    [[nodiscard]] QByteArray content(const TrpDrawList &list, const QTransform &pageToPdf);

    // Texts drawn from one shaping share their glyph list: the fonts learn
    // a list's characters once. The lists are held by their data, so that
    // no other list takes an address seen.
    class SeenGlyphs
    {
    public:
        // Whether the list was seen; remembers it when not.
        bool seen(const QList<QGlyphRun> &runs);

    private:
        static constexpr qsizetype MaxHeld = 4096;
        QHash<const QGlyphRun *, QList<QGlyphRun>> m_held;
    };

private:
    TrpPdfResources &m_resources;
    SeenGlyphs m_seen;
};
