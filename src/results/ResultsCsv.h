#pragma once

#include "core/CsvWriter.h"
#include "platform/UserMessage.h"
#include "results/CureResult.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

struct AppContext;

// The results CSV of other systems: 17 quoted columns in Shift-JIS (the
// Windows code page), CR LF lines, one header line.
class ResultsCsv
{
public:
    static constexpr int ColumnCount = 17;
    static const QStringList &headerNames();

    // What a command ends with: the box to show.
    struct Outcome
    {
        bool ok = false;
        MessageType type = MessageType::Information;
        QString text;
    };

    explicit ResultsCsv(const AppContext &context) : m_context(context) {}

    // Writes the results of [from, to) to the file, whole or not at all.
    [[nodiscard]] Outcome exportMonth(TDateTime from, TDateTime to, const QString &fileName) const;
    // Appends every line of the file in one transaction; the first bad line
    // stops the import and nothing is written. When rows of the file are
    // stored already, the user is asked first through ask (default No).
    [[nodiscard]] Outcome importFile(const QString &fileName, const MessageAsker &ask) const;

    // Every field quoted; a line break inside a value would end the line
    // for every reader, so it becomes a blank.
    [[nodiscard]] static CsvWriter writer();
    // The 17 texts the export writes for a result.
    [[nodiscard]] static QStringList exportValues(const CureResult &row);
    // The fields of a line, quotes stripped and doubled quotes undoubled;
    // nullopt when it is no line of 17 fields.
    [[nodiscard]] static std::optional<QStringList> importFields(const QByteArray &line);
    // Checks and converts the fields of one line; the row, or the message
    // of the first field that fails. now is the time the row records as
    // its writing.
    struct Converted
    {
        std::optional<CureResult> row;
        QString error;
    };
    [[nodiscard]] Converted convert(const QStringList &fields, TDateTime now) const;
    // How many of the rows equal a stored result (user, day, start, staff,
    // form and minutes); -1 when the results cannot be read.
    [[nodiscard]] int storedCount(const std::vector<CureResult> &rows) const;
    // The rows of a whole file's bytes, or the message of its first bad line.
    [[nodiscard]] std::pair<std::vector<CureResult>, QString> convertAll(const QByteArray &bytes) const;

private:
    const AppContext &m_context;
};
