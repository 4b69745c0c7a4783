#include "PlanPrintFixture.h"

#include "plans/PlanStore.h"
#include "plans/PracticeStore.h"
#include "plans/TPlan.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "report/building/TrpReport.h"
#include "report/objects/TrpView.h"

int PlanPrintFixture::addUser(const QString &name, const QString &kana)
{
    DbQuery insert(db(), QStringLiteral("INSERT INTO Person (Name, Kana, Sex, Birth, RihaType, KubunCode, "
                                        "Jiritsu_KBN, Ninchi_KBN, YOUKAIGO_KBN) "
                                        "VALUES (:name, :kana, 1, :birth, 2, 10, 3, 2, 4)"));
    insert.bind(u"name", name).bind(u"kana", kana).bind(u"birth", DbDate{DateTime::encodeDate(1940, 4, 1)});
    EXPECT_TRUE(exec(insert));
    DbDataSet rows;
    EXPECT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT MAX(CureNo) AS CureNo FROM Person"))));
    return rows.field(u"CureNo").asInteger();
}

int PlanPrintFixture::addPlan(int cureNo, TDateTime day, const std::vector<FigureRow> &figures)
{
    PlanStore store(db());
    PlanStore::Result result;
    std::optional<TPerson> person = store.user(cureNo, result);
    EXPECT_TRUE(person) << result.message.toStdString();
    TPlan plan;
    plan.setUser(*person);
    plan.PlanRegistDay = day;
    plan.Body.Mondai[0] = QStringLiteral("課題") + person->Name;
    result = store.save(plan, figures, QStringLiteral("佐藤"), day);
    EXPECT_EQ(result.status, PlanStore::Status::Ok) << result.message.toStdString();
    return result.planNo;
}

int PlanPrintFixture::addPractice(int cureNo, const TPractice &record)
{
    const PracticeStore::Result result = PracticeStore(db()).save(cureNo, record);
    EXPECT_EQ(result.status, PracticeStore::Status::Ok) << result.message.toStdString();
    return result.planNo;
}

QStringList PlanPrintFixture::pageTexts(TrpReport &report, int page)
{
    QStringList texts;
    for (const std::unique_ptr<TrpView> &view : report.EMFPages()[page].objects())
        texts.append(view->ExpandedMemo.join(QLatin1Char('\n')).trimmed());
    return texts;
}

QStringList PlanPrintFixture::lineTexts(TrpReport &report, int page, const QString &label)
{
    const auto &objects = report.EMFPages()[page].objects();
    const auto found = std::find_if(objects.begin(), objects.end(), [&label](const std::unique_ptr<TrpView> &view) {
        return view->ExpandedMemo.join(QLatin1Char('\n')).trimmed() == label;
    });
    QStringList texts;
    if (found == objects.end())
        return texts;
    for (const std::unique_ptr<TrpView> &view : objects) {
        if (view->Top == (*found)->Top)
            texts.append(view->ExpandedMemo.join(QLatin1Char('\n')).trimmed());
    }
    return texts;
}
