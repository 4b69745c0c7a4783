#pragma once

#include <QtGlobal>

// The text that a PDF gives back when it is searched or copied. CJK fonts
// draw a radical and its ideograph (or a rare and a common punctuation
// mark, such as U+2027 and ・) with one glyph, and a PDF maps each glyph to
// one text: mapped to the rare one, 山田 would come back as the radicals
// ⼭⽥, so a glyph met with both is mapped to the common one.
namespace TrpPdfUnicode {

// The character that Japanese text means by a glyph that the code unit
// shares with it: the ideograph of a radical, the common one of two
// punctuation marks; other code units unchanged.
[[nodiscard]] char16_t commonCharacter(char16_t unit);

} // namespace TrpPdfUnicode
