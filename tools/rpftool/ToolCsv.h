#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// CSV files handed to rpftool build: UTF-8, the first line the field names,
// fields separated by commas, quoted with double quotes where they hold
// commas, quotes (doubled) or line breaks.
namespace ToolCsv {

// False with the error (naming the line) when the file cannot be read or a
// quote is not closed.
[[nodiscard]] bool read(const QString &fileName, QStringList &fields, QList<QStringList> &rows, QString &error);
// The records of a CSV text.
[[nodiscard]] bool parse(const QString &text, QList<QStringList> &records, QString &error);

} // namespace ToolCsv
