#pragma once

#include "base/DateTime.h"

#include <QString>

#include <optional>

// The checks of the slot dialogs on "設定": each gives the value read, or
// the message that the dialog shows in its error label.
namespace SlotEntryCheck {

inline constexpr char16_t StartTimeError[] = u"開始時間エラーです。";
// The longest slot; the results hold no more minutes either.
inline constexpr int MaxMinutes = 600;
inline constexpr char16_t TooManyMinutes[] = u"分は600分以下です。";

// "hh:mm" of the time box: a start from 8:00 to 20:59, as a time on
// 1899-12-30; nullopt for anything else.
[[nodiscard]] std::optional<TDateTime> startTime(QStringView text);
// The minutes box: 1 to 600. Empty when the text is valid, else the message.
[[nodiscard]] QString minutesError(QStringView text, int &minutes);
// A slot must end by 21:00, the board's last hour. Empty when it does,
// else the message.
[[nodiscard]] QString endError(TDateTime start, int minutes);

} // namespace SlotEntryCheck
