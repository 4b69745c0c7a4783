#include "PlanWindowFixture.h"

#include "coreui/PhraseComboBox.h"
#include "coreui/TMainForm.h"
#include "coreui/TilePanel.h"
#include "plans/PlanStore.h"
#include "plansui/RihaPlanPanel.h"
#include "plansui/TGetPractPlanForm.h"
#include "plansui/TPaperMenuForm.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

class PlanPickersTest : public PlanWindowFixture
{
protected:
    // The picker in a mode, given the number; its result.
    int pick(int mode, const QString &number)
    {
        m_picker->Mode = mode;
        queuePicker(number);
        return Dialogs::exec(m_picker.get());
    }

    void storePlan(int cureNo, const QDate &day)
    {
        TPlan plan;
        plan.CureNo = cureNo;
        plan.PlanRegistDay = DateTime::fromDate(day);
        plan.PlanEndDay = DateTime::fromDate(day.addMonths(3));
        PlanStore store(db());
        ASSERT_EQ(store.save(plan, {}, QStringLiteral("佐藤"), DateTime::fromDate(day)).status, PlanStore::Status::Ok);
    }
};

TEST_P(PlanPickersTest, NumbersAreCheckedBeforeUse)
{
    const std::pair<const char16_t *, const char16_t *> refused[] = {
        {u"0", u"0 より大きい数字を入力してください。"},
        {u"-3", u"0 より大きい数字を入力してください。"},
        {u"12a", u"数字エラーです。\n半角数字で入力してください。"},
        {u"4294967297", u"数字エラーです。\n半角数字で入力してください。"},
        {u"2", u"該当する利用者の治療計画書がありません。\n確認してください。"},
    };
    for (const auto &[number, message] : refused) {
        dialogs().clear();
        EXPECT_NE(pick(TGetCurePlanForm::ChoosePlan, QString::fromUtf16(number)), QDialog::Accepted);
        EXPECT_EQ(messages(), QStringList{QString::fromUtf16(message)});
    }
    EXPECT_EQ(pick(TGetCurePlanForm::ChooseUser, QStringLiteral("2")), QDialog::Accepted);
    EXPECT_EQ(m_picker->CureNo, 2);
}

TEST_P(PlanPickersTest, SeveralPlansAreListedNewestFirst)
{
    storePlan(1, {2024, 1, 10});
    storePlan(1, {2024, 5, 1});
    storePlan(1, {2023, 9, 1});
    dialogs().queueDialog([](QDialog *dialog) {
        auto *picker = static_cast<TGetCurePlanForm *>(dialog);
        picker->CureNoEdit->setText(QStringLiteral("1"));
        picker->ConfirmBtn->click();
        EXPECT_EQ(picker->height(), TGetCurePlanForm::GridHeight);
        EXPECT_FALSE(picker->DecideBtn->isEnabled());
        EXPECT_EQ(picker->PlanGrid->item(0, 0)->text(), QStringLiteral("令和06年05月01日"));
        EXPECT_EQ(picker->PlanGrid->item(2, 0)->text(), QStringLiteral("令和05年09月01日"));
        const QRect second = picker->PlanGrid->visualRect(picker->PlanGrid->model()->index(1, 0));
        QTest::mouseClick(picker->PlanGrid->viewport(), Qt::LeftButton, {}, second.center());
        EXPECT_TRUE(picker->DecideBtn->isEnabled());
        picker->DecideBtn->click();
        return picker->result();
    });
    m_picker->Mode = TGetCurePlanForm::ChoosePlan;
    ASSERT_EQ(Dialogs::exec(m_picker.get()), QDialog::Accepted);
    PlanStore store(db());
    PlanStore::Result result;
    EXPECT_EQ(store.load(m_picker->PlanNo, result)->PlanRegistDay, DateTime::encodeDate(2024, 1, 10));

    storePlan(2, {2024, 2, 2});
    EXPECT_EQ(pick(TGetCurePlanForm::ChoosePlan, QStringLiteral("2")), QDialog::Accepted);
    EXPECT_EQ(store.load(m_picker->PlanNo, result)->CureNo, 2);
}

TEST_P(PlanPickersTest, EnterInTheNumberChecksItAndPressesNoButton)
{
    storePlan(1, {2024, 1, 10});
    TGetPractPlanForm practicePicker(m_context->context);
    int dialogCount = 0;
    for (PlanChooserDialog *picker :
         {static_cast<PlanChooserDialog *>(m_picker.get()), static_cast<PlanChooserDialog *>(&practicePicker)}) {
        dialogs().clear();
        dialogs().queueDialog([](QDialog *dialog) {
            auto *shown = static_cast<PlanChooserDialog *>(dialog);
            QTest::keyClicks(shown->CureNoEdit, QStringLiteral("0"));
            QTest::keyClick(shown->CureNoEdit, Qt::Key_Return);
            EXPECT_TRUE(shown->isVisible());
            shown->CureNoEdit->clear();
            QTest::keyClicks(shown->CureNoEdit, QStringLiteral("1"));
            QTest::keyClick(shown->CureNoEdit, Qt::Key_Enter, Qt::KeypadModifier);
            return shown->result();
        });
        picker->Mode = PlanChooserDialog::ChooseUser;
        EXPECT_EQ(Dialogs::exec(picker), QDialog::Accepted) << picker->objectName().toStdString();
        EXPECT_EQ(picker->CureNo, 1);
        // Only the number check spoke; the user search was never opened.
        EXPECT_EQ(messages(), QStringList{QStringLiteral("0 より大きい数字を入力してください。")});
        EXPECT_EQ(dialogs().dialogCount(), ++dialogCount);
    }
    // A plan chosen with Enter alone.
    m_picker->Mode = PlanChooserDialog::ChoosePlan;
    dialogs().queueDialog([](QDialog *dialog) {
        auto *shown = static_cast<PlanChooserDialog *>(dialog);
        QTest::keyClicks(shown->CureNoEdit, QStringLiteral("1"));
        QTest::keyClick(shown->CureNoEdit, Qt::Key_Return);
        return shown->result();
    });
    EXPECT_EQ(Dialogs::exec(m_picker.get()), QDialog::Accepted);
}

TEST_P(PlanPickersTest, EveryShownPartLiesWholeInThePicker)
{
    storePlan(1, {2024, 1, 10});
    storePlan(1, {2024, 5, 1});
    // A part lies whole in the dialog or whole below its short height.
    const auto checkWhole = [](const QDialog *picker) {
        for (const QWidget *child : picker->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (child->isVisible() && child->geometry().intersects(picker->rect())) {
                EXPECT_TRUE(picker->rect().contains(child->geometry()))
                    << child->metaObject()->className() << " at " << child->geometry().top();
            }
        }
    };
    dialogs().queueDialog([&checkWhole](QDialog *dialog) {
        auto *picker = static_cast<PlanChooserDialog *>(dialog);
        checkWhole(picker);
        EXPECT_FALSE(picker->PromptLabel->isVisible());
        picker->CureNoEdit->setText(QStringLiteral("1"));
        QTest::mouseClick(picker->ConfirmBtn, Qt::LeftButton);
        EXPECT_TRUE(picker->PromptLabel->isVisible());
        checkWhole(picker);
        return int(QDialog::Rejected);
    });
    m_picker->Mode = PlanChooserDialog::ChoosePlan;
    EXPECT_EQ(Dialogs::exec(m_picker.get()), QDialog::Rejected);
}

TEST_P(PlanPickersTest, CancelledUserSearchCancelsThePicker)
{
    dialogs().queueDialog([](QDialog *dialog) {
        static_cast<TGetCurePlanForm *>(dialog)->SearchBtn->click();
        return dialog->result();
    });
    m_picker->Mode = TGetCurePlanForm::ChooseUser;
    EXPECT_EQ(Dialogs::exec(m_picker.get()), QDialog::Rejected);
    EXPECT_EQ(dialogs().dialogCount(), 2);
}

TEST_P(PlanPickersTest, MemoPhrasesGoToTheClipboardLineByLine)
{
    queuePicker(QStringLiteral("1"));
    m_form->NewBtnClick();
    dialogs().queueDialog([](QDialog *dialog) {
        auto *strings = static_cast<TStringsForm *>(dialog);
        strings->TextBox[1]->setEditText(QStringLiteral("歩行器使用"));
        strings->TextBox[4]->setEditText(QStringLiteral("見守り"));
        strings->CopyBtn->click();
        return strings->result();
    });
    QTest::mouseDClick(m_form->PlanPanel->Sonota->viewport(), Qt::LeftButton);
    EXPECT_EQ(m_strings->CommentCode, 7);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("歩行器使用\r\n見守り"));
    EXPECT_TRUE(m_form->PlanPanel->Sonota->toPlainText().isEmpty());
}

TEST_P(PlanPickersTest, PlanTileOpensTheMenuAndTheEditorHidesIt)
{
    m_form->close();
    TMainForm main(m_context->context);
    m_context->publish(MainForm, &main);
    TPaperMenuForm menu(m_context->context);
    m_context->publish(PaperMenuForm, &menu);
    menu.SetForms(m_form.get(), nullptr, nullptr);
    main.SetTileForm(Artwork::Tile::Paper, &menu);
    main.show();
    EXPECT_FALSE(menu.PracticePlanBtn->isEnabled());
    EXPECT_FALSE(menu.MissingListBtn->isEnabled());

    QTest::mouseClick(main.tilePanel(Artwork::Tile::Paper), Qt::LeftButton);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_FALSE(main.isVisible());
    menu.CurePlanBtn->click();
    EXPECT_TRUE(m_form->isVisible());
    EXPECT_FALSE(menu.isVisible());
    m_form->close();
    EXPECT_TRUE(menu.isVisible());
    menu.ReturnBtn->click();
    EXPECT_TRUE(main.isVisible());
}

TAMSOLEN_DATABASE_TEST_SUITE(PlanPickersTest);
