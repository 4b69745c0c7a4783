#include "KeyboardUser.h"
#include "PlanWindowFixture.h"

#include "core/CodeTables.h"
#include "platform/DbQuery.h"

#include "coreui/EraLineEdit.h"
#include "coreui/PhraseComboBox.h"
#include "coreui/TRihaShape.h"
#include "plans/PlanStore.h"
#include "plansui/FigureArea.h"
#include "plansui/FigurePanel.h"
#include "plansui/RihaPlanPanel.h"
#include "plansui/TRihaPlanForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

namespace {

const QString Discard = QStringLiteral("データ保存の確認\n破棄して良いですか?");
const QString CloseQuestion = QStringLiteral("データ保存の確認\n終了して良いですか?");
const QString Overwrite = QStringLiteral("保存されたデータがあります。\n上書きしますか？");

template <typename T> T *child(QWidget *parent, const char *name)
{
    T *found = parent->findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

} // namespace

class TRihaPlanFormTest : public PlanWindowFixture
{
protected:
    RihaPlanPanel *panel() { return m_form->PlanPanel; }

    // New for the user, with a date and a few entries.
    void newPlan(const QString &number, const QDate &registDay)
    {
        queuePicker(number);
        m_form->NewBtnClick();
        ASSERT_TRUE(m_form->planShown());
        panel()->RegistDatePicker->setDate(registDay);
    }

    void clickFigure(FigureModel::Side side, const QPoint &at, int kind, Qt::KeyboardModifiers keys = {})
    {
        static_cast<QRadioButton *>(panel()->Figures->ShogaiKubun->children().at(kind))->setChecked(true);
        QTest::mouseClick(panel()->Figures->panel(side)->picture(), Qt::LeftButton, keys, at);
    }

    void save(int overwriteAnswers = 0)
    {
        for (int i = 0; i < overwriteAnswers; ++i)
            dialogs().queueAnswer(MessageAnswer::Yes);
        dialogs().clear();
        m_form->SaveBtnClick();
    }
};

TEST_P(TRihaPlanFormTest, NewSaveAndReopenGiveTheSamePlan)
{
    newPlan(QStringLiteral("1"), {2024, 5, 1});
    EXPECT_EQ(panel()->NameLabel->text(), QStringLiteral("山田　花子"));
    EXPECT_EQ(panel()->PlanStopDay->text(), QStringLiteral("令和06年07月31日"));
    EXPECT_FALSE(panel()->YoukaigoCircle->isVisible()); // a care level the table lacks
    EXPECT_FALSE(m_form->DeleteBtn->isEnabled());

    child<QComboBox>(panel(), "KansetsuBox")->setCurrentIndex(1);
    child<QComboBox>(panel(), "MahiUpDetailBox")->setCurrentIndex(3);
    child<PhraseComboBox>(panel(), "KansetsuComment")->setEditText(QStringLiteral("右肩の挙上制限"));
    child<PhraseComboBox>(panel(), "Program6")->setEditText(QStringLiteral("歩行訓練"));
    child<QCheckBox>(panel(), "Haikai")->setChecked(true);
    child<QComboBox>(panel(), "Ishi")->setEditText(QStringLiteral("筆談"));
    panel()->EtcMemo->setPlainText(QStringLiteral("拘縮あり\n要観察"));
    clickFigure(FigureModel::Front, {30, 40}, 0);
    clickFigure(FigureModel::Back, {60, 150}, 3);
    ASSERT_NE(panel()->Figures->panel(FigureModel::Front)->markShape(QStringLiteral("FKAN0")), nullptr);

    save();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("利用者番号 = 1\n計画登録日 = 2024/05/01\nで登録しました。")});
    EXPECT_FALSE(panel()->isModified());
    EXPECT_TRUE(m_form->DeleteBtn->isEnabled());
    const TPlan saved = m_form->plan();
    EXPECT_EQ(saved.Body.Ishisotsu, -1);
    EXPECT_EQ(saved.Body.EtcMemo, QStringLiteral("拘縮あり\r\n要観察"));
    const std::vector<FigureRow> rows = panel()->Figures->model().rows();

    queuePicker(QStringLiteral("1"));
    m_form->OpenBtnClick();
    EXPECT_TRUE(m_form->planShown());
    EXPECT_EQ(m_form->plan().Body, saved.Body);
    EXPECT_EQ(m_form->plan().Creator, QStringLiteral("佐藤　花子"));
    EXPECT_EQ(panel()->Figures->model().rows(), rows);
    EXPECT_EQ(child<PhraseComboBox>(panel(), "KansetsuComment")->currentText(), QStringLiteral("右肩の挙上制限"));
    EXPECT_EQ(child<QComboBox>(panel(), "Ishi")->currentText(), QString());
    EXPECT_EQ(panel()->EtcMemo->toPlainText(), QStringLiteral("拘縮あり\n要観察"));
    EXPECT_TRUE(panel()->Figures->panel(FigureModel::Back)->overlayImage(FigureModel::RightBottom)->isVisible());
    EXPECT_FALSE(panel()->isModified());
}

TEST_P(TRihaPlanFormTest, FailedSaveKeepsTheOldPlanAndTheChanges)
{
    newPlan(QStringLiteral("1"), {2024, 5, 1});
    child<PhraseComboBox>(panel(), "ItamiComment")->setEditText(QStringLiteral("腰痛"));
    save();
    child<PhraseComboBox>(panel(), "ItamiComment")->setEditText(QStringLiteral("膝痛"));
    ASSERT_TRUE(exec(QStringLiteral("ALTER TABLE Figure RENAME TO FigureAway")));
    save(1);
    ASSERT_TRUE(exec(QStringLiteral("ALTER TABLE FigureAway RENAME TO Figure")));
    EXPECT_EQ(messages(), QStringList({Overwrite, QStringLiteral("登録に失敗しました。")}));
    EXPECT_TRUE(panel()->isModified());
    EXPECT_TRUE(m_form->SaveBtn->isEnabled());

    PlanStore store(db());
    PlanStore::Result result;
    const std::optional<TPlan> kept = store.load(m_form->plan().PlanNo, result);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->Body.ItamiTxt, QStringLiteral("腰痛"));
}

// After 新規 and after 開く what is typed goes into the plan's date.
TEST_P(TRihaPlanFormTest, NewAndOpenTakeTypingIntoTheDate)
{
    m_form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
    queuePicker(QStringLiteral("1"));
    QTest::mouseClick(m_form->NewBtn, Qt::LeftButton);
    ASSERT_TRUE(m_form->planShown());
    KeyboardUser::type(m_form.get(), QStringLiteral("R060501"));
    EXPECT_EQ(panel()->PlanRegistDay->value(), std::optional<TDateTime>(DateTime::encodeDate(2024, 5, 1)));
    QTest::keyClick(panel()->PlanRegistDay, Qt::Key_Return);
    save();
    ASSERT_EQ(planCount(), 1);

    panel()->PlanStopDay->setFocus();
    queuePicker(QStringLiteral("1"));
    QTest::mouseClick(m_form->OpenBtn, Qt::LeftButton);
    ASSERT_TRUE(m_form->planShown());
    EXPECT_EQ(m_form->focusWidget(), panel()->PlanRegistDay);
}

TEST_P(TRihaPlanFormTest, CancelledPickersLeaveNoPlanToSave)
{
    m_form->NewBtnClick(); // no answer queued: the picker is cancelled
    EXPECT_FALSE(m_form->planShown());
    m_form->OpenBtnClick();
    for (QToolButton *button : {m_form->SaveBtn, m_form->PrintBtn, m_form->DeleteBtn})
        EXPECT_FALSE(button->isEnabled());
    m_form->SaveBtnClick();
    EXPECT_EQ(planCount(), 0);

    queuePicker(QStringLiteral("7"));
    m_form->NewBtnClick();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("治療番号の利用者が見つかりません。")});
    EXPECT_FALSE(panel()->isVisible());
}

TEST_P(TRihaPlanFormTest, ChangesAreAskedAboutOnEveryWayOut)
{
    newPlan(QStringLiteral("1"), {2024, 5, 1});
    save();
    clickFigure(FigureModel::Front, {10, 10}, 2);
    dialogs().clear();
    dialogs().queueAnswer(MessageAnswer::No);
    m_form->OpenBtnClick();
    EXPECT_EQ(messages(), QStringList{Discard});
    EXPECT_TRUE(m_form->planShown());

    save();
    QTest::keyClicks(panel()->DrMemo, QStringLiteral("memo"));
    dialogs().clear();
    dialogs().queueAnswer(MessageAnswer::No);
    EXPECT_FALSE(m_form->close());
    EXPECT_EQ(messages(), QStringList{CloseQuestion});

    panel()->DrMemo->setPlainText(QString(271, QChar(u'医')));
    save();
    EXPECT_EQ(messages(), QStringList{QStringLiteral(
                              "行の文字数がオーバーしています。\n半角540文字・全角270文字以内で入力してください。")});
    panel()->DrMemo->clear();
    save();
    dialogs().clear();
    EXPECT_TRUE(m_form->close());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_P(TRihaPlanFormTest, AnotherPlanOfTheDayIsReplacedOnlyWhenConfirmed)
{
    newPlan(QStringLiteral("1"), {2024, 5, 1});
    child<PhraseComboBox>(panel(), "HokouComment")->setEditText(QStringLiteral("杖歩行"));
    save();
    // The plan on screen, perhaps signed on paper, is not replaced silently either.
    dialogs().queueAnswer(MessageAnswer::No);
    dialogs().clear();
    QTest::mouseClick(m_form->SaveBtn, Qt::LeftButton);
    EXPECT_EQ(messages(), QStringList{Overwrite});
    save(1);
    EXPECT_EQ(messages().size(), 2);
    EXPECT_EQ(planCount(), 1);

    newPlan(QStringLiteral("1"), {2024, 5, 1});
    dialogs().queueAnswer(MessageAnswer::No);
    m_form->SaveBtnClick();
    EXPECT_EQ(messages().last(), Overwrite);
    EXPECT_TRUE(panel()->isModified());
    save(1);
    EXPECT_EQ(messages().first(), Overwrite);
    EXPECT_EQ(planCount(), 1);
    EXPECT_TRUE(m_form->plan().Body.HokouTxt.isEmpty());
}

TEST_P(TRihaPlanFormTest, DegreeCirclesSitOverTheirNames)
{
    // The centre of the name on the scale's line, the later one of two alike.
    const auto centreOf = [this](const QString &text, int top, bool later = false) {
        int centre = -1;
        for (const QLabel *label : panel()->findChildren<QLabel *>()) {
            if (label->text() == text && std::abs(label->y() - top) < 4 && label->objectName().isEmpty() &&
                (centre < 0 || later))
                centre = std::max(centre, label->geometry().center().x());
        }
        EXPECT_GE(centre, 0) << text.toStdString();
        return centre;
    };
    for (int degree = 0; degree < int(JiritsuNames.size()); ++degree) {
        DbQuery update(db(), QStringLiteral("UPDATE Person SET Jiritsu_KBN = :degree, Ninchi_KBN = :ninchi, "
                                            "YOUKAIGO_KBN = :care WHERE CureNo = 1"));
        update.bind(u"degree", degree).bind(u"ninchi", degree % 8).bind(u"care", degree % 7);
        ASSERT_TRUE(exec(update));
        dialogs().queueDialog([](QDialog *dialog) {
            auto *picker = static_cast<PlanChooserDialog *>(dialog);
            QTest::keyClicks(picker->CureNoEdit, QStringLiteral("1"));
            QTest::keyClick(picker->CureNoEdit, Qt::Key_Return);
            return picker->result();
        });
        QTest::mouseClick(m_form->NewBtn, Qt::LeftButton);
        ASSERT_TRUE(m_form->planShown());
        const QLabel *circle = panel()->JiritsuCircle;
        ASSERT_TRUE(circle->isVisible());
        EXPECT_EQ(circle->geometry().center().x(), centreOf(JiritsuNames[size_t(degree)].toString(), circle->y()))
            << degree;
        circle = panel()->NinchiCircle;
        EXPECT_EQ(circle->geometry().center().x(), centreOf(NinchiNames[size_t(degree % 8)].toString(), circle->y()));
        circle = panel()->YoukaigoCircle;
        const int care = degree % 7;
        EXPECT_EQ(circle->geometry().center().x(),
                  centreOf(QString::number(care < 2 ? care + 1 : care - 1), circle->y(), care >= 2));
    }
}

TEST_P(TRihaPlanFormTest, EachShowingStartsAtTheTop)
{
    newPlan(QStringLiteral("1"), {2024, 5, 1});
    m_form->resize(900, 500);
    QScrollBar *bar = m_form->ScrollBox->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    QWheelEvent wheel(QPointF(50, 50), m_form->ScrollBox->viewport()->mapToGlobal(QPointF(50, 50)), {}, {0, -360},
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_form->ScrollBox->viewport(), &wheel);
    EXPECT_EQ(bar->value(), 96);
    QTest::mouseClick(m_form->CloseBtn, Qt::LeftButton);
    ASSERT_FALSE(m_form->isVisible());
    m_form->show();
    EXPECT_EQ(bar->value(), 0);
}

TEST_P(TRihaPlanFormTest, DeleteRemovesThePlanAfterTheQuestion)
{
    newPlan(QStringLiteral("2"), {2024, 4, 1});
    save();
    dialogs().queueAnswer(MessageAnswer::Cancel);
    m_form->DeleteBtnClick();
    EXPECT_EQ(planCount(), 1);
    EXPECT_TRUE(m_form->DeleteBtn->isEnabled());
    dialogs().clear();
    dialogs().queueAnswer(MessageAnswer::Ok);
    m_form->DeleteBtnClick();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("利用者番号 = 2\n計画登録日 = 2024/04/01\nを削除しますか？")});
    EXPECT_EQ(planCount(), 0);
    EXPECT_FALSE(m_form->planShown());
    EXPECT_FALSE(m_form->SaveBtn->isEnabled());
}

TEST_P(TRihaPlanFormTest, FigureMouseMakesMovesAndDeletesMarks)
{
    newPlan(QStringLiteral("1"), {2024, 5, 1});
    panel()->clearModified();
    clickFigure(FigureModel::Front, {40, 50}, 1);
    EXPECT_TRUE(panel()->isModified());
    TRihaShape *mark = panel()->Figures->panel(FigureModel::Front)->markShape(QStringLiteral("FKIN0"));
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->pos(), QPoint(40, 50));

    QTest::mousePress(mark, Qt::RightButton, {}, {5, 5});
    QMouseEvent move(QEvent::MouseMove, QPointF(15, 25), mark->mapToGlobal(QPointF(15, 25)), Qt::NoButton,
                     Qt::RightButton, {});
    QApplication::sendEvent(mark, &move);
    QTest::mouseRelease(mark, Qt::RightButton, {}, {15, 25});
    EXPECT_EQ(panel()->Figures->model().rows(), (std::vector<FigureRow>{{1, 0, -1, 50, 70}}));

    QTest::mouseClick(mark, Qt::LeftButton, Qt::ShiftModifier, {3, 3});
    EXPECT_TRUE(panel()->Figures->model().rows().empty());
    panel()->Figures->FrontClearBtn->click();
    EXPECT_TRUE(panel()->ShikanLabel[0]->text().isEmpty());
}

TEST_P(TRihaPlanFormTest, APhraseAddedFromOneListReachesEveryListOfItsCode)
{
    newPlan(QStringLiteral("1"), {2024, 5, 1});
    auto *down = child<PhraseComboBox>(panel(), "MahiDownComment");
    down->setEditText(QStringLiteral("右下肢"));
    dialogs().queueDialog([](QDialog *dialog) {
        auto *editor = static_cast<TCommentForm *>(dialog);
        EXPECT_EQ(editor->ProgramName, QStringLiteral("CurePlan"));
        EXPECT_EQ(editor->CommentCode, 2);
        editor->CommentEdit->setText(QStringLiteral("軽度麻痺"));
        editor->AppendButton->click();
        return int(QDialog::Accepted);
    });
    QTest::mouseDClick(child<PhraseComboBox>(panel(), "MahiUpComment")->lineEdit(), Qt::LeftButton);
    for (const char *name : {"MahiUpComment", "MahiDownComment", "MahiFinComment"}) {
        auto *list = child<PhraseComboBox>(panel(), name);
        ASSERT_EQ(list->count(), 1) << name;
        EXPECT_EQ(list->itemText(0), QStringLiteral("軽度麻痺"));
    }
    EXPECT_EQ(down->currentText(), QStringLiteral("右下肢"));
    EXPECT_EQ(child<PhraseComboBox>(panel(), "KansetsuComment")->count(), 0);
}

TAMSOLEN_DATABASE_TEST_SUITE(TRihaPlanFormTest);
