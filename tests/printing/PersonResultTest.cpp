#include "PartTemplate.h"
#include "PrintingFixture.h"

#include "printing/PersonResultPlans.h"
#include "printing/PersonResultPrint.h"

#include "core/TMainModule.h"
#include "platform/DbQuery.h"

#include <QTemporaryDir>

#include <algorithm>

namespace {

const TDateTime April = DateTime::encodeDate(2024, 4, 1);
const TDateTime May = DateTime::encodeDate(2024, 5, 1);

class PersonResultTest : public PrintingFixture
{
protected:
    std::vector<int> listed(PersonResultPlans &plans)
    {
        std::vector<int> numbers;
        for (int row = 0; row < plans.rowCount(); ++row)
            numbers.push_back(plans.cureNo(row));
        return numbers;
    }
    std::unique_ptr<PersonResultPrint> print(TDateTime month, const std::vector<int> &cureNos)
    {
        auto built = std::make_unique<PersonResultPrint>(m_app->context, month, cureNos);
        if (!load(built->report(), PersonResultPrint::TemplateName)) {
            ADD_FAILURE() << built->report().LoadError().message.toStdString();
            return nullptr;
        }
        return built;
    }
    QString text(PersonResultPrint &print, const char *name, int record = 0, int line = 0)
    {
        const auto value = print.value(QString::fromLatin1(name), record, line);
        return value ? value->toText() : QStringLiteral("<none>");
    }
};

} // namespace

TEST_P(PersonResultTest, ListsThePlansValidOnSomeDayOfTheMonth)
{
    const int endsOnFirst = addUser(QStringLiteral("青木 一"), QStringLiteral("ｱｵｷ ﾊｼﾞﾒ"));
    const int startsOnLast = addUser(QStringLiteral("加藤 二"), QStringLiteral("ｶﾄｳ ﾂｷﾞ"));
    const int twoPlans = addUser(QStringLiteral("佐藤 三"), QStringLiteral("ｻﾄｳ ﾐﾂ"));
    const int outside = addUser(QStringLiteral("田中 四"), QStringLiteral("ﾀﾅｶ ﾖﾝ"));
    addPlan(endsOnFirst, April - 60, April);
    addPlan(startsOnLast, April + 29, April + 200);
    addPlan(twoPlans, April + 10, April + 100);
    addPlan(twoPlans, April - 30, April + 9);
    addPlan(outside, April - 60, April - 1);
    addPlan(outside, May, May + 90);

    PersonResultPlans plans(db());
    ASSERT_TRUE(plans.open(April, May));
    EXPECT_EQ(listed(plans), std::vector<int>({endsOnFirst, startsOnLast, twoPlans, twoPlans}));
    // The older plan of the two comes first.
    EXPECT_EQ(plans.SelectPlanPersonQuery.record(2).value(u"PlanRegistDay").asDateTime(), April - 30);
    EXPECT_EQ(PersonResultPlans::cellText(0, plans.SelectPlanPersonQuery.record(0).value(u"CureNo")),
              QStringLiteral("%1").arg(endsOnFirst, 8, 10, QLatin1Char('0')));
    EXPECT_EQ(PersonResultPlans::cellText(4, plans.SelectPlanPersonQuery.record(2).value(u"PlanRegistDay")),
              QStringLiteral("令和06年03月02日"));
    EXPECT_EQ(PersonResultPlans::cellText(3, DbValue(9)), QString());

    plans.filterByKanaRow(UserSearch::KanaRow::Sa);
    EXPECT_EQ(listed(plans), std::vector<int>({twoPlans, twoPlans}));
    plans.filterByKanaRow(UserSearch::KanaRow::Wa);
    EXPECT_EQ(plans.rowCount(), 0);
    plans.showAll();
    EXPECT_EQ(plans.rowCount(), 4);
}

TEST_P(PersonResultTest, PrintsARecordPerPickedUserWithItsDayLines)
{
    const int yamada = addUser(QStringLiteral("山田 太郎"), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
    const int suzuki = addUser(QStringLiteral("鈴木 花"), QStringLiteral("ｽｽﾞｷ ﾊﾅ"));
    addPlan(yamada, DateTime::encodeDate(2023, 10, 1), April - 1, QStringLiteral("古い計画"));
    addPlan(yamada, April + 3, April + 90, QStringLiteral("歩行訓練"));
    addPlan(suzuki, April - 10, April + 90, QStringLiteral("立ち上がり"));
    CureResult morning = ResultRows::make(yamada, April + 4);
    morning.RStartTime = DateTime::encodeTime(9, 30);
    morning.RMinute = 15;
    CureResult afternoon = ResultRows::make(yamada, April + 4 + 0.5);
    afternoon.RStartTime = DateTime::encodeTime(14, 0);
    afternoon.StuffKigo = QStringLiteral("ス");
    ResultRows::insert(db(), {afternoon, morning, ResultRows::make(yamada, April + 29), ResultRows::make(yamada, May),
                              ResultRows::make(suzuki, April + 1)});

    // Suzuki picked first, then Yamada, then Suzuki again: three records in that order.
    const auto built = print(April, {suzuki, yamada, suzuki});
    ASSERT_TRUE(built);
    ASSERT_EQ(built->recordCount(), 3);
    EXPECT_EQ(text(*built, "Name", 0), QStringLiteral("鈴木 花"));
    EXPECT_EQ(text(*built, "Name", 1), QStringLiteral("山田 太郎"));
    EXPECT_EQ(text(*built, "Program1", 1), QStringLiteral("歩行訓練")) << "the latest plan";
    // Day 5: two sessions - the first one's time and marks, the minutes summed.
    EXPECT_EQ(text(*built, "Start", 1, 4), QStringLiteral("09:30"));
    EXPECT_EQ(text(*built, "Funn", 1, 4), QStringLiteral("35"));
    EXPECT_EQ(text(*built, "Count", 1, 4), QStringLiteral("2"));
    EXPECT_EQ(text(*built, "Kobetsu0", 1, 4), QStringLiteral("ヤ"));
    EXPECT_EQ(text(*built, "Start", 1, 5), QString());
    EXPECT_EQ(text(*built, "CntTotal", 1), QStringLiteral("3")) << "the first of May is not April";
    EXPECT_EQ(text(*built, "FunnTotal", 1), QStringLiteral("55"));
    EXPECT_EQ(text(*built, "CntTotal", 2), QStringLiteral("1"));
    EXPECT_EQ(text(*built, "EndDay", 1), QString()) << "no discharge date prints empty";
    EXPECT_EQ(text(*built, "BeginDay", 1), QStringLiteral("令和02年04月01日"));
    EXPECT_EQ(text(*built, "Hizuke", 1), QStringLiteral("令和06年04月"));
    EXPECT_EQ(text(*built, "Shisetsu", 2), QStringLiteral("ひだまり苑"));
    EXPECT_EQ(text(*built, "Toki", 1), QString());
    EXPECT_EQ(text(*built, "Name", 3), QStringLiteral("<none>"));

    const auto pages = build(built->report());
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("鈴木 花")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("山田 太郎")));
    EXPECT_FALSE(pages[1].contains(QStringLiteral("鈴木 花"))) << "nothing of the record before";
    EXPECT_TRUE(pages[1].contains(QStringLiteral("2 / 3")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("リハビリ実績記録書")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("印刷日 令和06年04月20日")));
    // Thirty day lines in April: the thirtieth day and no thirty-first.
    EXPECT_TRUE(pages[1].contains(text(*built, "DayWeek", 1, 29)));
    EXPECT_EQ(text(*built, "DayWeek", 1, 30), QStringLiteral("<none>"));
}

TEST_P(PersonResultTest, FebruaryOfACommonYearHasTwentyEightLines)
{
    const int yamada = addUser(QStringLiteral("山田 太郎"), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
    const TDateTime february = DateTime::encodeDate(2023, 2, 1);
    addPlan(yamada, february, february + 60);
    const auto built = print(february, {yamada});
    ASSERT_TRUE(built);
    ASSERT_EQ(build(built->report()).size(), 1u);
    EXPECT_FALSE(text(*built, "DayWeek", 0, 27).isEmpty());
    EXPECT_EQ(text(*built, "DayWeek", 0, 28), QStringLiteral("<none>"));
}

TEST_P(PersonResultTest, TheLegendHoldsEveryStaffMemberUpToTwenty)
{
    const int yamada = addUser(QStringLiteral("山田 太郎"), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
    addPlan(yamada, April, April + 60);
    TMainModule &staff = m_app->mainModule;
    staff.setStaff({{1, QStringLiteral("一"), QStringLiteral("イ")},
                    {2, QStringLiteral("二"), QStringLiteral("ニ")},
                    {3, QStringLiteral("三"), QStringLiteral("サ")}});
    auto built = print(April, {yamada});
    ASSERT_TRUE(built);
    EXPECT_EQ(text(*built, "Tk3"), QStringLiteral("サ")) << "the last staff member too";
    EXPECT_EQ(text(*built, "TkName3"), QStringLiteral("三"));
    EXPECT_EQ(text(*built, "Tk4"), QString());
    StaffDirectory members = staff.staff();
    for (int i = 4; i <= 25; ++i)
        members.append({i, QStringLiteral("職員%1").arg(i), QString::number(i)});
    staff.setStaff(std::move(members));
    built = print(April, {yamada});
    ASSERT_TRUE(built);
    EXPECT_EQ(text(*built, "TkName20"), QStringLiteral("職員20"));
    EXPECT_EQ(text(*built, "Tk21"), QStringLiteral("<none>"));
}

TEST_P(PersonResultTest, AUserWithoutAPlanIsToldAndTheOthersPrint)
{
    const int yamada = addUser(QStringLiteral("山田 太郎"), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
    const int planless = addUser(QStringLiteral("鈴木 花"), QStringLiteral("ｽｽﾞｷ ﾊﾅ"));
    addPlan(yamada, April, April + 60);
    addPlan(planless, April, April + 60, QStringLiteral("歩行訓練"));
    ResultRows::insert(db(), {ResultRows::make(planless, April + 2), ResultRows::make(yamada, April + 3)});
    // Listed with its plan, which is deleted before printing.
    PersonResultPlans plans(db());
    ASSERT_TRUE(plans.open(April, May));
    ASSERT_EQ(listed(plans), std::vector<int>({yamada, planless}));
    DbQuery erase(db(), QStringLiteral("DELETE FROM RihaPlan WHERE CureNo = ?"));
    erase.addBind(planless);
    ASSERT_TRUE(exec(erase));
    QStringList told;
    auto built = std::make_unique<PersonResultPrint>(m_app->context, April, std::vector<int>{yamada, planless, yamada},
                                                     [&told](const QString &text) { told << text; });
    ASSERT_TRUE(load(built->report(), PersonResultPrint::TemplateName));
    const auto pages = build(built->report());
    // Told once, though the two-pass report begins the record's page twice.
    EXPECT_EQ(told, QStringList{QStringLiteral("リハビリ計画書データが見つかりません。")});
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("山田 太郎")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("山田 太郎")));
    // The record without a plan: its own results, nothing of the user before.
    EXPECT_FALSE(pages[1].contains(QStringLiteral("山田 太郎")));
    EXPECT_EQ(text(*built, "CntTotal", 1), QStringLiteral("1"));
    EXPECT_EQ(text(*built, "CureNo", 1), QString::number(planless));
    // Its header is empty, not the names of code 0 (男性, 入所).
    for (const char *field :
         {"Name", "Sex", "NRType", "Birth", "BeginDay", "EndDay", "Jiritsu", "Ninchi", "Kaigo", "RegDay", "Program1"})
        EXPECT_EQ(text(*built, field, 1), QString()) << field;
    EXPECT_EQ(text(*built, "Sex", 0), QStringLiteral("男性")) << "the user with a plan";
}

// A template wired as a facility's own may be: the day lines a data band
// over rpUserDataset2, the rest in the page's header and the summary.
TEST_P(PersonResultTest, ATemplateWiredToTheDataSetsPrintsWhatOursPrints)
{
    const int yamada = addUser(QStringLiteral("山田 太郎"), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
    const int suzuki = addUser(QStringLiteral("鈴木 花"), QStringLiteral("ｽｽﾞｷ ﾊﾅ"));
    addPlan(yamada, April, April + 60);
    addPlan(suzuki, April, April + 60);
    CureResult morning = ResultRows::make(yamada, April + 4);
    morning.RStartTime = DateTime::encodeTime(9, 30);
    morning.RMinute = 15;
    ResultRows::insert(db(), {morning, ResultRows::make(suzuki, April + 1), ResultRows::make(suzuki, April + 29)});
    PartTemplate part(false);
    part.band("Head", 2, 0, 206)
        .memo(QStringLiteral("[CureNo]"), 72, 62, 101, 20)
        .memo(QStringLiteral("[Name]"), 245, 62, 119, 20)
        .band("Columns", 14, 212, 36)
        .memo(QString(), 0, 212, 49, 36)
        .band("Days", 5, 252, 16, QStringLiteral("rpUserDataset2"))
        .memo(QStringLiteral("[DayWeek]"), 0, 252, 49, 16)
        .memo(QStringLiteral("[Start]"), 49, 252, 38, 16)
        .memo(QStringLiteral("[Funn]"), 87, 252, 30, 16)
        .memo(QStringLiteral("[Kobetsu0]"), 284, 252, 25, 16)
        .band("Totals", 1, 272, 184)
        .memo(QStringLiteral("[FunnTotal]"), 87, 272, 30, 18)
        .memo(QStringLiteral("[CntTotal]"), 117, 272, 31, 18)
        .memo(QStringLiteral("[Tk1]"), 0, 318, 38, 18);
    QTemporaryDir dir;
    ASSERT_TRUE(part.compileInto(dir.path(), PersonResultPrint::TemplateName));
    const std::vector<int> users{suzuki, yamada};
    const auto shipped = print(April, users);
    ASSERT_TRUE(shipped);
    m_app->context.appDir = dir.path();
    const auto written = print(April, users);
    ASSERT_TRUE(written);
    ASSERT_EQ(build(shipped->report()).size(), 2u);
    ASSERT_EQ(build(written->report()).size(), 2u);
    const PartTemplate::Pages pages = PartTemplate::placed(written->report());
    PartTemplate::expectSamePlaces(pages, PartTemplate::placed(shipped->report()));
    ASSERT_EQ(pages.size(), 2u);
    const auto has = [&pages](size_t page, const QString &text) {
        return std::any_of(pages[page].begin(), pages[page].end(),
                           [&text](const PartTemplate::Placed &placed) { return placed.text == text; });
    };
    EXPECT_TRUE(has(0, QStringLiteral("鈴木 花")));
    EXPECT_TRUE(has(1, QStringLiteral("山田 太郎")));
    EXPECT_TRUE(has(1, QStringLiteral("09:30")));
    EXPECT_FALSE(has(0, QStringLiteral("09:30")));
}

TAMSOLEN_DATABASE_TEST_SUITE(PersonResultTest);
