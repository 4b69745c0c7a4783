#include "BoardWindowFixture.h"
#include "PhraseBoxUser.h"

#include "coreui/PhraseComboBox.h"
#include "coreui/TCommentForm.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "schedulingui/TTimeTableForm.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStringDecoder>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>

#include <memory>

namespace {

class BookingCommentTest : public BoardWindowFixture
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
    // Clicks the comment cell of the first booking, coming from the first
    // cell of its row, as a user does, and finds its box.
    void editComment()
    {
        QTableWidget *grid = m_form->ScheduleDispGrid;
        for (const int column : {0, BookingStatusList::CommentColumn}) {
            const QRect cell = grid->visualRect(grid->model()->index(0, column));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        }
    }

    int m_reserveNo = 0;
    std::unique_ptr<TCommentForm> m_phrases;
    std::unique_ptr<TTimeTableForm> m_form;
};

// The box's double click runs the phrase list in its own modal loop; the
// grid closes the box meanwhile. 戻る comes back to a box with the phrases as
// they are now, and the phrase picked in it is the booking's comment.
TEST_P(BookingCommentTest, PhraseListReturnsToTheCellThreeTimes)
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
        PhraseBoxUser::addPhraseInList(m_test->dialogs, box, phrase);
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

// A long comment stays on its one line, cut at the cell's edge; hovering
// it shows it whole. A short one needs no tip.
TEST_P(BookingCommentTest, LongCommentShowsWholeInItsToolTip)
{
    const QString longComment = QString(40, u'長') + QStringLiteral("おわり");
    ASSERT_TRUE(exec(QStringLiteral("UPDATE Schedule SET Comment = '") + longComment + QStringLiteral("'")));
    m_form->ReserveNo = m_reserveNo;
    m_form->show();
    QTableWidget *grid = m_form->ScheduleDispGrid;
    EXPECT_FALSE(grid->wordWrap());
    const QModelIndex comment = grid->model()->index(0, BookingStatusList::CommentColumn);
    const QRect cell = grid->visualRect(comment);
    QHelpEvent hover(QEvent::ToolTip, cell.center(), grid->viewport()->mapToGlobal(cell.center()));
    QCoreApplication::sendEvent(grid->viewport(), &hover);
    EXPECT_EQ(QToolTip::text(), longComment);
    EXPECT_TRUE(grid->model()->index(0, 0).data(Qt::ToolTipRole).toString().isEmpty());
    QToolTip::hideText();
    m_form->hide();
}

// The box holds 255 characters, not 255 UTF-16 units: a character outside
// the basic plane at the limit is stored whole, one beyond it is dropped
// whole, and the stored bytes are valid UTF-8.
TEST_P(BookingCommentTest, CommentIsCutOnACharacterBoundary)
{
    const QString yoshi = QString::fromUcs4(U"\U00020BB7");
    m_form->ReserveNo = m_reserveNo;
    m_form->show();
    m_form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
    const struct
    {
        QString typed, stored;
    } cases[] = {{QString(254, u'a') + yoshi + QStringLiteral("b"), QString(254, u'a') + yoshi},
                 {QString(255, u'a') + yoshi, QString(255, u'a')},
                 {QString(253, u'a') + yoshi + yoshi + yoshi, QString(253, u'a') + yoshi + yoshi}};
    for (const auto &c : cases) {
        editComment();
        PhraseComboBox *box = commentBox();
        ASSERT_NE(box, nullptr);
        box->lineEdit()->selectAll();
        // Letters come as keys, the ideograph as the input method commits it.
        qsizetype at = 0;
        while (at < c.typed.size()) {
            if (c.typed[at].isHighSurrogate()) {
                QInputMethodEvent commit;
                commit.setCommitString(c.typed.mid(at, 2));
                QCoreApplication::sendEvent(box->lineEdit(), &commit);
                at += 2;
            } else {
                QTest::keyClick(box->lineEdit(), c.typed[at].toLatin1());
                ++at;
            }
        }
        EXPECT_EQ(box->currentText(), c.stored);
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        QCoreApplication::processEvents();
        EXPECT_EQ(storedComment(), c.stored);
        DbDataSet raw;
        ASSERT_TRUE(
            raw.open(DbQuery(db(), sqlFor(QStringLiteral("SELECT CAST(Comment AS BLOB) AS B FROM Schedule"),
                                          QStringLiteral("SELECT convert_to(Comment, 'UTF8') AS B FROM Schedule")))));
        QStringDecoder utf8(QStringDecoder::Utf8);
        EXPECT_EQ(QString(utf8(raw.field(u"B").asBytes())), c.stored);
        EXPECT_FALSE(utf8.hasError());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    m_form->hide();
}

TAMSOLEN_DATABASE_TEST_SUITE(BookingCommentTest);

} // namespace
