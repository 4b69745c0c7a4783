#include "coreui/CsvFileDialog.h"

#include "platform/DialogService.h"

namespace CsvFileDialog {

QString saveName(QWidget *parent, const QString &caption, const QString &path)
{
    // A path without a folder ("未設定") is no place to start from.
    const QString start = path.contains(u'/') ? path : QString();
    return Dialogs::service().saveFileName(parent, caption, start, QStringLiteral("CSV (*.csv *.CSV)"));
}

} // namespace CsvFileDialog
