#pragma once

#include <QString>

class QFont;

// Small helpers of the template and prepared-report readers and writers.
namespace TrpUtils {

// Font styles as stored in files: 1 italic, 2 bold, 4 underline.
enum FontStyleBits { fsItalic = 1, fsBold = 2, fsUnderline = 4 };

[[nodiscard]] int fontStyleToInt(const QFont &font);
void setFontStyle(QFont &font, int style);

// The installed family that stands for a Windows font name: the Japanese
// gothic and mincho faces become Noto Sans CJK JP and Noto Serif CJK JP;
// other names stay.
[[nodiscard]] QString fontFamily(const QString &windowsName);

// A text that begins and ends with a double quote loses the two quotes.
[[nodiscard]] QString stripQuotes(const QString &text);

} // namespace TrpUtils
