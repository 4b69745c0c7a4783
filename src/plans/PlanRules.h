#pragma once

#include "base/DateTime.h"

#include <QString>

#include <optional>
#include <span>

// The rules of the plan editor that need no window: text limits with their
// messages, the default end date and the places of the degree circles.
namespace PlanRules {

// The two wordings of a text limit: a one-line remark, or a memo and the
// problem, goal and programme lines.
enum class LimitText { Input, Line };

// Limits in Shift-JIS bytes.
inline constexpr int RemarkBytes = 40;
inline constexpr int EtcMemoBytes = 340;
inline constexpr int ShitsugoBytes = 50;
inline constexpr int DailyRemarkBytes = 78;
inline constexpr int SonotaBytes = 540;
inline constexpr int LineBytes = 36;
inline constexpr int DrMemoBytes = 540;

// "入力文字数がオーバーしています。\n半角40文字・全角20文字以内で入力してください。"
[[nodiscard]] QString limitMessage(LimitText wording, int limitBytes);
// The message when the text is longer than the limit, else nullopt.
[[nodiscard]] std::optional<QString> checkLength(const QString &text, int limitBytes, LimitText wording);

// Registration day + 3 calendar months (the day clamped to the month's
// end) - 1 day; the time of day is dropped.
[[nodiscard]] TDateTime defaultEndDate(TDateTime registDay);

// The left edges of the "○" over the printed scales of the three degrees.
inline constexpr int JiritsuLefts[] = {579, 619, 642, 661, 683, 703, 725, 745, 766};
inline constexpr int NinchiLefts[] = {579, 618, 643, 672, 701, 730, 753, 774};
inline constexpr int YoukaigoLefts[] = {619, 634, 711, 726, 742, 759, 774};

// The entry of a degree, or -1 for a degree the table lacks.
[[nodiscard]] int circleLeft(std::span<const int> lefts, int degree);

} // namespace PlanRules
