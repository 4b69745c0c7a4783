#pragma once

#include "base/Variant.h"
#include "report/building/TrpReport.h"
#include "report/data/TrpUserDataset.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

// A report whose bands walk the two counted data sets of a printing form,
// rpUserDataset1 and rpUserDataset2, with every variable answered by one
// function of its name and the records both data sets stand on. The report,
// the data sets and their owner live together so that a template finds its
// data sets by their names. The template is loaded by whoever builds it.
class CountedReport
{
public:
    using Values = std::function<std::optional<Variant>(const QString &name, int row1, int row2)>;

    CountedReport(int rows1, int rows2, Values values);
    CountedReport(const CountedReport &) = delete;
    CountedReport &operator=(const CountedReport &) = delete;

    [[nodiscard]] TrpReport &report() { return m_report; }
    [[nodiscard]] TrpUserDataset &dataset1() { return m_dataset1; }

private:
    QObject m_owner;
    TrpReport m_report;
    TrpUserDataset m_dataset1;
    TrpUserDataset m_dataset2;
    Values m_values;
};
