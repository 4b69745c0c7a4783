#include "PersonRows.h"
#include "ResultsFixture.h"

#include "plans/TPlanData.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "report/building/TrpReport.h"
#include "report/data/TrpUserDataset.h"
#include "report/objects/TrpView.h"
#include "report/pages/TrpPrinter.h"
#include "reportui/TemplatePrintout.h"
#include "results/DailyRecordPrint.h"
#include "results/PersonRecordPrint.h"
#include "resultsui/ResultPrintouts.h"

namespace {

const TDateTime April = DateTime::encodeDate(2024, 4, 1);

class ResultPrintoutsTest : public ResultsFixture
{
protected:
    void SetUp() override
    {
        ResultsFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        TPerson person = PersonRows::make(QStringLiteral("山田 太郎"), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
        person.Sex = 1;
        m_cureNo = PersonRows::insert(db(), person);
    }
    void addPlan(TDateTime day, const QString &program1, qsizetype size = TPlanData::PlanDataSize)
    {
        TPlanData data;
        data.Program[0] = program1;
        DbQuery insert(db(), QStringLiteral("INSERT INTO RihaPlan (CureNo, PlanRegistDay, PlanData) VALUES (?, ?, ?)"));
        insert.addBind(m_cureNo).addBind(DbDate{day}).addBind(data.toBytes().left(size));
        ASSERT_TRUE(insert.exec()) << insert.errorText().toStdString();
    }
    // Builds the template over the values; every text of every page,
    // pages apart.
    std::vector<QStringList> build(QStringView name, int rows, const ResultPrintouts::Values &values)
    {
        TrpPrinter printer{QStringList()};
        QObject form;
        TrpReport report(&form);
        report.setPrinter(printer);
        TrpUserDataset dataset(&form);
        TemplatePrintout::bind(report, dataset, rows, values);
        EXPECT_TRUE(report.LoadFromFile(QStringLiteral(TAMSOLEN_TEMPLATE_DIR "/") + name.toString()));
        EXPECT_TRUE(report.PrepareReport());
        EXPECT_FALSE(report.hasError()) << report.ErrorText().toStdString();
        std::vector<QStringList> pages;
        for (int i = 0; i < report.EMFPages().Count(); ++i) {
            QStringList texts;
            for (const std::unique_ptr<TrpView> &view : report.EMFPages()[i].objects())
                texts.append(view->ExpandedMemo.join(QLatin1Char('\n')));
            pages.push_back(texts);
        }
        return pages;
    }

    int m_cureNo = 0;
};

} // namespace

TEST_P(ResultPrintoutsTest, PersonRecordHasADayLinePerDayOfTheMonth)
{
    CureResult morning = ResultRows::make(m_cureNo, April + 6 + 0.5);
    morning.RStartTime = DateTime::encodeTime(9, 15);
    CureResult afternoon = ResultRows::make(m_cureNo, April + 6);
    afternoon.RStartTime = DateTime::encodeTime(14, 0);
    afternoon.RMinute = 30;
    ResultRows::insert(db(), {afternoon, morning});
    PersonMedicalRecord record(m_app->context);
    record.setMonth(April);
    ASSERT_TRUE(record.load(m_cureNo, std::nullopt));
    QString message;
    EXPECT_FALSE(record.latestPlan(message));
    EXPECT_EQ(message, QStringLiteral("リハビリ計画書データが見つかりません。"));
    addPlan(DateTime::encodeDate(2024, 1, 10), QStringLiteral("古い計画"));
    addPlan(DateTime::encodeDate(2024, 3, 10), QStringLiteral("歩行訓練"));
    auto plan = record.latestPlan(message);
    ASSERT_TRUE(plan);
    m_app->mainModule.FacilityName = QStringLiteral("さくらの里");
    const PersonRecordPrint print(record, *plan, m_app->mainModule.FacilityName);
    EXPECT_EQ(print.dayCount(), 30);
    EXPECT_EQ(print.value(QStringLiteral("Program1"), 0)->toText(), QStringLiteral("歩行訓練"));
    EXPECT_EQ(print.value(QStringLiteral("Sex"), 0)->toText(), QStringLiteral("女性"));
    EXPECT_EQ(print.value(QStringLiteral("EndDay"), 0)->toText(), QString());
    EXPECT_EQ(print.value(QStringLiteral("Start"), 6)->toText(), QStringLiteral("09:15"));
    EXPECT_EQ(print.value(QStringLiteral("Start"), 7)->toText(), QString());
    EXPECT_EQ(print.value(QStringLiteral("Toki"), 6)->toText(), QString());
    EXPECT_EQ(print.value(QStringLiteral("Tk2"), 0)->toText(), QStringLiteral("ス"));
    EXPECT_EQ(print.value(QStringLiteral("Tk3"), 0)->toText(), QString());
    EXPECT_FALSE(print.value(QStringLiteral("Unknown"), 0));

    const auto pages = build(ResultPrintouts::PersonTemplate, print.dayCount(),
                             [&print](const QString &name, int row) { return print.value(name, row); });
    ASSERT_EQ(pages.size(), 1u);
    const QStringList &texts = pages[0];
    EXPECT_TRUE(texts.contains(QStringLiteral(" 7 (日)")));
    EXPECT_TRUE(texts.contains(QStringLiteral("30 (火)")));
    EXPECT_FALSE(texts.contains(QStringLiteral("31 (水)")));
    EXPECT_TRUE(texts.contains(QStringLiteral("1　歩行訓練")));
    EXPECT_TRUE(texts.contains(QStringLiteral("さくらの里")));
    EXPECT_TRUE(texts.contains(QStringLiteral("50"))); // the 7th's minutes and the total
    EXPECT_EQ(texts.count(QStringLiteral("ヤ")), 1);
}

// The printout reads a plan as the plan editor does: a body one byte short
// is refused with the editor's message, never read as if zeros followed.
TEST_P(ResultPrintoutsTest, AShortPlanIsRefusedAsTheEditorRefusesIt)
{
    addPlan(DateTime::encodeDate(2024, 3, 10), QStringLiteral("歩行訓練"), TPlanData::PlanDataSize - 1);
    PersonMedicalRecord record(m_app->context);
    record.setMonth(April);
    ASSERT_TRUE(record.load(m_cureNo, std::nullopt));
    QString message;
    EXPECT_FALSE(record.latestPlan(message));
    EXPECT_EQ(message, QStringLiteral("治療計画書のデータが壊れています。"));

    ResultPrintouts printouts(m_app->context);
    EXPECT_FALSE(printouts.printPersonRecord(record));
    ASSERT_EQ(m_app->dialogs.messages().size(), 1);
    EXPECT_EQ(m_app->dialogs.messages()[0].text, message);
}

TEST_P(ResultPrintoutsTest, DailyRecordListsTheLoadedDay)
{
    const TDateTime day = DateTime::encodeDate(2024, 4, 10);
    CureResult first = ResultRows::make(m_cureNo, day);
    first.Comment = QStringLiteral("良好");
    CureResult second = ResultRows::make(m_cureNo, day);
    second.RStartTime = DateTime::encodeTime(11, 0);
    ResultRows::insert(db(), {first, second});
    DailyMedicalRecord record(m_app->context);
    ASSERT_TRUE(record.load(day, 1, 0));
    const DailyRecordPrint print(record, QStringLiteral("さくらの里"), QString(), 0, Clock::now());
    EXPECT_EQ(print.value(QStringLiteral("CureNo"), 0)->toText(), QStringLiteral("%1").arg(m_cureNo, 8));
    EXPECT_EQ(print.value(QStringLiteral("Kubun04"), 0)->toText(), QStringLiteral("○"));
    EXPECT_EQ(print.value(QStringLiteral("Kubun01"), 0)->toText(), QStringLiteral(" "));
    EXPECT_EQ(print.value(QStringLiteral("Comment"), 1)->toText(), QStringLiteral("　"));
    EXPECT_EQ(print.value(QStringLiteral("TantouName"), 0)->toText(), QStringLiteral("　"));
    EXPECT_EQ(print.value(QStringLiteral("YYMM"), 0)->toText(), QStringLiteral("令和06年04月10日"));
    EXPECT_EQ(print.value(QStringLiteral("Sakuseibi"), 0)->toText(), QStringLiteral("令和06年04月20日14時05分"));

    const auto pages = build(ResultPrintouts::DailyTemplate, print.rowCount(),
                             [&print](const QString &name, int row) { return print.value(name, row); });
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("良好")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("11:00")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("実施回数　2　回")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("1 / 1")));
}

TAMSOLEN_DATABASE_TEST_SUITE(ResultPrintoutsTest);
