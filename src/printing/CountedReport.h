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
// data sets by their names.
class CountedReport
{
public:
    using Values = std::function<std::optional<Variant>(const QString &name, int row1, int row2)>;

    CountedReport();
    CountedReport(const CountedReport &) = delete;
    CountedReport &operator=(const CountedReport &) = delete;

    // Loads the template of that name from the folder and sets the rows of
    // both data sets; false (the report's LoadError) when it does not load.
    [[nodiscard]] bool load(const QString &folder, QStringView templateName, int rows1, int rows2, Values values);
    // What the form shows when load() failed: the file and the engine's reason.
    [[nodiscard]] QString loadErrorText() const;

    [[nodiscard]] TrpReport &report() { return m_report; }
    [[nodiscard]] TrpUserDataset &dataset1() { return m_dataset1; }

private:
    QObject m_owner;
    TrpReport m_report;
    TrpUserDataset m_dataset1;
    TrpUserDataset m_dataset2;
    QString m_file;
};
