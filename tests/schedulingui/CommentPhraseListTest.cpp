#include "BoardWindowFixture.h"
#include "PhraseBoxUser.h"

#include "coreui/PhraseComboBox.h"
#include "coreui/TCommentForm.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "schedulingui/TTimeTableForm.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <memory>

namespace {

class CommentPhraseListTest : public BoardWindowFixture
{
protected:
    void SetUp() override
    {
        BoardWindowFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(exec(QStringLiteral("INSERT INTO Schedule (WorkingNo, CureNo, Comment) "
                                        "SELECT ReserveNo, 7, '' FROM TimeTable")));
        DbDataSet slot;
        ASSERT_TRUE(slot.open(DbQuery(db(), QStringLiteral("SELECT ReserveNo FROM TimeTable"))));
        m_reserveNo = slot.field(u"ReserveNo").asInteger();
        AppContext &app = context();
        m_phrases = std::make_unique<TCommentForm>(app);
        m_test->publish(CommentForm, m_phrases.get());
        m_form = std::make_unique<TTimeTableForm>(app);
    }
    void TearDown() override
    {
        m_form.reset();
        m_phrases.reset();
        BoardWindowFixture::TearDown();
    }

    QString storedComment()
    {
        DbDataSet rows;
        EXPECT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT Comment FROM Schedule"))));
        return rows.field(u"Comment").asString();
    }
    // The comment box the grid shows now (a closed one may wait for deletion).
    [[nodiscard]] PhraseComboBox *commentBox() const
    {
        for (PhraseComboBox *box :
             m_form->ScheduleDispGrid->findChildren<PhraseComboBox *>(QStringLiteral("CommentBox")))
            if (box->isVisible())
                return box;
        return nullptr;
    }
    // Double-clicks the comment cell of the first booking, as a user does.
    void editComment()
    {
        QTableWidget *grid = m_form->ScheduleDispGrid;
        const QRect cell = grid->visualRect(grid->model()->index(0, BookingStatusList::CommentColumn));
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

    int m_reserveNo = 0;
    std::unique_ptr<TCommentForm> m_phrases;
    std::unique_ptr<TTimeTableForm> m_form;
};

// The box's double click runs the phrase list in its own modal loop; the
// grid closes the box meanwhile. 戻る comes back to a box with the phrases as
// they are now, and the phrase picked in it is the booking's comment.
TEST_P(CommentPhraseListTest, PhraseListReturnsToTheCellThreeTimes)
{
    m_form->ReserveNo = m_reserveNo;
    m_form->CanDelete = true;
    m_form->show();
    m_form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
    for (int round = 1; round <= 3; ++round) {
        const QString phrase = QStringLiteral("午後%1時に変更").arg(round);
        editComment();
        PhraseComboBox *box = commentBox();
        ASSERT_NE(box, nullptr) << round;
        PhraseBoxUser::addPhraseInList(m_test->dialogs, m_form.get(), box, phrase);
        EXPECT_EQ(m_test->dialogs.dialogCount(), round);
        EXPECT_EQ(m_phrases->ProgramName, QStringLiteral("Schd"));

        box = commentBox();
        ASSERT_NE(box, nullptr) << round;
        ASSERT_EQ(box->count(), round);
        EXPECT_EQ(box->itemText(round - 1), phrase);
        PhraseBoxUser::pick(box, round - 1);
        EXPECT_EQ(storedComment(), phrase);
        EXPECT_EQ(m_form->ScheduleDispGrid->item(0, BookingStatusList::CommentColumn)->text(), phrase);
    }
    m_form->hide();
}

TAMSOLEN_DATABASE_TEST_SUITE(CommentPhraseListTest);

} // namespace
