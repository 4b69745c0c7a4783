#pragma once

#include "base/Variant.h"
#include "report/building/TrpReport.h"
#include "report/data/TrpDBDataSet.h"
#include "report/data/TrpDbRowSource.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class DbDataSet;

// A printed list: one report line per row of a list's data set, walked by
// the data set "rpDBDataSet1" in the rows' order (as they are filtered),
// every variable answered by the list for the row the report stands on.
class ListPrint
{
public:
    using Values = std::function<std::optional<Variant>(const QString &name)>;

    ListPrint(DbDataSet &rows, QString title, Values values);

    [[nodiscard]] TrpReport &report() { return m_report; }

private:
    QObject m_owner;
    TrpReport m_report;
    TrpDBDataSet m_dataset;
    TrpDbRowSource m_rows;
    Values m_values;
};
