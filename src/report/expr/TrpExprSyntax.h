#pragma once

#include <QString>

#include <optional>

// The lexical rules of report expressions, shared by their conversion into
// postfix and the evaluation of the postfix text: operator characters and
// codes, their binding, number words, quoted literals and word ends.
namespace TrpExprSyntax {

// A lower number binds tighter.
[[nodiscard]] int priority(char16_t c);
// The operators written as one character of their own; they also end a
// word.
[[nodiscard]] bool isOperatorCharacter(char16_t c);
[[nodiscard]] bool isBinary(char16_t c);
[[nodiscard]] bool isUnary(char16_t c);
// The operator code of a built-in word (INT, AND, MOD, ...), or 0.
[[nodiscard]] char16_t builtinCode(const QString &upper);
[[nodiscard]] bool isNumberStart(QChar c);
// A number word with "," or "." as its decimal point.
[[nodiscard]] std::optional<double> numberOf(QStringView word);
// From the opening quote at i: the index after the closing quote, or -1.
// Two quotes in a row stand for one and do not close the literal.
[[nodiscard]] qsizetype literalEnd(QStringView text, qsizetype i);
// A word ends at a blank or an operator character, except while an odd
// number of double quotes has been passed inside it.
[[nodiscard]] qsizetype wordEnd(QStringView text, qsizetype i);

} // namespace TrpExprSyntax
