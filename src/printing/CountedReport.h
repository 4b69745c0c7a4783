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
// function of its name. The report, the data sets and their owner live
// together so that a template finds its data sets by their names.
class CountedReport
{
public:
    using Values = std::function<std::optional<Variant>(const QString &name)>;

    CountedReport();
    CountedReport(const CountedReport &) = delete;
    CountedReport &operator=(const CountedReport &) = delete;

    // Loads the template and sets the rows of both data sets; false (the
    // report's LoadError) when the template does not load.
    [[nodiscard]] bool load(const QString &templateFile, int rows1, int rows2, Values values);
    // What the form shows when load() failed: the file and the engine's reason.
    [[nodiscard]] QString loadErrorText(const QString &templateFile) const;

    [[nodiscard]] TrpReport &report() { return m_report; }
    [[nodiscard]] TrpUserDataset &dataset1() { return m_dataset1; }
    [[nodiscard]] TrpUserDataset &dataset2() { return m_dataset2; }

private:
    QObject m_owner;
    TrpReport m_report;
    TrpUserDataset m_dataset1;
    TrpUserDataset m_dataset2;
};
