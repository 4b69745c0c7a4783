#pragma once

#include "printing/CurePlanPrint.h"
#include "printing/PlanPrintList.h"
#include "printing/RecordPerPage.h"
#include "report/building/TrpReport.h"
#include "report/data/TrpUserDataset.h"
#include "users/GridColumn.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <array>
#include <vector>

class DbConnection;

// The printed treatment plan ("CurePlan.rpf") as a report: one record of
// rpUserDataset1, the report's master, per plan, each with its own values
// and body figure in the picture frame headed "[Picture]".
class CurePlanReport
{
public:
    static constexpr QStringView TemplateName = u"CurePlan.rpf";

    // The list the plans are picked from: one row per stored plan with the
    // user's current values.
    static constexpr std::array<GridColumn, 5> ListColumns{{{u"CureNo", u"利用者番号", 90},
                                                            {u"Name", u"氏名", 160},
                                                            {u"PlanRegistDay", u"計画登録日", 110},
                                                            {u"RihaType", u"リハビリ形態", 120},
                                                            {u"KubunCode", u"リハビリ区分", 300}}};
    [[nodiscard]] static PlanPrintList::Statement listStatement();

    struct Record
    {
        CurePlanPrint values;
        QImage figure;
    };

    // Stored plans, in the order given: each read with the user's current
    // Person values and its Figure rows when its page is built.
    CurePlanReport(DbConnection &database, const QString &facilityName, const std::vector<int> &planNos);
    // One plan in hand (the editor's, with its own snapshot of the user).
    CurePlanReport(CurePlanPrint plan, QImage figure);

    // The stored plan with the user's current values and its painted
    // figure; nullopt when the plan, the user or the figure rows cannot be read.
    [[nodiscard]] static std::optional<Record> readStored(DbConnection &database, const QString &facilityName,
                                                          int planNo);

    [[nodiscard]] TrpReport &report() { return m_report; }

private:
    CurePlanReport(int count, QString facilityName, RecordPerPage<Record>::Reader reader);

    // What a plan that cannot be read answers.
    CurePlanPrint m_blank;
    RecordPerPage<Record> m_records;
    QObject m_owner;
    TrpReport m_report;
    TrpUserDataset m_dataset;
};
