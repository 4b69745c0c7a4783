#pragma once

#include "DatabaseFixture.h"

#include "base/DateTime.h"
#include "plans/FigureRow.h"
#include "plans/TPractice.h"

#include <QString>
#include <QStringList>

#include <vector>

class TrpReport;

// Users with stored treatment and practice plans for the printed plans,
// and the texts of the pages a report built.
class PlanPrintFixture : public DatabaseFixture
{
protected:
    // A user's CureNo.
    int addUser(const QString &name, const QString &kana);
    // A stored treatment plan's PlanNo.
    int addPlan(int cureNo, TDateTime day, const std::vector<FigureRow> &figures = {});
    // A stored practice plan's PractNo.
    int addPractice(int cureNo, const TPractice &record);

    // The texts printed on a built page, in their order on the page.
    [[nodiscard]] static QStringList pageTexts(TrpReport &report, int page);
    // The text of the memo printed on the same line as the one showing `label`.
    [[nodiscard]] static QStringList lineTexts(TrpReport &report, int page, const QString &label);
};
