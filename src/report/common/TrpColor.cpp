#include "report/common/TrpColor.h"

namespace TrpColor {

namespace {

// The system colour indexes of the Windows colour table, as a light theme
// shows them. Indexes past the table are black.
constexpr quint32 SystemColors[] = {
    0xC8D0D4, // scroll bar
    0xA56E3A, // background
    0x6A240A, // active caption
    0x808080, // inactive caption
    0xC8D0D4, // menu
    0xFFFFFF, // window
    0x000000, // window frame
    0x000000, // menu text
    0x000000, // window text
    0xFFFFFF, // caption text
    0xC8D0D4, // active border
    0xC8D0D4, // inactive border
    0x808080, // application work space
    0x6A240A, // highlight
    0xFFFFFF, // highlighted text
    0xC8D0D4, // button face
    0x808080, // button shadow
    0x808080, // gray text
    0x000000, // button text
    0xC8D0D4, // inactive caption text
    0xFFFFFF, // button highlight
    0x404040, // 3-D dark shadow
    0xC8D0D4, // 3-D light
    0x000000, // info text
    0xE1FFFF, // info background
};

QColor fromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

} // namespace

QColor toQColor(quint32 color)
{
    if (color & 0x80000000u) {
        const quint32 index = color & 0xFF;
        return fromBgr(index < std::size(SystemColors) ? SystemColors[index] : 0);
    }
    return fromBgr(color & 0xFFFFFF);
}

quint32 fromQColor(const QColor &color)
{
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}

} // namespace TrpColor
