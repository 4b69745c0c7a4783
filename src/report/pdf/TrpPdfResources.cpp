#include "report/pdf/TrpPdfResources.h"

#include "report/pdf/TrpPdfObjects.h"

#include <cmath>

TrpPdfResources::TrpPdfResources(TrpPdfObjects &objects)
    : m_objects(objects), m_fonts(objects), m_object(objects.reserve())
{}

QByteArray TrpPdfResources::image(const QImage &image, const QRect &part, bool smooth)
{
    const ImageKey key{image.cacheKey(), part, smooth};
    const auto found = m_images.constFind(key);
    if (found != m_images.cend())
        return *found;
    const QByteArray name = "Im" + QByteArray::number(m_images.size() + 1);
    const int object = writeImage(part == image.rect() ? image : image.copy(part), smooth);
    m_imageEntries += '/' + name + ' ' + QByteArray::number(object) + " 0 R";
    m_images.insert(key, name);
    return name;
}

int TrpPdfResources::writeImage(const QImage &image, bool smooth)
{
    const int object = m_objects.reserve();
    QByteArray entries = "/Type/XObject/Subtype/Image/Width " + QByteArray::number(image.width()) + "/Height " +
                         QByteArray::number(image.height()) + "/BitsPerComponent 8";
    if (smooth)
        entries += "/Interpolate true";
    const int width = image.width();
    const int height = image.height();
    QByteArray samples;
    if (image.hasAlphaChannel()) {
        // Colours as they show over white where transparent parts are
        // masked away: the mask carries the alpha.
        const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
        QByteArray alpha(qsizetype(width) * height, Qt::Uninitialized);
        samples.resize(qsizetype(width) * height * 3);
        char *rgb = samples.data();
        char *a = alpha.data();
        for (int y = 0; y < height; ++y) {
            const uchar *line = rgba.constScanLine(y);
            for (int x = 0; x < width; ++x, line += 4) {
                *rgb++ = char(line[0]);
                *rgb++ = char(line[1]);
                *rgb++ = char(line[2]);
                *a++ = char(line[3]);
            }
        }
        const int mask = m_objects.reserve();
        m_objects.addStream(mask,
                            "/Type/XObject/Subtype/Image/Width " + QByteArray::number(width) + "/Height " +
                                QByteArray::number(height) + "/BitsPerComponent 8/ColorSpace/DeviceGray",
                            alpha);
        entries += "/SMask " + QByteArray::number(mask) + " 0 R";
    }
    if (samples.isEmpty() && image.isGrayscale()) {
        const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
        samples.reserve(qsizetype(width) * height);
        for (int y = 0; y < height; ++y)
            samples.append(reinterpret_cast<const char *>(gray.constScanLine(y)), width);
        m_objects.addStream(object, entries + "/ColorSpace/DeviceGray", samples);
        return object;
    }
    if (samples.isEmpty()) {
        const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
        samples.reserve(qsizetype(width) * height * 3);
        for (int y = 0; y < height; ++y)
            samples.append(reinterpret_cast<const char *>(rgb.constScanLine(y)), qsizetype(width) * 3);
    }
    m_objects.addStream(object, entries + "/ColorSpace/DeviceRGB", samples);
    return object;
}

QByteArray TrpPdfResources::alphaState(qreal stroke, qreal fill)
{
    const auto level = [](qreal alpha) {
        return quint32(std::lround(qBound(0.0, alpha, 1.0) * 255));
    };
    const quint32 key = level(stroke) << 8 | level(fill);
    const auto found = m_states.constFind(key);
    if (found != m_states.cend())
        return *found;
    const QByteArray name = "GS" + QByteArray::number(m_states.size() + 1);
    m_stateEntries += '/' + name + "<</Type/ExtGState/CA " + TrpPdfObjects::number(level(stroke) / 255.0) + "/ca " +
                      TrpPdfObjects::number(level(fill) / 255.0) + ">>";
    m_states.insert(key, name);
    return name;
}

bool TrpPdfResources::finish(QString *error)
{
    if (!m_fonts.finish(error))
        return false;
    QByteArray fonts;
    // Faces are numbered in the order they were first met.
    for (int i = 0; i < m_fonts.faceCount(); ++i) {
        const TrpPdfFonts::Face &face = m_fonts.face(i);
        if (face.embedded)
            fonts += '/' + face.resource + ' ' + QByteArray::number(face.object) + " 0 R";
    }
    QByteArray body = "<</ProcSet[/PDF/Text/ImageB/ImageC]";
    if (!fonts.isEmpty())
        body += "/Font<<" + fonts + ">>";
    if (!m_imageEntries.isEmpty())
        body += "/XObject<<" + m_imageEntries + ">>";
    if (!m_stateEntries.isEmpty())
        body += "/ExtGState<<" + m_stateEntries + ">>";
    body += ">>";
    m_objects.add(m_object, body);
    return true;
}
