#pragma once

#include <QColor>

// Colours as the report files store them: Windows colour values $00BBGGRR,
// system colours with the high bit set, and one value for "no colour".
namespace TrpColor {

inline constexpr quint32 None = 0x1FFFFFFF;
inline constexpr quint32 Black = 0x000000;
inline constexpr quint32 White = 0xFFFFFF;

[[nodiscard]] inline bool isNone(quint32 color)
{
    return color == None;
}

// The colour to draw with. System colours take the usual light-theme
// values; a value whose high byte is neither 0, a palette flag nor the
// system flag keeps its low three bytes.
[[nodiscard]] QColor toQColor(quint32 color);

// A colour as stored: $00BBGGRR.
[[nodiscard]] quint32 fromQColor(const QColor &color);

} // namespace TrpColor
