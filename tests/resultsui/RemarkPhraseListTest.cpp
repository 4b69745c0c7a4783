#include "PersonRows.h"
#include "PhraseBoxUser.h"
#include "ResultsFixture.h"

#include "coreui/EraLineEdit.h"
#include "coreui/PhraseComboBox.h"
#include "coreui/TCommentForm.h"
#include "resultsui/TPersonMedicalRecordForm.h"
#include "resultsui/TResultsEditForm.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include <functional>
#include <memory>

namespace {

class RemarkPhraseListTest : public ResultsFixture
{
protected:
    void SetUp() override
    {
        ResultsFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_cureNo = PersonRows::insert(db(), PersonRows::make(QStringLiteral("山田 太郎"), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ")));
        ResultRows::insert(db(), {ResultRows::make(m_cureNo, DateTime::encodeDate(2024, 4, 2))});
        m_phrases = std::make_unique<TCommentForm>(m_app->context);
        m_app->publish(CommentForm, m_phrases.get());
    }
    void TearDown() override
    {
        m_phrases.reset();
        ResultsFixture::TearDown();
    }

    // Three times: the remark cell of the first row clicked, its box
    // double-clicked, a phrase added in the list that this runs in its own
    // modal loop and 戻る pressed there; the grid closes the box meanwhile.
    // The phrase picked in the box that comes back is the row's remark.
    void returnToTheCellThreeTimes(QWidget *window, QTableView *grid, int column, const QString &boxName,
                                   const QString &program, const std::function<void()> &save = {})
    {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        const QModelIndex cell = grid->model()->index(0, column);
        grid->scrollTo(cell);
        const auto shownBox = [grid, &boxName]() -> PhraseComboBox * {
            // A closed box may still wait for its deletion.
            for (PhraseComboBox *box : grid->findChildren<PhraseComboBox *>(boxName))
                if (box->isVisible())
                    return box;
            return nullptr;
        };
        for (int round = 1; round <= 3; ++round) {
            const QString phrase = QStringLiteral("歩行訓練%1回目").arg(round);
            // The cell's box opens at a click (on the chosen cell once no double click can follow).
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
            ASSERT_TRUE(
                QTest::qWaitFor([&shownBox] { return shownBox() != nullptr; }, QApplication::doubleClickInterval() * 2))
                << round;
            PhraseComboBox *box = shownBox();
            PhraseBoxUser::addPhraseInList(m_app->dialogs, box, phrase);
            EXPECT_EQ(m_app->dialogs.dialogCount(), round);
            EXPECT_EQ(m_phrases->ProgramName, program);

            box = shownBox();
            ASSERT_NE(box, nullptr) << round;
            ASSERT_EQ(box->count(), round);
            EXPECT_EQ(box->itemText(round - 1), phrase);
            PhraseBoxUser::pick(box, round - 1);
            EXPECT_EQ(grid->model()->index(0, column).data().toString(), phrase);
            if (save)
                save();
            EXPECT_EQ(ResultRows::all(db())[0].Comment, phrase);
        }
        window->hide();
    }

    // The entry of the user's April, shown and active.
    void showEntry(TResultsEditForm &form)
    {
        form.CureNo = m_cureNo;
        form.FromDate = DateTime::encodeDate(2024, 4, 1);
        form.ToDate = DateTime::encodeDate(2024, 5, 1);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    int m_cureNo = 0;
    std::unique_ptr<TCommentForm> m_phrases;
};

TEST_P(RemarkPhraseListTest, EntryPhraseListReturnsToTheCellThreeTimes)
{
    TResultsEditForm form(m_app->context);
    form.CureNo = m_cureNo;
    form.FromDate = DateTime::encodeDate(2024, 4, 1);
    form.ToDate = DateTime::encodeDate(2024, 5, 1);
    returnToTheCellThreeTimes(&form, form.DBGrid1, 18, QStringLiteral("ResultCommentBox"),
                              QStringLiteral("ResultEdit"));
}

// The monthly record keeps an edit until 保存.
TEST_P(RemarkPhraseListTest, MonthlyRecordPhraseListReturnsToTheCellThreeTimes)
{
    TPersonMedicalRecordForm form(m_app->context);
    form.show();
    form.CureEdit->setText(QString::number(m_cureNo));
    QTest::mouseClick(form.OpenButton, Qt::LeftButton);
    ASSERT_EQ(form.ResultGrid->model()->rowCount(), 1);
    returnToTheCellThreeTimes(&form, form.ResultGrid, 20, QStringLiteral("CommentBox"), QStringLiteral("Schd"),
                              [&form] { QTest::mouseClick(form.SaveButton, Qt::LeftButton); });
}

// After a click below the rows, one double click on a remark opens its
// phrase list, wherever the focus was; clicks go through the window.
TEST_P(RemarkPhraseListTest, OneDoubleClickOpensThePhraseListAfterAClickBelowTheRows)
{
    TResultsEditForm form(m_app->context);
    ASSERT_NO_FATAL_FAILURE(showEntry(form));
    QTableView *grid = form.DBGrid1;
    QWindow *window = form.windowHandle();
    const auto inWindow = [&form, grid](QPoint viewportPoint) {
        return grid->viewport()->mapTo(&form, viewportPoint);
    };
    const QRect remark = grid->visualRect(grid->model()->index(0, 18));
    const QPoint below = inWindow(QPoint(remark.center().x(), grid->viewport()->height() - 10));
    const auto click = [window](QPoint at) {
        QTest::mouseClick(window, Qt::LeftButton, {}, at);
        // Two clicks apart, not one double click.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
    };
    for (int round = 1; round <= 3; ++round) {
        // As the window manager gives it back after the list.
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        if (round == 2)
            click(inWindow(grid->visualRect(grid->model()->index(0, 1)).center()));
        else if (round == 3)
            QTest::mouseClick(form.WorkingDay, Qt::LeftButton);
        else
            click(inWindow(remark.center()));
        click(below);
        m_app->dialogs.queueDialog(FakeDialogService::execAndPress(QStringLiteral("CloseButton")));
        QTest::mouseDClick(window, Qt::LeftButton, {}, inWindow(remark.center()));
        QCoreApplication::processEvents();
        EXPECT_EQ(m_app->dialogs.dialogCount(), round);
        EXPECT_EQ(m_phrases->ProgramName, QStringLiteral("ResultEdit"));
        QTest::qWait(QApplication::doubleClickInterval() + 50);
    }
    form.hide();
}

// The remark column holds 255 characters: the box stops there, on a
// character boundary, so a long remark is stored instead of failing.
TEST_P(RemarkPhraseListTest, EntryRemarkStopsAtTheColumnsCharacters)
{
    const QString yoshi = QString::fromUcs4(U"\U00020BB7");
    TResultsEditForm form(m_app->context);
    ASSERT_NO_FATAL_FAILURE(showEntry(form));
    const QModelIndex cell = form.DBGrid1->model()->index(0, 18);
    QTest::mouseDClick(form.DBGrid1->viewport(), Qt::LeftButton, {}, form.DBGrid1->visualRect(cell).center());
    auto *box = form.DBGrid1->findChild<PhraseComboBox *>(QStringLiteral("ResultCommentBox"));
    ASSERT_NE(box, nullptr);
    QTest::keyClicks(box->lineEdit(), QString(254, u'a'));
    QInputMethodEvent commit;
    commit.setCommitString(yoshi + QStringLiteral("bc"));
    QCoreApplication::sendEvent(box->lineEdit(), &commit);
    // What is beyond the 255th character is dropped, the ideograph kept whole.
    EXPECT_EQ(box->currentText(), QString(254, u'a') + yoshi);
    QTest::keyClick(box->lineEdit(), 'd');
    EXPECT_EQ(box->currentText(), QString(254, u'a') + yoshi);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(ResultRows::all(db())[0].Comment, QString(254, u'a') + yoshi);
    form.hide();
}

TAMSOLEN_DATABASE_TEST_SUITE(RemarkPhraseListTest);

} // namespace
