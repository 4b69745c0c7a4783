#pragma once

#include <QString>

class QWidget;

// The save dialog of every CSV file: it opens where the current path
// points, with its file name proposed, and lists CSV files.
namespace CsvFileDialog {

// The chosen path, or an empty text when the user cancelled.
[[nodiscard]] QString saveName(QWidget *parent, const QString &caption, const QString &path);

} // namespace CsvFileDialog
