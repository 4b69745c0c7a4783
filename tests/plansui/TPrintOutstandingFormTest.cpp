#include "PlanWindowFixture.h"

#include "plansui/TPaperMenuForm.h"
#include "plansui/TPracticePlanForm.h"
#include "plansui/TPrintOutstandingForm.h"

#include <QPushButton>
#include <QTableWidget>

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
    ASSERT_EQ(missing.DBGrid1->rowCount(), 2);
    EXPECT_EQ(missing.DBGrid1->item(1, 0)->text(), QStringLiteral("00000002"));
    EXPECT_EQ(missing.DBGrid1->item(0, 1)->text(), QStringLiteral("山田　花子"));
    EXPECT_TRUE(missing.PrintBtn->isEnabled());
    EXPECT_TRUE(missing.AllDispBtn->isEnabled());

    missing.PractBtn->click();
    ASSERT_EQ(missing.DBGrid1->rowCount(), 1);
    ASSERT_TRUE(exec(QStringLiteral("INSERT INTO Practice (CureNo, DataFormatVersion) VALUES (1, 30)")));
    missing.PractBtn->click();
    EXPECT_EQ(missing.DBGrid1->rowCount(), 0);
    EXPECT_FALSE(missing.PrintBtn->isEnabled()) << "an empty list prints nothing";
    EXPECT_FALSE(missing.KanaBtn[0]->isEnabled());

    missing.ReturnButton->click();
    EXPECT_TRUE(menu.isVisible());
    EXPECT_TRUE(messages().isEmpty()) << messages().join(u'|').toStdString();
}

TAMSOLEN_DATABASE_TEST_SUITE(TPrintOutstandingFormTest);
