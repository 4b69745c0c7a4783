#pragma once

#include "report/pdf/TrpPdfFonts.h"

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QList>
#include <QString>

class TrpPdfObjects;

// What the pages of a PDF document draw with: fonts, images and the
// graphics states that carry transparency. All pages share one resource
// dictionary, written at the end with everything the pages named.
class TrpPdfResources
{
public:
    explicit TrpPdfResources(TrpPdfObjects &objects);

    [[nodiscard]] TrpPdfFonts &fonts() { return m_fonts; }
    // The object number of the shared resource dictionary.
    [[nodiscard]] int object() const { return m_object; }

    // The name of the image's XObject, written on first use; the same image
    // (by its cache key and part) drawn again is written once.
    [[nodiscard]] QByteArray image(const QImage &image, const QRect &part, bool smooth);
    // The name of the graphics state with these stroke and fill alphas.
    [[nodiscard]] QByteArray alphaState(qreal stroke, qreal fill);

    // Writes the fonts and the dictionary; false, with the reason, when a
    // font cannot be embedded.
    [[nodiscard]] bool finish(QString *error);

private:
    int writeImage(const QImage &image, bool smooth);

    struct ImageKey
    {
        qint64 cacheKey;
        QRect part;
        bool smooth;
        bool operator==(const ImageKey &) const = default;
    };
    friend size_t qHash(const ImageKey &key, size_t seed) noexcept
    {
        return qHashMulti(seed, key.cacheKey, key.part.x(), key.part.y(), key.part.width(), key.part.height(),
                          key.smooth);
    }

    TrpPdfObjects &m_objects;
    TrpPdfFonts m_fonts;
    int m_object;
    QHash<ImageKey, QByteArray> m_images;
    QByteArray m_imageEntries;
    QHash<quint32, QByteArray> m_states;
    QByteArray m_stateEntries;
};
