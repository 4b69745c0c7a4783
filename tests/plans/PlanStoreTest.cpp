#include "DatabaseFixture.h"

#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "plans/PlanStore.h"

namespace {

const TDateTime Today = DateTime::encodeDate(2024, 5, 20);

TPlan makePlan(int cureNo, TDateTime registDay, const QString &remark)
{
    TPlan plan;
    plan.CureNo = cureNo;
    plan.PlanRegistDay = registDay;
    plan.PlanEndDay = registDay + 90;
    plan.Name = QStringLiteral("山田　花子");
    plan.Sex = 1;
    plan.Birth = DateTime::encodeDate(1940, 4, 1);
    plan.RihaType = 2;
    plan.KubunCode = 10;
    plan.Jiritsu_KBN = 3;
    plan.Ninchi_KBN = 2;
    plan.YOUKAIGO_KBN = 4;
    plan.Disease = {QStringLiteral("脳梗塞"), QStringLiteral("高血圧症"), {}, {}, {}, QStringLiteral("骨折")};
    plan.Body.KansetuTxt = remark;
    plan.Body.Mondai[0] = QStringLiteral("歩行が不安定");
    plan.Body.Negaeri = 1;
    return plan;
}

const std::vector<FigureRow> Marks = {{0, 0, -1, 10, 20}, {2, 1, -1, 30, 40}, {3, 0, 3, -1, -1}};

} // namespace

class PlanStoreTest : public DatabaseFixture
{
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(exec(QStringLiteral("INSERT INTO Person (Name, Sex, Birth, RihaType) VALUES ('山田　花子', 1, "
                                         "'1940-04-01 00:00:00.000', 2)")));
    }

    int count(const QString &table)
    {
        DbDataSet rows;
        EXPECT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT * FROM ") + table)));
        return rows.recordCount();
    }

    int saved(const TPlan &plan, const std::vector<FigureRow> &rows = Marks)
    {
        PlanStore store(db());
        const PlanStore::Result result = store.save(plan, rows, QStringLiteral("佐藤　花子"), Today + 0.5);
        EXPECT_EQ(result.status, PlanStore::Status::Ok) << result.message.toStdString();
        return result.planNo;
    }
};

TEST_P(PlanStoreTest, SavedPlanReadsBackEqual)
{
    const TDateTime day = DateTime::encodeDate(2024, 5, 1);
    TPlan plan = makePlan(1, day, QStringLiteral("右肩"));
    const int planNo = saved(plan);
    ASSERT_GT(planNo, 0);

    PlanStore store(db());
    PlanStore::Result result;
    const std::optional<TPlan> read = store.load(planNo, result);
    ASSERT_TRUE(read) << result.message.toStdString();
    plan.PlanNo = planNo;
    plan.Creator = QStringLiteral("佐藤　花子");
    plan.CreateDay = plan.UpdateDay = Today;
    EXPECT_EQ(*read, plan);
    EXPECT_EQ(store.figures(planNo), Marks);
    EXPECT_EQ(PlanStore::savedMessage(plan),
              QStringLiteral("利用者番号 = 1\n計画登録日 = 2024/05/01\nで登録しました。"));
}

TEST_P(PlanStoreTest, SameDayReplacesOtherDaysStay)
{
    const TDateTime may = DateTime::encodeDate(2024, 5, 1);
    const int older = saved(makePlan(1, DateTime::encodeDate(2024, 2, 1), QStringLiteral("二月")));
    const int first = saved(makePlan(1, may, QStringLiteral("一回目")));
    const int second = saved(makePlan(1, may + 0.25, QStringLiteral("二回目")), {{1, 1, -1, 5, 5}});

    PlanStore store(db());
    PlanStore::Result result;
    EXPECT_EQ(store.sameDayPlans(makePlan(1, may, {}), result), std::vector<int>{second});
    EXPECT_FALSE(store.load(first, result));
    EXPECT_EQ(result.status, PlanStore::Status::NotFound);
    EXPECT_EQ(store.figures(first)->size(), 0u);
    EXPECT_EQ(store.figures(second), (std::vector<FigureRow>{{1, 1, -1, 5, 5}}));
    EXPECT_EQ(store.figures(older), Marks);
    EXPECT_EQ(count(QStringLiteral("Figure")), 4);

    const std::optional<std::vector<PlanStore::PlanEntry>> entries = store.plansOf(1);
    ASSERT_EQ(entries->size(), 2u);
    EXPECT_EQ((*entries)[0].PlanNo, second);
    EXPECT_EQ((*entries)[1].PlanNo, older);
    EXPECT_GT(second, first); // keys are never reused
}

TEST_P(PlanStoreTest, FailedSaveKeepsTheOldPlan)
{
    const TDateTime day = DateTime::encodeDate(2024, 5, 1);
    const int planNo = saved(makePlan(1, day, QStringLiteral("元の計画")));
    ASSERT_TRUE(exec(QStringLiteral("ALTER TABLE Figure RENAME TO FigureAway")));

    PlanStore store(db());
    const PlanStore::Result result =
        store.save(makePlan(1, day, QStringLiteral("新しい計画")), Marks, QStringLiteral("佐藤"), Today);
    EXPECT_EQ(result.status, PlanStore::Status::WriteFailed);
    EXPECT_EQ(result.message, QStringLiteral("登録に失敗しました。"));
    EXPECT_FALSE(db().inTransaction());

    ASSERT_TRUE(exec(QStringLiteral("ALTER TABLE FigureAway RENAME TO Figure")));
    PlanStore::Result loaded;
    const std::optional<TPlan> kept = store.load(planNo, loaded);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->Body.KansetuTxt, QStringLiteral("元の計画"));
    EXPECT_EQ(store.figures(planNo), Marks);
    EXPECT_EQ(count(QStringLiteral("RihaPlan")), 1);
}

TEST_P(PlanStoreTest, RemoveDeletesThePlanAndItsMarks)
{
    const int keep = saved(makePlan(1, DateTime::encodeDate(2024, 4, 1), {}));
    const int gone = saved(makePlan(1, DateTime::encodeDate(2024, 5, 1), {}));
    PlanStore store(db());
    EXPECT_EQ(store.remove(gone).status, PlanStore::Status::Ok);
    EXPECT_EQ(count(QStringLiteral("RihaPlan")), 1);
    EXPECT_EQ(store.figures(keep), Marks);
    EXPECT_EQ(count(QStringLiteral("Figure")), 3);
}

TEST_P(PlanStoreTest, StampsAndCuts)
{
    TPlan plan = makePlan(1, DateTime::encodeDate(2024, 5, 1), {});
    plan.Disease[0] = QString(30, QChar(u'病')); // 60 bytes
    PlanStore store(db());
    const QString creator = QString(29, QChar(u'名')) + QStringLiteral("𠮷𠮷");
    const PlanStore::Result result = store.save(plan, {}, creator, Today + 0.9);
    PlanStore::Result loaded;
    const std::optional<TPlan> read = store.load(result.planNo, loaded);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Creator, QString(29, QChar(u'名')) + QStringLiteral("𠮷"));
    EXPECT_EQ(read->Disease[0], QString(25, QChar(u'病')));
    EXPECT_TRUE(read->Updator.isEmpty());
    EXPECT_EQ(read->CreateDay, Today);
}

TEST_P(PlanStoreTest, ShortBodyAndMissingUserAreRefused)
{
    ASSERT_TRUE(exec(QStringLiteral("INSERT INTO RihaPlan (CureNo, PlanData) VALUES (1, NULL)")));
    PlanStore store(db());
    const std::optional<std::vector<PlanStore::PlanEntry>> entries = store.plansOf(1);
    ASSERT_EQ(entries->size(), 1u);
    PlanStore::Result result;
    EXPECT_FALSE(store.load(entries->front().PlanNo, result));
    EXPECT_EQ(result.status, PlanStore::Status::BadBody);

    EXPECT_FALSE(store.user(2, result));
    EXPECT_EQ(result.message, QStringLiteral("治療番号の利用者が見つかりません。"));
    const std::optional<TPerson> user = store.user(1, result);
    ASSERT_TRUE(user);
    TPlan plan;
    plan.setUser(*user);
    EXPECT_EQ(plan.Name, QStringLiteral("山田　花子"));
    EXPECT_EQ(plan.RihaType, 2);
}

// A stored body longer than the layout loads its first 3,700 bytes.
TEST_P(PlanStoreTest, LongerBodyLoads)
{
    const TPlan plan = makePlan(1, Today, QStringLiteral("右肩"));
    const int planNo = saved(plan);
    DbQuery longer(db(), QStringLiteral("UPDATE RihaPlan SET PlanData = :body WHERE PlanNo = :no"));
    longer.bind(u"body", plan.Body.toBytes() + QByteArray(3800 - TPlanData::PlanDataSize, char(0xff)))
        .bind(u"no", planNo);
    ASSERT_TRUE(longer.exec()) << longer.errorText().toStdString();
    PlanStore store(db());
    PlanStore::Result result;
    const std::optional<TPlan> read = store.load(planNo, result);
    ASSERT_TRUE(read) << result.message.toStdString();
    EXPECT_EQ(read->Body, plan.Body);
}

TAMSOLEN_DATABASE_TEST_SUITE(PlanStoreTest);
