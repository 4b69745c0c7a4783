#include "MissingTemplate.h"
#include "PlanWindowFixture.h"

#include "plansui/TPaperMenuForm.h"
#include "plansui/TPlanSearchForm.h"
#include "plansui/TPracticePlanForm.h"
#include "plansui/TPrintOutstandingForm.h"
#include "platform/DbQuery.h"

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

// The missing-plans list reached from the plan-papers menu, over the two
// users of the plan windows' database.
class TPrintOutstandingFormTest : public PlanWindowFixture
{
};

TEST_P(TPrintOutstandingFormTest, ListsUsersWithoutPlansAndKeepsPrintingForRows)
{
    TPaperMenuForm menu(m_context->context);
    m_context->publish(PaperMenuForm, &menu);
    TPracticePlanForm practice(m_context->context);
    TPrintOutstandingForm missing(m_context->context);
    menu.SetForms(m_form.get(), &practice, &missing);
    EXPECT_TRUE(menu.PracticePlanBtn->isEnabled());
    EXPECT_TRUE(menu.MissingListBtn->isEnabled());
    menu.show();
    menu.MissingListBtn->click();
    EXPECT_TRUE(missing.isVisible());
    EXPECT_FALSE(menu.isVisible());
    EXPECT_FALSE(missing.PrintBtn->isEnabled());

    ASSERT_TRUE(exec(QStringLiteral("INSERT INTO Practice (CureNo, DataFormatVersion) VALUES (2, 30)")));
    missing.PlanBtn->click();
    ASSERT_EQ(missing.DBGrid1->model()->rowCount(), 2);
    EXPECT_EQ(missing.DBGrid1->model()->index(1, 0).data().toString(), QStringLiteral("00000002"));
    EXPECT_EQ(missing.DBGrid1->model()->index(0, 1).data().toString(), QStringLiteral("山田　花子"));
    EXPECT_TRUE(missing.PrintBtn->isEnabled());
    EXPECT_TRUE(missing.AllDispBtn->isEnabled());

    missing.PractBtn->click();
    ASSERT_EQ(missing.DBGrid1->model()->rowCount(), 1);
    ASSERT_TRUE(exec(QStringLiteral("INSERT INTO Practice (CureNo, DataFormatVersion) VALUES (1, 30)")));
    missing.PractBtn->click();
    EXPECT_EQ(missing.DBGrid1->model()->rowCount(), 0);
    EXPECT_FALSE(missing.PrintBtn->isEnabled()) << "an empty list prints nothing";
    EXPECT_FALSE(missing.KanaBtn[0]->isEnabled());

    missing.ReturnButton->click();
    EXPECT_TRUE(menu.isVisible());
    EXPECT_TRUE(messages().isEmpty()) << messages().join(u'|').toStdString();
}

TEST_P(TPrintOutstandingFormTest, EachListOpensUnfiltered)
{
    ASSERT_TRUE(exec(QStringLiteral("UPDATE Person SET Kana = 'ﾔﾏﾀﾞ' WHERE CureNo = 1")));
    ASSERT_TRUE(exec(QStringLiteral("UPDATE Person SET Kana = 'ｻﾄｳ' WHERE CureNo = 2")));
    TPrintOutstandingForm missing(m_context->context);
    missing.show();
    QTest::mouseClick(missing.PlanBtn, Qt::LeftButton);
    ASSERT_EQ(missing.DBGrid1->model()->rowCount(), 2);
    QTest::mouseClick(missing.KanaBtn[7], Qt::LeftButton); // ヤ
    ASSERT_EQ(missing.DBGrid1->model()->rowCount(), 1);
    QTest::mouseClick(missing.PractBtn, Qt::LeftButton);
    EXPECT_EQ(missing.DBGrid1->model()->rowCount(), 2);
    QTest::mouseClick(missing.KanaBtn[2], Qt::LeftButton); // サ
    ASSERT_EQ(missing.DBGrid1->model()->rowCount(), 1);
    QTest::mouseClick(missing.PlanBtn, Qt::LeftButton);
    EXPECT_EQ(missing.DBGrid1->model()->rowCount(), 2);
}

TEST_P(TPrintOutstandingFormTest, PlanSearchShowsTheDetailsOfTheRowClicked)
{
    ASSERT_TRUE(exec(QStringLiteral("UPDATE Person SET distinctive = '車椅子使用', Kana = 'ﾔﾏﾀﾞ' WHERE CureNo = 1")));
    DbQuery plan(db(), QStringLiteral("INSERT INTO RihaPlan (CureNo, RihaType, KubunCode, PlanRegistDay) "
                                      "VALUES (1, 0, 9, :day)"));
    plan.bind(u"day", DbDate{DateTime::encodeDate(2024, 4, 1)});
    ASSERT_TRUE(exec(plan));
    TPlanSearchForm search(m_context->context);
    search.show();
    ASSERT_EQ(search.PlanGrid->rowCount(), 1);
    EXPECT_EQ(search.PlanGrid->item(0, 3)->text(), QStringLiteral("女性"));
    EXPECT_EQ(search.PlanGrid->item(0, 6)->text(), QStringLiteral("令和06年04月01日"));
    QTest::mouseClick(search.PlanGrid->viewport(), Qt::LeftButton, {},
                      search.PlanGrid->visualRect(search.PlanGrid->model()->index(0, 1)).center());
    EXPECT_EQ(search.NameLabel->text(), QStringLiteral("山田　花子"));
    EXPECT_EQ(search.HihaKubun->text(), QStringLiteral("短期集中 個別"));
    EXPECT_EQ(search.Special->text(), QStringLiteral("車椅子使用"));
    EXPECT_TRUE(search.PlanEnd->text().isEmpty());
    search.KanaBtn[7]->click();
    EXPECT_EQ(search.PlanGrid->rowCount(), 1);
    search.KanaBtn[0]->click();
    EXPECT_EQ(search.PlanGrid->rowCount(), 0);
}

TAMSOLEN_DATABASE_TEST_SUITE(TPrintOutstandingFormTest);

// A template that is not there is told in the one box every printout shows.
TEST_P(TPrintOutstandingFormTest, AMissingTemplateIsToldInTheOneBox)
{
    QTemporaryDir empty;
    m_context->context.appDir = empty.path();
    TPrintOutstandingForm missing(m_context->context);
    missing.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&missing));
    QTest::mouseClick(missing.PlanBtn, Qt::LeftButton);
    ASSERT_TRUE(missing.PrintBtn->isEnabled());
    m_context->dialogs.clear();
    QTest::mouseClick(missing.PrintBtn, Qt::LeftButton);
    expectMissingTemplateTold(m_context->dialogs, empty.filePath(OutstandingList::TemplateName.toString()));
}
