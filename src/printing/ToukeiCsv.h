#pragma once

#include "base/DateTime.h"
#include "platform/UserMessage.h"

#include <QStringList>

#include <optional>
#include <vector>

class DbConnection;

// The results of one month of the statistics as a CSV file: who was
// treated on which day, in what form and category, entered by whom.
namespace ToukeiCsv {

// The header captions.
[[nodiscard]] QStringList header();
// The rows of [from, to) by day, user, start and key; nullopt when they
// could not be read.
[[nodiscard]] std::optional<std::vector<QStringList>> rows(DbConnection &database, TDateTime from, TDateTime to);
// Writes the month's results to the file the path names, asking before an
// existing file is replaced; the boxes to show after it go to told, and it
// is false after an error. A No to the question and a month without results
// write nothing and are no failure.
[[nodiscard]] bool write(DbConnection &database, const QString &path, TDateTime from, TDateTime to,
                         const MessageAsker &ask, std::vector<UserMessage> &told);

} // namespace ToukeiCsv
