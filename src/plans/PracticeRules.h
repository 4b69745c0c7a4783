#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The rules of the practice plan editor and its cell pickers that need no
// window: text limits, the HDS-R score, the evaluation letters laid out for
// a cell, the target period, the marks.
namespace PracticeRules {

// Limits in Shift-JIS bytes.
inline constexpr int HeaderMemoBytes = 254; // KenkouMemo, GapeiMemo, SeikatsuMemo
inline constexpr int EtcEditBytes = 38;
inline constexpr int LineBytes = 98; // the life edits and the six remark memos
inline constexpr int CellBytes = 58; // Goods, Kaigo
inline constexpr int TimeBytes = 8;
inline constexpr int AreaBytes = 1000;

// An empty evaluation cell, period or mark: one full-width space.
inline constexpr QStringView EmptyCell = u"　";

// The HDS-R box: empty is 0, else at most two digits. The message when the
// text is refused, else nullopt with the score in *score.
[[nodiscard]] std::optional<QString> checkHds(const QString &text, int *score);

// "A", "B", "C" for the checked boxes, in that order.
[[nodiscard]] QString abcLetters(bool a, bool b, bool c);
// The letters laid out for a cell: more than two letters give the first
// two, a line feed and the third.
[[nodiscard]] QString abcCellText(const QString &letters);

// The keypad's digits as a number: 0 when empty or beyond the integer range.
[[nodiscard]] int keypadValue(QStringView digits);
// " 12月" (months) or " 12ヵ月".
[[nodiscard]] QString periodText(int value, bool month);

// The mark after a click: none, "○", "◎", none again.
[[nodiscard]] int nextMark(int mark);
// "　", "○" or "◎"; any other value shows as none.
[[nodiscard]] QString markText(int mark);

} // namespace PracticeRules
