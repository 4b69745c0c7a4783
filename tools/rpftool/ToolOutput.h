#pragma once

#include <QString>

// rpftool's output: UTF-8 lines on standard output and standard error.
namespace ToolOutput {

void print(const QString &text);
void printError(const QString &text);

} // namespace ToolOutput
