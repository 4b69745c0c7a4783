#pragma once

#include <QByteArray>

// The text that a PDF gives back when it is searched or copied. CJK fonts
// draw a radical and its ideograph (or a rare and a common punctuation
// mark, such as U+2027 and ・) with one glyph, and Qt's PDF writer maps each
// glyph back to the lowest code point that the font sends to it, so 山田
// comes back as the radicals ⼭⽥. The writer's ToUnicode maps are mended
// here to give the common characters.
namespace TrpPdfUnicode {

// The character that Japanese text means by a glyph that the code unit
// shares with it: the ideograph of a radical, the common one of two
// punctuation marks; other code units unchanged.
[[nodiscard]] char16_t commonCharacter(char16_t unit);

// The PDF with the shared glyphs of its ToUnicode maps given their common
// characters and its cross-reference table moved to match. A document
// that is not laid out the way Qt writes it comes back unchanged.
[[nodiscard]] QByteArray mended(const QByteArray &pdf);

} // namespace TrpPdfUnicode
