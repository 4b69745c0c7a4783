#pragma once

#include <QString>

#include <optional>

// The database password without putting it on the command line, where
// every user of the machine sees it in the process list: from a file, from
// the environment, or typed at a prompt that does not echo it.
namespace AdminPassword {

// The environment variable that holds the password.
inline constexpr char EnvironmentVariable[] = "TAMSOLEN_PASSWORD";

// The first line of the file, without its line end.
[[nodiscard]] std::optional<QString> fromFile(const QString &fileName, QString &errorText);

// The password in the environment variable, when it is set.
[[nodiscard]] std::optional<QString> fromEnvironment();

// Asks on the terminal with the prompt and reads a line without echoing it;
// nullopt when standard input is no terminal or nothing was typed but the
// end of input.
[[nodiscard]] std::optional<QString> prompt(const QString &text);

} // namespace AdminPassword
