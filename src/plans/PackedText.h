#pragma once

#include <QByteArray>
#include <QString>

// The texts of the stored plan records: Shift-JIS bytes in fields of a fixed
// size. A counted text is a length byte and room for `capacity` bytes; an
// area is zero-terminated text in `size` bytes. Readers take what the field
// holds (a length byte over the capacity is clamped, an area without its
// zero is read whole, undecodable bytes become U+FFFD); writers cut on a
// character boundary and store "?" for a character Shift-JIS lacks.
namespace PackedText {

[[nodiscard]] QString readCounted(QByteArrayView bytes, int offset, int capacity);
[[nodiscard]] QString readArea(QByteArrayView bytes, int offset, int size);
void writeCounted(QByteArray &bytes, int offset, int capacity, const QString &text);
// Leaves room for the terminating zero.
void writeArea(QByteArray &bytes, int offset, int size, const QString &text);

} // namespace PackedText
