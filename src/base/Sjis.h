#pragma once

#include <QByteArray>
#include <QString>

// Shift-JIS (code page 932) as the stored files and the text limits see it.
// A limit "半角20文字・全角10文字以内" is a limit of 20 bytes in this encoding.
namespace Sjis {

// A character that the code page lacks becomes "?"; when asked, the number
// of such characters is counted into *unmapped. The Windows mappings hold
// both ways: the wave dash and the full-width tilde both give 0x8160, which
// reads back as the full-width tilde (likewise minus, double bar, cent,
// pound and not sign).
[[nodiscard]] QByteArray encode(QStringView text, qsizetype *unmapped = nullptr);
// Never fails: a byte sequence that is no character becomes U+FFFD.
[[nodiscard]] QString decode(QByteArrayView bytes);
// True when every character of the text comes back unchanged from Shift-JIS
// (an emoji does not; neither does a character that reads back as another).
[[nodiscard]] bool holds(QStringView text);
// The length in half-width units: the encoded byte count.
[[nodiscard]] qsizetype byteLength(QStringView text);
// The longest head of the text whose encoding takes at most maxBytes bytes;
// a double-byte character is never split.
[[nodiscard]] QString cut(QStringView text, qsizetype maxBytes);
// Cuts the encoded bytes to maxBytes without splitting a double-byte character.
[[nodiscard]] QByteArray cutBytes(QByteArrayView bytes, qsizetype maxBytes);
// True for a byte that starts a double-byte character.
[[nodiscard]] bool isLeadByte(unsigned char byte);

// The trim of the stored texts: removes characters up to U+0020 (control
// characters and the ASCII blank) at the ends; the full-width blank U+3000 stays.
[[nodiscard]] QString trim(QStringView text);
[[nodiscard]] QString trimLeft(QStringView text);
[[nodiscard]] QString trimRight(QStringView text);

} // namespace Sjis
