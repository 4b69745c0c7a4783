#pragma once

#include "printing/PlanPrintList.h"
#include "printing/PracticePlanPrint.h"
#include "printing/RecordPerPage.h"
#include "report/building/TrpReport.h"
#include "report/data/TrpUserDataset.h"
#include "users/GridColumn.h"

#include <QObject>

#include <array>
#include <vector>

class DbConnection;
class TMainModule;

// The printed practice plan ("PracticePlan.rpf", two pages a plan) as a
// report: one record of rpUserDataset3 per plan, the first evaluation table
// on the lines of rpUserDataset1 and the second on those of rpUserDataset2.
class PracticePlanReport
{
public:
    static constexpr QStringView TemplateName = u"PracticePlan.rpf";

    // The list the plans are picked from, one row per stored plan.
    static constexpr std::array<GridColumn, 6> ListColumns{{{u"CureNo", u"利用者番号", 90},
                                                            {u"Kana", u"カナ", 130},
                                                            {u"Name", u"氏名", 150},
                                                            {u"PrcticeDay", u"評価実施日", 100},
                                                            {u"RihaType", u"リハビリ形態", 120},
                                                            {u"KubunCode", u"リハビリ区分", 200}}};
    [[nodiscard]] static PlanPrintList::Statement listStatement();

    // Stored plans by PractNo, in the order given, each read (format
    // checked) when its pages are built.
    PracticePlanReport(DbConnection &database, const TMainModule &staff, const std::vector<int> &practNos);
    // One record in hand (the editor's).
    PracticePlanReport(const TMainModule &staff, TPractice record);

    [[nodiscard]] TrpReport &report() { return m_report; }

private:
    PracticePlanReport(const TMainModule &staff, int count, RecordPerPage<TPractice>::Reader reader);

    // What a plan that cannot be read answers: an empty record.
    PracticePlanPrint m_blank;
    const TMainModule &m_staff;
    RecordPerPage<PracticePlanPrint> m_records;
    QObject m_owner;
    TrpReport m_report;
    TrpUserDataset m_table1;
    TrpUserDataset m_table2;
    TrpUserDataset m_plans;
};
