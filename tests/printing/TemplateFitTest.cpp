#include "PrintingFixture.h"

#include "PersonRows.h"

#include "base/Clock.h"
#include "core/TMainModule.h"
#include "plans/TPlanData.h"
#include "platform/DbDate.h"
#include "platform/DbQuery.h"
#include "printing/PersonResultPrint.h"
#include "printing/ToukeiPrint.h"

namespace {

const TDateTime August = DateTime::encodeDate(2024, 8, 1);

// The printouts over the longest values their fields hold: no text may run
// out of its box.
class TemplateFitTest : public PrintingFixture
{
protected:
    void SetUp() override
    {
        PrintingFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_app->mainModule.FacilityName = wide(30);
        StaffDirectory staff;
        for (int i = 1; i <= 20; ++i)
            staff.append({i, wide(15), wide(2)});
        m_app->mainModule.setStaff(std::move(staff));
    }
    // Full-width characters as wide as any the font has.
    static QString wide(int count) { return QString(count, QChar(u'鬱')); }
};

} // namespace

TEST_P(TemplateFitTest, TheResultsRecordHoldsItsLongestValues)
{
    TPerson person = PersonRows::make(wide(10), QString(20, QChar(u'ｳ')));
    person.Sex = 2;
    person.RihaType = 3;
    person.Birth = DateTime::encodeDate(2000, 8, 28);
    person.NYUSHOBI_YMD = DateTime::encodeDate(2008, 8, 28);
    person.TAISHOBI_YMD = DateTime::encodeDate(2028, 8, 28);
    person.YOUKAIGO_KBN = 6;
    const int cureNo = PersonRows::insert(db(), person);
    TPlanData data;
    for (QString &program : data.Program)
        program = wide(20);
    DbQuery plan(db(), QStringLiteral("INSERT INTO RihaPlan (CureNo, PlanRegistDay, PlanEndDay, PlanData) "
                                      "VALUES (?, ?, ?, ?)"));
    plan.addBind(cureNo).addBind(DbDate{DateTime::encodeDate(2028, 8, 28)}).addBind(DbDate{August + 60});
    plan.addBind(data.toBytes());
    ASSERT_TRUE(exec(plan));
    std::vector<CureResult> rows;
    for (int day = 0; day < 31; ++day) {
        for (int session = 0; session < 2; ++session) {
            CureResult r = ResultRows::make(cureNo, August + day + session * 0.4);
            r.RihaType = 3;
            r.KubunCode = 3;
            r.deriveFlags();
            r.RMinute = 720;
            r.RStartTime = DateTime::encodeTime(23, 58);
            r.StuffKigo = wide(2);
            r.LoginName = wide(10);
            rows.push_back(r);
        }
    }
    ResultRows::insert(db(), rows);
    PersonResultPrint print(m_app->context, August, {cureNo});
    ASSERT_TRUE(load(print.report(), PersonResultPrint::TemplateName));
    const auto pages = build(print.report());
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("44640")));
    EXPECT_EQ(overflowing(print.report()).join(u'\n').toStdString(), "");
}

TEST_P(TemplateFitTest, TheStatisticsHoldTheirLongestValues)
{
    std::vector<CureResult> rows;
    for (int i = 0; i < 400; ++i)
        rows.push_back(ResultRows::make(1 + i % 200, August + (i % 31)));
    ResultRows::insert(db(), rows);
    ToukeiCounts counts(August);
    ASSERT_TRUE(counts.count(db()));
    ToukeiPrint print(counts, m_app->mainModule.FacilityName, Clock::today());
    ASSERT_TRUE(load(print.report(), ToukeiPrint::TemplateName));
    ASSERT_EQ(build(print.report()).size(), 1u);
    EXPECT_EQ(overflowing(print.report()).join(u'\n').toStdString(), "");
}

TAMSOLEN_DATABASE_TEST_SUITE(TemplateFitTest);
