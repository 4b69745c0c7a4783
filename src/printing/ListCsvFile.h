#pragma once

#include "core/CsvWriter.h"

#include <QString>
#include <QStringList>

class QIODevice;

#include <optional>
#include <vector>

// The CSV files of the printed lists and statistics: every field in double
// quotes, or only those that need them; line breaks kept inside the quotes.
// Each step adds its own error box (one Yes button) to the boxes its window
// shows, and says whether the export goes on.
class ListCsvFile
{
public:
    using Quoting = CsvWriter::Quoting;
    // A run of lines and the error box told when it cannot be written.
    using Part = CsvWriter::Part;
    struct Content
    {
        std::vector<Part> parts;
        Quoting quoting = Quoting::EveryField;
    };
    // A header line and the rows, with the boxes of a title and of a row
    // that cannot be written.
    [[nodiscard]] static Content content(const QStringList &header, std::vector<QStringList> rows,
                                         Quoting quoting = Quoting::EveryField);

    // The file a path input names: its folder is created when missing and
    // its extension becomes ".csv". Nullopt, with the error box in told.
    [[nodiscard]] static std::optional<QString> target(const QString &path, std::vector<UserMessage> &told);
    // Writes the lines whole or not at all; false, with the error box of the
    // part that could not be written in told.
    [[nodiscard]] static bool write(const QString &fileName, const Content &content, std::vector<UserMessage> &told);
    [[nodiscard]] static bool write(const QString &fileName, const QStringList &header,
                                    const std::vector<QStringList> &rows, std::vector<UserMessage> &told);
    // Writes the parts in turn, each through to the device.
    [[nodiscard]] static bool writeTo(QIODevice &device, const Content &content, std::vector<UserMessage> &told);
};
