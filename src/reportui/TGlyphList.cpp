#include "reportui/TGlyphList.h"

#include <QHash>

std::shared_ptr<TGlyphList> TGlyphList::forSize(QSize size)
{
    // Buttons live on the GUI thread alone.
    static QHash<QPair<int, int>, std::weak_ptr<TGlyphList>> lists;
    std::weak_ptr<TGlyphList> &slot = lists[{size.width(), size.height()}];
    std::shared_ptr<TGlyphList> list = slot.lock();
    if (!list) {
        list = std::make_shared<TGlyphList>(size);
        slot = list;
    }
    return list;
}

int TGlyphList::Add(const QImage &image)
{
    qsizetype index = 0;
    while (index < m_used.size() && m_used.testBit(index))
        ++index;
    if (index == m_used.size()) {
        m_used.resize(index + 1);
        m_images.append(QImage());
    }
    m_used.setBit(index);
    m_images[index] = image;
    ++m_count;
    return int(index);
}

void TGlyphList::Delete(int index)
{
    if (index < 0 || index >= m_used.size() || !m_used.testBit(index))
        return;
    m_used.clearBit(index);
    m_images[index] = QImage();
    --m_count;
}
