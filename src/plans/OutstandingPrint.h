#pragma once

#include "base/DateTime.h"
#include "report/building/TrpReport.h"
#include "report/data/TrpDBDataSet.h"
#include "report/data/TrpDbRowSource.h"

#include <QObject>
#include <QString>

class OutstandingList;

// The printout of the missing-plans list ("OutStandingList.rpf"): the
// list's rows as they are filtered, in their order, through the data set
// rpDBDataSet1, with the facility's name and the print date.
class OutstandingPrint
{
public:
    OutstandingPrint(OutstandingList &list, QString facilityName, TDateTime now);

    [[nodiscard]] TrpReport &report() { return m_report; }

private:
    OutstandingList &m_list;
    QString m_facility;
    TDateTime m_now;
    QObject m_owner;
    TrpReport m_report;
    TrpDBDataSet m_dataset;
    TrpDbRowSource m_rows;
};
