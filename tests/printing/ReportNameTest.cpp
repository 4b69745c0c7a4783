#include "PartTemplate.h"
#include "PrintingFixture.h"

#include "core/TMainModule.h"
#include "plans/OutstandingList.h"
#include "plans/OutstandingPrint.h"
#include "plans/TPractice.h"
#include "printing/AllUserList.h"
#include "printing/ListPrint.h"
#include "printing/PlanLimitList.h"
#include "printing/PracticePlanReport.h"
#include "report/building/TrpReport.h"

#include <QTemporaryDir>

namespace {

using ReportNameTest = PrintingFixture;

} // namespace

// A build error names the report as every printing form holds it, so that
// whoever fixes a facility's template knows which printout stopped.
TEST_P(ReportNameTest, ABuildErrorNamesTheReportOfEveryPrintout)
{
    addUser(QStringLiteral("山田 太郎"), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
    PartTemplate part(false, false);
    part.band("Sheet", 2, 36, 200).memo(QStringLiteral("[Nowhere]"), 0, 40, 200, 18);
    QTemporaryDir dir;
    m_app->context.appDir = dir.path();
    const auto expectNamed = [&](TrpReport &report, QStringView templateName) {
        ASSERT_TRUE(part.compileInto(dir.path(), templateName));
        ASSERT_TRUE(load(report, templateName));
        report.PrepareReport();
        EXPECT_TRUE(report.ErrorText().contains(QStringLiteral("\rReport rpReport1\r")))
            << templateName.toString().toStdString() << ": " << report.ErrorText().toStdString();
    };

    AllUserList users(db(), QString());
    AllUserList::Conditions everybody;
    everybody.InCareOnly = false;
    everybody.RecentOnly = false;
    ASSERT_EQ(users.open(everybody, DateTime::encodeDate(2024, 4, 20)), AllUserList::Outcome::Rows);
    ListPrint userList = users.printout();
    expectNamed(userList.report(), AllUserList::TemplateName);

    PlanLimitList limits(db(), QString());
    ASSERT_TRUE(limits.open(PlanLimitList::Kind::CurePlan, DateTime::encodeDate(2024, 4, 20)));
    ListPrint limitList = limits.printout();
    expectNamed(limitList.report(), PlanLimitList::TemplateName);

    OutstandingList missing(db());
    ASSERT_TRUE(missing.open(OutstandingList::Kind::PracticePlan));
    OutstandingPrint missingList(missing, QString(), DateTime::encodeDate(2024, 4, 20));
    expectNamed(missingList.report(), OutstandingList::TemplateName);

    PracticePlanReport practice(m_app->mainModule, TPractice());
    expectNamed(practice.report(), PracticePlanReport::TemplateName);
}

TAMSOLEN_DATABASE_TEST_SUITE(ReportNameTest);
