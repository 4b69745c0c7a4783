#include "printing/MonthlyReport.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "report/building/TrpReport.h"
#include "report/data/TrpUserDataset.h"

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

bool setUp(TrpReport &report, const QString &templateFile, int lines, Values values)
{
    TrpUserDataset *rows = countedDataset(report, QStringLiteral("rpUserDataset1"), lines);
    TrpUserDataset *days = countedDataset(report, QStringLiteral("rpUserDataset4"), MonthlySheet::Days);
    if (!report.LoadFromFile(templateFile))
        return false;
    report.OnGetValue = [rows, days, values = std::move(values)](const QString &name, Variant &value) {
        if (auto answer = values(name, rows->RecNo, days->RecNo))
            value = *answer;
    };
    return true;
}

QString templateFile(const AppContext &context, QStringView name)
{
    return context.appDir + QLatin1Char('/') + name.toString();
}

Status prepare(TrpReport &report, Status status)
{
    if (status != Status::Ready)
        return status;
    return report.PrepareReport() && !report.hasError() ? Status::Ready : Status::BuildFailed;
}

} // namespace MonthlyReport
