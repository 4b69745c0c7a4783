#include "PlanWindowFixture.h"

#include "base/Sjis.h"
#include "coreui/EraLineEdit.h"
#include "coreui/PhraseComboBox.h"
#include "coreui/TStringsForm.h"
#include "plans/PracticeStore.h"
#include "plansui/PracticeGrid.h"
#include "plansui/PracticeHopePage.h"
#include "plansui/PracticeStatePage.h"
#include "plansui/TABCForm.h"
#include "plansui/TGetPractPlanForm.h"
#include "plansui/TPracticePlanForm.h"
#include "plansui/TTimeForm.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

namespace {

const QString Overwrite = QStringLiteral("保存されたデータがあります。\n上書きしますか？");
const QString Saved = QStringLiteral("実施計画を保存しました。");
const QString Cancelled = QStringLiteral("実施計画書の保存はキャンセルしました。");

} // namespace

// The practice plan editor with its pickers on the plan windows' database.
class TPracticePlanFormTest : public PlanWindowFixture
{
protected:
    void SetUp() override
    {
        PlanWindowFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_context->mainModule.setStaff({{3, QStringLiteral("山田　太郎")}, {7, QStringLiteral("佐藤　花子")}});
        m_chooser = std::make_unique<TGetPractPlanForm>(m_context->context);
        m_context->publish(GetPractPlanForm, m_chooser.get());
        m_abc = std::make_unique<TABCForm>();
        m_context->publish(ABCForm, m_abc.get());
        m_time = std::make_unique<TTimeForm>();
        m_context->publish(TimeForm, m_time.get());
        m_practice = std::make_unique<TPracticePlanForm>(m_context->context);
        m_practice->show();
    }
    void TearDown() override
    {
        m_practice.reset();
        m_time.reset();
        m_abc.reset();
        m_chooser.reset();
        PlanWindowFixture::TearDown();
    }

    PracticeStatePage *page1() { return m_practice->Page1; }

    void newPlan(const QString &number)
    {
        queuePicker(number);
        m_practice->NewMenu->trigger();
    }

    // A plan of user 1 on 2024-05-20 with a few entries.
    void writePlan()
    {
        newPlan(QStringLiteral("1"));
        ASSERT_TRUE(m_practice->planShown());
        page1()->findChild<QLineEdit *>(QStringLiteral("EtcEdit"))->setText(QStringLiteral("施設"));
        page1()->findChild<QCheckBox *>(QStringLiteral("EtcBox"))->click();
        page1()->HDSEdit->setText(QStringLiteral("05"));
        QTest::mouseClick(page1()->Grid2->mark(7), Qt::LeftButton);
        QTest::mouseClick(page1()->Grid2->mark(7), Qt::LeftButton);
        m_practice->Page2->TeamBox[12]->setCurrentIndex(1);
    }

    int rowCount()
    {
        DbDataSet rows;
        EXPECT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT PractNo FROM Practice"))));
        return rows.recordCount();
    }

    std::unique_ptr<TGetPractPlanForm> m_chooser;
    std::unique_ptr<TABCForm> m_abc;
    std::unique_ptr<TTimeForm> m_time;
    std::unique_ptr<TPracticePlanForm> m_practice;
};

TEST_P(TPracticePlanFormTest, NewForAnUnknownUserShowsNothing)
{
    newPlan(QStringLiteral("99"));
    EXPECT_EQ(messages(), QStringList{QStringLiteral("治療番号の利用者が見つかりません。")});
    EXPECT_FALSE(m_practice->planShown());
    EXPECT_FALSE(m_practice->SaveButton->isEnabled());
}

TEST_P(TPracticePlanFormTest, SavesReopensEqualAndOverwritesAfterTheQuestion)
{
    writePlan();
    EXPECT_EQ(page1()->UserNameLabel->text(), QStringLiteral("山田　花子"));
    EXPECT_EQ(page1()->OldLabel->text(), QStringLiteral("84"));
    EXPECT_TRUE(page1()->KenkouMemo->toPlainText().startsWith(QStringLiteral("脳梗塞\n")));
    // The age is counted again from the date typed when the plan is collected.
    page1()->PlanDateEdit->setValue(DateTime::encodeDate(2024, 3, 31));
    m_practice->SaveButton->click();
    ASSERT_EQ(messages(), QStringList{Saved});
    EXPECT_EQ(m_practice->record().Old, 83);
    EXPECT_FALSE(m_practice->IsPracticeModified());
    const TPractice saved = m_practice->record();
    EXPECT_EQ(saved.HDSR, 5);
    EXPECT_EQ(saved.Grid2[7].Special, 2);
    EXPECT_EQ(saved.TeamBox[12], 7);
    EXPECT_EQ(saved.Grid1[0].ABC[0], QStringLiteral("　"));

    // Open: one stored plan closes the chooser at once.
    queuePicker(QStringLiteral("1"));
    m_practice->OpenMenu->trigger();
    ASSERT_TRUE(m_practice->planShown());
    EXPECT_EQ(m_practice->record(), saved);
    EXPECT_EQ(page1()->Grid2->mark(7)->text(), QStringLiteral("◎"));
    EXPECT_EQ(page1()->HDSEdit->text(), QStringLiteral("5"));
    EXPECT_EQ(m_practice->Page2->TeamBox[12]->currentText(), QStringLiteral("佐藤　花子"));

    // A second save of that day asks first; No leaves the stored row.
    dialogs().clear();
    page1()->findChild<QLineEdit *>(QStringLiteral("EtcEdit"))->setText(QStringLiteral("自宅近く"));
    dialogs().queueAnswer(MessageAnswer::No);
    m_practice->SaveMenu->trigger();
    EXPECT_EQ(messages(), (QStringList{Overwrite, Cancelled}));
    dialogs().clear();
    dialogs().queueAnswer(MessageAnswer::Yes);
    m_practice->SaveButton->click();
    EXPECT_EQ(messages(), (QStringList{Overwrite, Saved}));
    EXPECT_EQ(rowCount(), 1);
}

TEST_P(TPracticePlanFormTest, AnUnreadableRecordShowsTheReadError)
{
    writePlan();
    dialogs().queueAnswer(MessageAnswer::Yes);
    QTest::mouseClick(m_practice->SaveButton, Qt::LeftButton);
    // Written by an older version of the program: format 29.
    ASSERT_TRUE(exec(QStringLiteral("UPDATE Practice SET DataFormatVersion = 29")));
    dialogs().clear();
    dialogs().queueDialog([](QDialog *dialog) {
        auto *chooser = static_cast<PlanChooserDialog *>(dialog);
        QTest::keyClicks(chooser->CureNoEdit, QStringLiteral("1"));
        QTest::keyClick(chooser->CureNoEdit, Qt::Key_Return);
        return chooser->result();
    });
    QTest::mouseClick(m_practice->OpenBtn, Qt::LeftButton);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("System DB Read Error:実施計画")});
    EXPECT_EQ(dialogs().messages().first().buttons, MessageButtons::Abort);
    EXPECT_FALSE(m_practice->planShown());
}

TEST_P(TPracticePlanFormTest, BothPagesAreCentredTheFirstTimeShown)
{
    m_practice->resize(1400, 900);
    newPlan(QStringLiteral("1"));
    ASSERT_TRUE(m_practice->planShown());
    QTabBar *tabs = m_practice->PageControl->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    ASSERT_EQ(m_practice->PageControl->currentIndex(), 1);
    const int free = m_practice->ScrollBox2->viewport()->width() - m_practice->Page2->width();
    ASSERT_GT(free, 100);
    EXPECT_EQ(m_practice->Page2->x(), free / 2);
    EXPECT_EQ(m_practice->Page1->x(), (m_practice->ScrollBox1->viewport()->width() - m_practice->Page1->width()) / 2);
}

TEST_P(TPracticePlanFormTest, DeletesThePlanOfTheDayShown)
{
    writePlan();
    m_practice->SaveButton->click();
    dialogs().clear();
    dialogs().queueAnswer(MessageAnswer::Ok);
    m_practice->DeleteMenu->trigger();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("利用者番号 = 1\n計画評価実施日 = 2024/05/20\nを削除しますか？")});
    EXPECT_EQ(rowCount(), 0);
    EXPECT_FALSE(m_practice->planShown());
    EXPECT_FALSE(m_practice->DeleteMenu->isEnabled());
}

TEST_P(TPracticePlanFormTest, PrintGoesToThePracticePlanTemplate)
{
    writePlan();
    dialogs().clear();
    // No template beside the program here: the engine says so and shows no preview.
    QTest::mouseClick(m_practice->PrintButton, Qt::LeftButton);
    ASSERT_EQ(dialogs().messages().size(), 1);
    EXPECT_EQ(dialogs().messages()[0].caption, QStringLiteral("Error"));
    EXPECT_TRUE(dialogs().messages()[0].text.contains(QStringLiteral("PracticePlan.rpf")));
}

TEST_P(TPracticePlanFormTest, FailedSaveIsReportedAsAFailure)
{
    writePlan();
    ASSERT_TRUE(exec(QStringLiteral("DROP TABLE Practice")));
    m_practice->SaveButton->click();
    const QStringList shown = messages();
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_FALSE(shown.contains(Cancelled));
    EXPECT_TRUE(shown.last().startsWith(QStringLiteral("System DB Error:"))) << shown.last().toStdString();
    EXPECT_TRUE(m_practice->IsPracticeModified());
}

TEST_P(TPracticePlanFormTest, RefusesTextsOverTheirLimits)
{
    writePlan();
    struct Case
    {
        QWidget *control;
        QString text;
        bool accepted;
    };
    const Case cases[] = {{page1()->KenkouMemo, QString(254, u'a'), true},
                          {page1()->KenkouMemo, QString(255, u'a'), false},
                          {page1()->Grid1->goods(3), QString(29, u'杖'), true},
                          {page1()->Grid1->goods(3), QString(30, u'杖'), false},
                          {page1()->HDSEdit, QStringLiteral("ab"), false}};
    for (const Case &c : cases) {
        dialogs().clear();
        if (auto *memo = qobject_cast<QPlainTextEdit *>(c.control))
            memo->setPlainText(c.text);
        else
            static_cast<QLineEdit *>(c.control)->setText(c.text);
        m_practice->PrintButton->click();
        ASSERT_EQ(messages().size(), 1);
        EXPECT_EQ(messages().front().startsWith(QStringLiteral("入力文字数")) ||
                      messages().front().startsWith(QStringLiteral("半角2文字")),
                  !c.accepted)
            << messages().front().toStdString();
        if (auto *memo = qobject_cast<QPlainTextEdit *>(c.control))
            memo->clear();
        else
            static_cast<QLineEdit *>(c.control)->clear();
    }
}

// Memos are stored with CR LF line breaks, as the treatment plan's are, and
// their limits count that text; a record stored with LF alone reads as it was.
TEST_P(TPracticePlanFormTest, MemosAreStoredWithCrLf)
{
    writePlan();
    // Japanese text comes in as the input method's commits; Enter breaks the line.
    const auto type = [](QPlainTextEdit *memo, const QString &first, const QString &second) {
        memo->setFocus();
        memo->selectAll();
        for (const QString &text : {first, second}) {
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QApplication::sendEvent(memo, &commit);
            if (text == first)
                QTest::keyClick(memo, Qt::Key_Return);
        }
    };
    type(page1()->KenkouMemo, QStringLiteral("脳梗塞"), QStringLiteral("右片麻痺"));
    type(page1()->findChild<QPlainTextEdit *>(QStringLiteral("PTOTST0")), QStringLiteral("歩行訓練"),
         QStringLiteral("週3回"));
    type(page1()->Grid1->goods(0), QStringLiteral("杖"), QStringLiteral("歩行器"));
    QTest::mouseClick(m_practice->SaveButton, Qt::LeftButton);
    ASSERT_EQ(messages(), QStringList{Saved});
    const auto storedBytes = [this] {
        DbDataSet row;
        EXPECT_TRUE(row.open(DbQuery(db(), QStringLiteral("SELECT PracticeData FROM Practice"))));
        return row.field(u"PracticeData").asBytes();
    };
    const auto counted = [](const char16_t *text) {
        const QByteArray bytes = Sjis::encode(QStringView(text));
        return char(bytes.size()) + bytes;
    };
    const auto at = [](const QByteArray &blob, qsizetype offset, const QByteArray &expected) {
        return blob.mid(offset, expected.size()) == expected;
    };
    QByteArray blob = storedBytes();
    EXPECT_TRUE(at(blob, 80, counted(u"脳梗塞\r\n右片麻痺")));
    EXPECT_TRUE(at(blob, 4512, Sjis::encode(u"歩行訓練\r\n週3回") + '\0'));
    EXPECT_TRUE(at(blob, 2016 + 55, counted(u"杖\r\n歩行器")));

    // 254 bytes with the CR: kept; one more: refused.
    const QString half(126, u'a');
    for (const auto &[memo, accepted] : {std::pair{half + u'\n' + half, true}, {half + u'a' + u'\n' + half, false}}) {
        dialogs().clear();
        dialogs().queueAnswer(MessageAnswer::Yes);
        page1()->KenkouMemo->setPlainText(memo);
        QTest::mouseClick(m_practice->SaveButton, Qt::LeftButton);
        EXPECT_EQ(messages().last() == Saved, accepted) << messages().last().toStdString();
    }

    blob.replace(80, counted(u"上\n下").size(), counted(u"上\n下"));
    DbQuery lf(db(), QStringLiteral("UPDATE Practice SET PracticeData = :data"));
    lf.bind(u"data", blob);
    ASSERT_TRUE(lf.exec()) << lf.errorText().toStdString();
    dialogs().clear();
    dialogs().queueAnswer(MessageAnswer::Ok); // the refused memo is dropped
    queuePicker(QStringLiteral("1"));
    m_practice->OpenMenu->trigger();
    ASSERT_TRUE(m_practice->planShown());
    EXPECT_EQ(m_practice->record().KenkouMemo, QStringLiteral("上\n下"));
    EXPECT_EQ(page1()->KenkouMemo->toPlainText(), QStringLiteral("上\n下"));
    EXPECT_EQ(page1()->Grid1->goods(0)->toPlainText(), QStringLiteral("杖\n歩行器"));
}

TEST_P(TPracticePlanFormTest, CellPickersWriteOnlyWhenAnswered)
{
    writePlan();
    QLineEdit *period = page1()->Grid1->time(2);
    dialogs().queueDialog([](QDialog *dialog) {
        auto *keypad = static_cast<TTimeForm *>(dialog);
        keypad->findChild<QPushButton *>(QStringLiteral("Num1Button"))->click();
        keypad->findChild<QPushButton *>(QStringLiteral("Num2Button"))->click();
        keypad->MButton->click();
        return keypad->result();
    });
    QTest::mouseDClick(period, Qt::LeftButton);
    EXPECT_EQ(period->text(), QStringLiteral(" 12月"));
    EXPECT_EQ(m_time->Value, 12);
    dialogs().queueDialog([](QDialog *dialog) {
        static_cast<TTimeForm *>(dialog)->findChild<QPushButton *>(QStringLiteral("Num3Button"))->click();
        dialog->reject();
        return dialog->result();
    });
    QTest::mouseDClick(period, Qt::LeftButton);
    EXPECT_EQ(period->text(), QStringLiteral(" 12月")) << "a closed keypad writes nothing";

    // Highlighted cells take the letters; all three letters take two lines.
    QTest::mouseClick(page1()->Grid2->cell(1, 2), Qt::LeftButton);
    EXPECT_TRUE(page1()->Grid2->isHighlighted(1, 2));
    dialogs().queueDialog([](QDialog *dialog) {
        auto *abc = static_cast<TABCForm *>(dialog);
        abc->ABox->setChecked(true);
        abc->BBox->setChecked(true);
        abc->CBox->setChecked(true);
        abc->OkBtn->click();
        return abc->result();
    });
    QTest::mouseClick(page1()->Grid1->cell(0, 0), Qt::RightButton);
    EXPECT_EQ(page1()->Grid2->cell(1, 2)->text(), QStringLiteral("AB\nC"));
    EXPECT_EQ(page1()->Grid1->cell(0, 0)->text(), QStringLiteral("　"));
    EXPECT_FALSE(page1()->Grid2->isHighlighted(1, 2));
}

TEST_P(TPracticePlanFormTest, ClosingWithChangesAsks)
{
    writePlan();
    m_practice->SaveButton->click();
    EXPECT_FALSE(m_practice->IsPracticeModified());
    page1()->findChild<QCheckBox *>(QStringLiteral("TaiinBox"))->click();
    EXPECT_TRUE(m_practice->IsPracticeModified());
    dialogs().clear();
    dialogs().queueAnswer(MessageAnswer::No);
    m_practice->close();
    EXPECT_TRUE(m_practice->isVisible());
    EXPECT_EQ(messages(), QStringList{QStringLiteral("保存されていませんが\n終了しますか？")});
    dialogs().queueAnswer(MessageAnswer::Yes);
    m_practice->CloseBtn->click();
    EXPECT_FALSE(m_practice->isVisible());
}

TEST_P(TPracticePlanFormTest, ChooserListsThePlansOfAUserNewestFirst)
{
    PracticeStore store(db());
    for (TDateTime day : {45300.0, 45432.0, 45380.0}) {
        TPractice record;
        record.PractDay = day;
        ASSERT_EQ(store.save(1, record).status, PracticeStore::Status::Ok);
    }
    TPractice single;
    single.PractDay = 45000;
    ASSERT_EQ(store.save(2, single).status, PracticeStore::Status::Ok);

    m_chooser->Mode = PlanChooserDialog::ChoosePlan;
    m_chooser->show();
    m_chooser->CureNoEdit->setText(QStringLiteral("1"));
    m_chooser->ConfirmBtn->click();
    ASSERT_EQ(m_chooser->PlanGrid->rowCount(), 3);
    EXPECT_EQ(m_chooser->PlanGrid->objectName(), QStringLiteral("DBGrid1"));
    EXPECT_EQ(m_chooser->PlanGrid->item(0, 0)->text(), QStringLiteral("令和06年05月20日"));
    EXPECT_EQ(m_chooser->PlanGrid->item(2, 0)->text(), QStringLiteral("令和06年01月09日"));
    EXPECT_FALSE(m_chooser->DecideBtn->isEnabled());
    const QRect second = m_chooser->PlanGrid->visualRect(m_chooser->PlanGrid->model()->index(1, 0));
    QTest::mouseClick(m_chooser->PlanGrid->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_TRUE(m_chooser->DecideBtn->isEnabled());
    const auto plans = store.plansOf(1);
    EXPECT_EQ(m_chooser->PractNo, (*plans)[1].PractNo);

    // A user with one plan is chosen at once; one with none is told so.
    m_chooser->hide();
    m_chooser->show();
    m_chooser->CureNoEdit->setText(QStringLiteral("2"));
    m_chooser->ConfirmBtn->click();
    EXPECT_EQ(m_chooser->result(), QDialog::Accepted);
    EXPECT_EQ(m_chooser->PractNo, store.plansOf(2)->front().PractNo);
    m_chooser->show();
    m_chooser->CureNoEdit->setText(QStringLiteral("3"));
    m_chooser->ConfirmBtn->click();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("該当する利用者の実施計画書がありません。\n確認してください。")});
}

TEST_P(TPracticePlanFormTest, LettersForAllCellsPhrasesAndMarks)
{
    writePlan();
    const auto answer = [this](QPushButton *TABCForm::*button) {
        dialogs().queueDialog([button](QDialog *dialog) {
            auto *abc = static_cast<TABCForm *>(dialog);
            (abc->*button)->click();
            return abc->result();
        });
        QTest::mouseClick(page1()->Grid2->cell(0, 0), Qt::RightButton);
    };
    m_abc->ABox->setChecked(false);
    m_abc->BBox->setChecked(false);
    m_abc->CBox->setChecked(true);
    answer(&TABCForm::ALLSet);
    EXPECT_EQ(page1()->Grid1->cell(12, 4)->text(), QStringLiteral("C"));
    EXPECT_EQ(page1()->Grid2->cell(7, 0)->text(), QStringLiteral("C"));
    answer(&TABCForm::ALLCancel);
    EXPECT_EQ(page1()->Grid1->cell(12, 4)->text(), QStringLiteral("　"));
    answer(&TABCForm::CancelBtn);
    EXPECT_EQ(page1()->Grid2->cell(7, 0)->text(), QStringLiteral("　"));

    // The equipment picker's non-empty boxes become the memo's lines.
    TStringsForm goods(TStringsForm::goodsLayout());
    m_context->publish(GoodsForm, &goods);
    dialogs().queueDialog([](QDialog *dialog) {
        auto *picker = static_cast<TStringsForm *>(dialog);
        picker->TextBox[0]->setEditText(QStringLiteral("杖"));
        picker->TextBox[2]->setEditText(QStringLiteral("装具"));
        picker->CopyBtn->click();
        return picker->result();
    });
    QTest::mouseDClick(page1()->Grid1->goods(5)->viewport(), Qt::LeftButton);
    EXPECT_EQ(page1()->Grid1->goods(5)->toPlainText(), QStringLiteral("杖\n装具"));
    EXPECT_EQ(goods.ProgramName, QStringLiteral("Goods"));

    // "カ月" with nothing typed gives 0 months.
    dialogs().queueDialog([](QDialog *dialog) {
        static_cast<TTimeForm *>(dialog)->KButton->click();
        return dialog->result();
    });
    QTest::mouseDClick(page1()->Grid2->time(0), Qt::LeftButton);
    EXPECT_EQ(page1()->Grid2->time(0)->text(), QStringLiteral(" 0ヵ月"));
    EXPECT_EQ(m_time->result(), QDialog::Accepted);

    // A mark clicked three times is none again.
    for (int click = 0; click < 3; ++click)
        QTest::mouseClick(page1()->Grid1->mark(4), Qt::LeftButton);
    EXPECT_EQ(page1()->Grid1->mark(4)->text(), QStringLiteral("　"));
    m_practice->SaveButton->click();
    EXPECT_EQ(m_practice->record().Grid1[4].Special, 0);
    EXPECT_EQ(m_practice->record().Grid1[5].Goods, QStringLiteral("杖\r\n装具"));
}

TAMSOLEN_DATABASE_TEST_SUITE(TPracticePlanFormTest);
