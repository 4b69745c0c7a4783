#include "PlanPrintFixture.h"
#include "TestContext.h"

#include "base/Clock.h"
#include "printingui/PlanPickGrid.h"
#include "printingui/TPrintMenuForm.h"
#include "printingui/TPrintPractForm.h"
#include "printingui/TPrintRihaForm.h"

#include <QAbstractItemModel>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QStringList logged;

void logTo(QtMsgType, const QMessageLogContext &, const QString &message)
{
    logged.append(message);
}

} // namespace

// The two plan printing forms opened from the print menu, over two users
// with a plan of each kind; the clock on 2024-05-20.
class PlanPrintFormsTest : public PlanPrintFixture
{
protected:
    void SetUp() override
    {
        PlanPrintFixture::SetUp();
        if (IsSkipped())
            return;
        Clock::setFixed(QDateTime(QDate(2024, 5, 20), QTime(10, 0)));
        const int yamada = addUser(QStringLiteral("山田"), QStringLiteral("ﾔﾏﾀﾞ"));
        const int aoki = addUser(QStringLiteral("青木"), QStringLiteral("ｱｵｷ"));
        TPractice record;
        record.PractDay = DateTime::encodeDate(2024, 4, 2);
        addPractice(yamada, record);
        addPractice(aoki, record);
        addPlan(yamada, DateTime::encodeDate(2024, 4, 1));
        addPlan(aoki, DateTime::encodeDate(2023, 4, 1));
    }
    void TearDown() override
    {
        Clock::reset();
        PlanPrintFixture::TearDown();
    }

    static int rows(const PlanPrintForm &form) { return form.Grid->DBGrid1->model()->rowCount(); }
    static QString cell(const PlanPrintForm &form, int row, int column)
    {
        return form.Grid->DBGrid1->model()->index(row, column).data().toString();
    }
    static int selected(const PlanPrintForm &form)
    {
        return int(form.Grid->DBGrid1->selectionModel()->selectedRows().size());
    }
    static void clickRow(const PlanPrintForm &form, int row)
    {
        QTableView *grid = form.Grid->DBGrid1;
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row, 2)).center());
    }
};

// A form that goes, as every form does at the program's end, leaves nothing in the log.
TEST_P(PlanPrintFormsTest, FormsGoWithoutWarnings)
{
    QTemporaryDir noTemplates;
    TestContext context(db(), noTemplates.path());
    auto form = std::make_unique<TPrintRihaForm>(context.context);
    form->show();
    logged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(logTo);
    form.reset();
    qInstallMessageHandler(previous);
    EXPECT_TRUE(logged.isEmpty()) << logged.join(u'\n').toStdString();
}

TEST_P(PlanPrintFormsTest, PracticeFormListsNarrowsSelectsAndTellsWhatItCannotPrint)
{
    QTemporaryDir noTemplates;
    TestContext context(db(), noTemplates.path());
    TPrintMenuForm menu(context.context);
    context.publish(PrintMenuForm, &menu);
    TPrintPractForm form(context.context);
    menu.SetForm(menu.Button2, &form);
    menu.show();
    menu.Button2->click();
    ASSERT_TRUE(form.isVisible());
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("リハビリ実施計画書（印刷）"));
    EXPECT_FALSE(form.PrintBtn->isEnabled());
    EXPECT_FALSE(form.Grid->KanaBtn[0]->isEnabled());

    QTest::mouseClick(form.AllBtn, Qt::LeftButton);
    ASSERT_EQ(rows(form), 2);
    EXPECT_EQ(cell(form, 0, 1), QStringLiteral("ｱｵｷ"));
    EXPECT_EQ(cell(form, 1, 3), QStringLiteral("2024/04/02"));
    ASSERT_TRUE(form.PrintBtn->isEnabled());

    QTest::mouseClick(form.PrintBtn, Qt::LeftButton);
    EXPECT_EQ(context.dialogs.messageTexts(), QStringList{QStringLiteral("選択データがありません。")});

    QTest::mouseClick(form.Grid->KanaBtn[7], Qt::LeftButton);
    ASSERT_EQ(rows(form), 1);
    EXPECT_EQ(cell(form, 0, 2), QStringLiteral("山田"));
    QTest::mouseClick(form.Grid->AllDispBtn, Qt::LeftButton);
    EXPECT_EQ(rows(form), 2);
    QTest::mouseClick(form.AllSelectBtn, Qt::LeftButton);
    EXPECT_EQ(selected(form), 2);
    QTest::mouseClick(form.EraseBtn, Qt::LeftButton);
    EXPECT_EQ(selected(form), 0);

    // A template that does not load: the engine's error and no preview.
    clickRow(form, 1);
    ASSERT_EQ(selected(form), 1);
    context.dialogs.clear();
    QTest::mouseClick(form.PrintBtn, Qt::LeftButton);
    ASSERT_EQ(context.dialogs.messages().size(), 1);
    EXPECT_EQ(context.dialogs.messages()[0].caption, QStringLiteral("Error"));
    EXPECT_TRUE(context.dialogs.messages()[0].text.startsWith(QStringLiteral("Cannot open file")));

    QTest::mouseClick(form.ReturnButton, Qt::LeftButton);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(rows(form), 0);
}

TEST_P(PlanPrintFormsTest, TreatmentFormsTwinButtonsListAndPrintThenTheListIsReadAgain)
{
    TestContext context(db(), QStringLiteral(TAMSOLEN_TEMPLATE_DIR));
    TPrintMenuForm menu(context.context);
    context.publish(PrintMenuForm, &menu);
    TPrintRihaForm form(context.context);
    menu.SetForm(menu.Button3, &form);
    menu.show();
    menu.Button3->click();
    ASSERT_TRUE(form.isVisible());
    EXPECT_FALSE(form.EraseBtn2->isEnabled());

    // The latest list holds the plans after 2024-02-01 only.
    QTest::mouseClick(form.NewBtn2, Qt::LeftButton);
    ASSERT_EQ(rows(form), 1);
    EXPECT_EQ(cell(form, 0, 1), QStringLiteral("山田"));
    EXPECT_EQ(cell(form, 0, 2), QStringLiteral("R06.04.01"));
    QTest::mouseClick(form.AllBtn2, Qt::LeftButton);
    ASSERT_EQ(rows(form), 2);
    EXPECT_TRUE(form.EraseBtn2->isEnabled());
    QTest::mouseClick(form.AllSelectBtn2, Qt::LeftButton);
    EXPECT_EQ(selected(form), 2);
    QTest::mouseClick(form.EraseBtn2, Qt::LeftButton);
    EXPECT_EQ(selected(form), 0);
    QTest::mouseClick(form.AllSelectBtn, Qt::LeftButton);
    QTest::mouseClick(form.PrintBtn, Qt::LeftButton);
    EXPECT_TRUE(context.dialogs.messageTexts().isEmpty()) << context.dialogs.messageTexts().join(u'|').toStdString();
    EXPECT_EQ(rows(form), 0);
    EXPECT_FALSE(form.PrintBtn->isEnabled());

    QTest::mouseClick(form.ReturnButton2, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(menu.isVisible());
}

TAMSOLEN_DATABASE_TEST_SUITE(PlanPrintFormsTest);
