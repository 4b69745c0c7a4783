#include "plans/PackedText.h"

#include "base/Sjis.h"

namespace PackedText {

QString readCounted(QByteArrayView bytes, int offset, int capacity)
{
    const int length = qMin(int(uchar(bytes[offset])), capacity);
    return Sjis::decode(bytes.sliced(offset + 1, length));
}

QString readArea(QByteArrayView bytes, int offset, int size)
{
    QByteArrayView area = bytes.sliced(offset, size);
    const qsizetype end = area.indexOf('\0');
    return Sjis::decode(end < 0 ? area : area.first(end));
}

void writeCounted(QByteArray &bytes, int offset, int capacity, const QString &text)
{
    const QByteArray encoded = Sjis::cutBytes(Sjis::encode(text), capacity);
    bytes[offset] = char(encoded.size());
    bytes.replace(offset + 1, encoded.size(), encoded);
}

void writeArea(QByteArray &bytes, int offset, int size, const QString &text)
{
    QByteArray encoded = Sjis::encode(text);
    const qsizetype zero = encoded.indexOf('\0');
    if (zero >= 0)
        encoded.truncate(zero);
    encoded = Sjis::cutBytes(encoded, size - 1);
    bytes.replace(offset, encoded.size(), encoded);
}

} // namespace PackedText
