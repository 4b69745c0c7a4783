#pragma once

#include <QBitArray>
#include <QImage>
#include <QList>
#include <QSize>

#include <memory>

// The pictures of the speed buttons, kept in one list for each picture
// size and shared by every button whose pictures have that size: a slot a
// picture, the used slots marked in a bit set, so that a picture added
// takes the first slot another gave back.
class TGlyphList
{
public:
    explicit TGlyphList(QSize size) : m_size(size) {}

    // The list of that size; it lives while a holder of it does.
    [[nodiscard]] static std::shared_ptr<TGlyphList> forSize(QSize size);

    [[nodiscard]] QSize size() const { return m_size; }
    // The slot the picture is kept in; the picture must have the list's size.
    [[nodiscard]] int Add(const QImage &image);
    void Delete(int index);
    [[nodiscard]] const QImage &image(int index) const { return m_images[index]; }
    // Pictures kept, and slots in all (used or free).
    [[nodiscard]] int Count() const { return m_count; }
    [[nodiscard]] int slotCount() const { return int(m_images.size()); }

private:
    QSize m_size;
    QList<QImage> m_images;
    QBitArray m_used;
    int m_count = 0;
};
