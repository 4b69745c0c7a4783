#pragma once

#include <QString>

#include <optional>

// Numbers as the report engine and the printed forms show them and read them
// back: Delphi-style texts with 15 significant digits and the decimal and
// thousands separators of the engine's settings (process-wide; "." and ","
// unless changed).
namespace NumberFormat {

[[nodiscard]] QChar decimalSeparator();
void setDecimalSeparator(QChar separator);
[[nodiscard]] QChar thousandSeparator();
void setThousandSeparator(QChar separator);

// The general text of a floating value: the shortest of at most 15
// significant digits, scientific when the value needs more than 15 integer
// digits or is below 0.0001 ("2.5", "0.3" for 0.1 + 0.2, "1E15", "1E-5").
[[nodiscard]] QString floatToText(double value);
// Fixed-point text with 15 significant digits and the given decimals ("1234.50").
[[nodiscard]] QString fixed(double value, int decimals);
// As fixed, with thousands separators in the integer part ("1,234.50").
[[nodiscard]] QString number(double value, int decimals);
// A number pattern of up to three sections "positive;negative;zero": digit
// placeholders 0 and #, "." for the decimal point, "," anywhere for thousands
// separators, E+ E- e+ e- for scientific form, text in quotes and any other
// character as it stands. Halves round away from zero; an empty pattern gives
// floatToText.
[[nodiscard]] QString format(QStringView pattern, double value);

// Reads "[sign]digits[separator digits][E[sign]digits]" between blanks, with
// the engine's decimal separator; nullopt for anything else.
[[nodiscard]] std::optional<double> textToFloat(QStringView text);
// Reads "[sign]digits" between blanks; nullopt for anything else or on overflow.
[[nodiscard]] std::optional<qint64> textToInteger(QStringView text);

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
[[nodiscard]] double roundHalfEven(double value);

} // namespace NumberFormat
