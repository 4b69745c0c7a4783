#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

// Kana readings are stored in half-width katakana, family and given name
// separated by one blank. Input methods commit hiragana or full-width
// katakana and the full-width blank; these turn such text into the stored form.

// Hiragana and full-width katakana become half-width katakana (a voiced or
// semi-voiced letter becomes its base letter followed by its mark), the long
// mark, the middle dot and the voiced marks (spacing or combining) their
// half-width forms, and the full-width blank U+3000 the ASCII blank. Every
// other character stays as it is.
[[nodiscard]] QString ToHalfWidthKana(QStringView text);

// A letter or mark of a kana reading in any of its forms: hiragana,
// full-width or half-width katakana, the long mark, the middle dot and the
// voiced marks. Blanks are not kana.
[[nodiscard]] bool IsKanaChar(QChar c);
