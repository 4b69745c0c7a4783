#pragma once

#include "report/drawing/TrpTextShaping.h"

#include <QChar>
#include <QFont>
#include <QRawFont>

#include <memory>
#include <optional>
#include <unordered_map>

class TrpRecordingDevice;

// Lays out texts of one font as TrpTextShaping::shapeLine does on a
// recording device, from the glyphs of their single characters: most texts
// of a list (numbers, dates, amounts, names in kanji and kana) are new, and
// a layout of its own costs each many times what putting glyphs side by
// side does. Only characters that shape alone as they do beside others are
// composed (digits, ASCII punctuation and space, ideographs, kana, full- and
// half-width forms, CJK symbols), all from the font's own face, and each
// pair of neighbours is laid out once to see that it shapes as its two
// characters alone do.
class TrpTextComposer
{
public:
    explicit TrpTextComposer(const QFont &font);
    ~TrpTextComposer();

    // The text laid out as shapeLine() lays it out left to right (or in
    // the direction of its first strong character, which runs left to
    // right in every text composed); nullopt
    // when it has a character that is not composed here, comes from
    // another face or shapes otherwise beside its neighbour.
    [[nodiscard]] std::optional<TrpShapedLine> compose(QStringView text);
    // The advance of the text as compose() lays it out, which is what font
    // metrics measure; nullopt where compose() gives nullopt.
    [[nodiscard]] std::optional<qreal> width(QStringView text);

private:
    struct Glyph
    {
        quint32 index = 0;
        qreal advance = 0;
        // Among m_faces; -1 when the character is not composed.
        int face = -1;
    };
    struct Face
    {
        QRawFont font;
        QGlyphRun::GlyphRunFlags flags;
        qreal ascent;
        qreal descent;
        qreal top;
        qreal height;
    };

    // Whether the text is composed, with the script of each character.
    bool fits(QStringView text, QChar::Script *scripts);
    const Glyph &glyph(char16_t c, QChar::Script script);
    bool pairFits(char16_t first, QChar::Script firstScript, char16_t second, QChar::Script secondScript);
    // The layout from the characters' glyphs, unchecked.
    TrpShapedLine composed(QStringView text, const QChar::Script *scripts);
    TrpShapedLine shaped(const QString &text) const;

    QFont m_font;
    std::unique_ptr<TrpRecordingDevice> m_device;
    QList<Face> m_faces;
    std::unordered_map<quint32, Glyph> m_glyphs;
    std::unordered_map<quint64, bool> m_pairs;
};
