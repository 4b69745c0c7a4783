#pragma once

#include "scheduling/TIMETABLE_ITEM.h"

#include <QRect>
#include <QString>

// How a slot stands on a work table: its label's place, colour and caption.
namespace FrameLook {

inline constexpr int ColumnCount = 31;
inline constexpr int ColumnWidth = 120;
inline constexpr int BoardHeight = 1560;
inline constexpr int HeaderHeight = 32;
inline constexpr int HourHeight = 120;
inline constexpr int FirstHour = 8;
inline constexpr int HourCount = 13;
// The lowest label drawn, so that every stored slot can be clicked.
inline constexpr int MinLabelHeight = 20;

// Colours as 0xRRGGBB.
inline constexpr unsigned HeaderColour = 0x00FFFF;
inline constexpr unsigned ColumnColour = 0xFFFFFF;
inline constexpr unsigned SaturdayColour = 0xFCE0F1;
inline constexpr unsigned SundayColour = 0xFCB6EB;

// The label within its column: two pixels a minute from 8:00, one pixel
// short of its length; held inside the board and at least MinLabelHeight
// tall.
[[nodiscard]] QRect FramePosition(const TIMETABLE_ITEM &item);
// Magenta for a slot that takes no one, green for one user, yellow for more.
[[nodiscard]] unsigned FrameColour(int capacity);
// "09.30 -> 40分", the name text, and the type word with the category
// letters; a type outside 0..3 or a negative code adds nothing.
[[nodiscard]] QString MakeFrameCaption(const TIMETABLE_ITEM &item, const QString &name, int kubunCode, int rihaType);
// The colour of a day header and its column: weekend days have their own.
[[nodiscard]] unsigned DayColour(TDateTime day, unsigned weekdayColour);

} // namespace FrameLook
