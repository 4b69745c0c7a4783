#include "report/drawing/TrpMetafileRecord.h"

#include <QImage>

#include <cmath>
#include <cstring>

float TrpMetafileRecord::f32(qsizetype offset)
{
    const quint32 bits = u32(offset);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return std::isfinite(value) ? float(qBound(-MaxFactor, double(value), MaxFactor)) : 0.0f;
}

QImage TrpMetafileRecord::dib(quint32 offBmi, quint32 cbBmi, quint32 offBits, quint32 cbBits) const
{
    const QByteArrayView bmi = bytes(offBmi, cbBmi);
    const QByteArrayView bits = bytes(offBits, cbBits);
    if (bmi.size() < 12 || bits.isEmpty())
        return {};
    // A bitmap file is the 14-byte file header, the info and the pixels.
    const quint32 fileSize = 14 + quint32(bmi.size()) + quint32(bits.size());
    const quint32 pixelOffset = 14 + quint32(bmi.size());
    QByteArray file;
    file.reserve(qsizetype(fileSize));
    file.append("BM", 2);
    for (const quint32 value : {fileSize, quint32(0), pixelOffset}) {
        for (int shift = 0; shift < 32; shift += 8)
            file.append(char((value >> shift) & 0xFF));
    }
    file.append(bmi.data(), bmi.size());
    file.append(bits.data(), bits.size());
    return QImage::fromData(file, "BMP");
}
