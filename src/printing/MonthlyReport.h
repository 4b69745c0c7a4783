#pragma once

#include "base/Variant.h"
#include "printing/MonthlySheet.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <span>

class TrpReport;
struct AppContext;

// The report side of the monthly results lists, with the seven data sets
// a template may walk: rpUserDataset1 and rpUserDataset7 count the lines,
// rpUserDataset2 and rpUserDataset5 one row, rpUserDataset3, 4 and 6 the 31
// days. Every variable is answered by a function of its name, the line (the
// record of data set 1) and the day (both 0-based): the day of a heading is
// the record of data set 3, of a day sum that of data set 6, of a cell that
// of data set 4.
//
// A list type gives TemplateName, OrderBy, DaySums (its day sums' names),
// rihaTypeOf(choice), a constructor from the sheet and the rows, lines()
// and value().
namespace MonthlyReport {

enum class Status {
    Ready,
    // The month's results could not be read.
    ReadFailed,
    // No result matches the choice.
    NoRows,
};

using Values = std::function<std::optional<Variant>(const QString &name, int line, int day)>;

// The month of the choice with its rows; nullopt with the status when
// there is nothing to list.
[[nodiscard]] std::optional<MonthlySheet> readMonth(const AppContext &context, const MonthlyChoice &choice,
                                                    std::optional<int> rihaType, QStringView orderBy,
                                                    std::vector<CureResult> &rows, Status &status);
// Gives a fresh report its data sets and answers its variables.
void bind(TrpReport &report, int lines, Values values, std::span<const QStringView> daySums);
[[nodiscard]] QString templateFile(const AppContext &context, QStringView name);

// Reads the list of the choice; null with the status when there is
// nothing to list.
template <typename List>
[[nodiscard]] std::shared_ptr<const List> read(const AppContext &context, const MonthlyChoice &choice, Status &status)
{
    std::vector<CureResult> rows;
    std::optional<MonthlySheet> month =
        readMonth(context, choice, List::rihaTypeOf(choice), List::OrderBy, rows, status);
    return month ? std::make_shared<const List>(std::move(*month), rows) : nullptr;
}

// Reads the list and sets a fresh report up over it; the template is
// loaded by whoever builds it.
template <typename List>
[[nodiscard]] Status setUpReport(TrpReport &report, const AppContext &context, const MonthlyChoice &choice)
{
    Status status = Status::Ready;
    std::shared_ptr<const List> list = read<List>(context, choice, status);
    if (!list)
        return status;
    MonthlyReport::bind(
        report, int(list->lines().size()),
        [list](const QString &name, int line, int day) { return list->value(name, line, day); }, List::DaySums);
    return Status::Ready;
}

} // namespace MonthlyReport
