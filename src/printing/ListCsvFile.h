#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The CSV files of the printed lists and statistics: Shift-JIS, CR LF lines,
// every field in double quotes. Each step shows its own error box (one Yes
// button) and says whether the export goes on.
class ListCsvFile
{
public:
    // The file a path input names: its folder is created when missing and
    // its extension becomes ".csv". Nullopt after the error box was shown.
    [[nodiscard]] static std::optional<QString> target(const QString &path);
    // Asks before an existing file is replaced; false when the user says No.
    [[nodiscard]] static bool confirmOverwrite(const QString &fileName);
    // The bytes of one line without its line end. Inner quotes are doubled so
    // that a spreadsheet reads the field back as it was; characters that
    // Shift-JIS lacks become "?".
    [[nodiscard]] static QByteArray line(const QStringList &values);
    // Writes the header and the rows whole or not at all; false after the
    // error box was shown.
    [[nodiscard]] static bool write(const QString &fileName, const QStringList &header,
                                    const std::vector<QStringList> &rows);
};
