#include "printing/MonthlyReport.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "report/building/TrpReport.h"
#include "report/data/TrpUserDataset.h"

#include <algorithm>

namespace MonthlyReport {

namespace {

TrpUserDataset *countedDataset(TrpReport &report, const QString &name, int rows)
{
    auto *dataset = new TrpUserDataset(&report);
    dataset->setObjectName(name);
    dataset->RangeEnd = reCount;
    dataset->RangeEndCount = rows;
    return dataset;
}

} // namespace

std::optional<MonthlySheet> readMonth(const AppContext &context, const MonthlyChoice &choice,
                                      std::optional<int> rihaType, QStringView orderBy, std::vector<CureResult> &rows,
                                      Status &status)
{
    MonthlySheet month(choice, context.mainModule, Clock::today());
    switch (month.read(context.database, rihaType, orderBy.toString(), rows)) {
    case MonthlySheet::Read::Rows:
        status = Status::Ready;
        return month;
    case MonthlySheet::Read::Failed:
        status = Status::ReadFailed;
        break;
    case MonthlySheet::Read::Empty:
        status = Status::NoRows;
        break;
    }
    return std::nullopt;
}

void bind(TrpReport &report, int lines, Values values, std::span<const QStringView> daySums)
{
    report.setObjectName(QStringLiteral("rpReport1"));
    const int counts[] = {lines, 1, MonthlySheet::Days, MonthlySheet::Days, 1, MonthlySheet::Days, lines};
    std::vector<TrpUserDataset *> datasets;
    for (size_t i = 0; i < std::size(counts); ++i)
        datasets.push_back(countedDataset(report, QStringLiteral("rpUserDataset%1").arg(i + 1), counts[i]));
    const TrpUserDataset *rows = datasets[0];
    const TrpUserDataset *headings = datasets[2];
    const TrpUserDataset *cells = datasets[3];
    const TrpUserDataset *sums = datasets[5];
    report.OnGetValue = [=, values = std::move(values)](const QString &name, Variant &value) {
        const bool heading = name == u"Week" || name == u"DayStr";
        const bool sum = std::find(daySums.begin(), daySums.end(), name) != daySums.end();
        const int day = heading ? headings->RecNo : sum ? sums->RecNo : cells->RecNo;
        if (auto answer = values(name, rows->RecNo, day))
            value = *answer;
    };
}

QString templateFile(const AppContext &context, QStringView name)
{
    return context.appDir + QLatin1Char('/') + name.toString();
}

} // namespace MonthlyReport
