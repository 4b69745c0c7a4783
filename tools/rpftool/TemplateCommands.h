#pragma once

#include <QString>

// rpftool's commands on report templates (.rpf).
namespace TemplateCommands {

// Prints the template as its text form.
int dump(const QString &fileName);
// Writes the template that a text form describes.
int compile(const QString &sourceName, const QString &outputName);
// Loads and saves a template with the engine.
int resave(const QString &inputName, const QString &outputName);

} // namespace TemplateCommands
