#include "BoardWindowFixture.h"

#include "coreui/EraLineEdit.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "schedulingui/BoardCell.h"
#include "schedulingui/TStuffSelectForm.h"
#include "schedulingui/TTimeTableForm.h"
#include "schedulingui/TUserScheduleForm.h"
#include "schedulingui/WorkBoardView.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

class UserScheduleFormTest : public BoardWindowFixture
{
protected:
    void SetUp() override
    {
        BoardWindowFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(exec(QStringLiteral("INSERT INTO Schedule (WorkingNo, CureNo, Comment) "
                                        "SELECT ReserveNo, 7, '' FROM TimeTable")));
        context();
        m_test->mainModule.setStaff({{11, QStringLiteral("青木　花子"), QStringLiteral("ア")},
                                     {12, QStringLiteral("伊藤　健"), QStringLiteral("イ")}});
    }
    int slotStaff()
    {
        DbDataSet rows;
        EXPECT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT StuffCode FROM TimeTable WHERE StartTime = "
                                                           "(SELECT MIN(StartTime) FROM TimeTable "
                                                           "WHERE WorkingMin = 40)"))));
        return rows.field(u"StuffCode").asInteger();
    }
    // User 7's December.
    static void showMonth(TUserScheduleForm &form)
    {
        form.CureNo = 7;
        form.YearMonth = DateTime::encodeDate(2026, 12, 1);
        form.NyushoDate = DateTime::encodeDate(2026, 11, 1);
        form.show();
    }
    // Right-clicks the label and picks the menu entry.
    static void pick(TUserScheduleForm &form, const QString &label, const char *action)
    {
        QTest::mouseClick(form.Board->slotLabel(label), Qt::RightButton);
        form.LabelPopupMenu->hide();
        form.LabelPopupMenu->findChild<QAction *>(QString::fromLatin1(action))->trigger();
    }
    void queueStaff(int index)
    {
        m_test->dialogs.queueDialog([index](QDialog *dialog) {
            auto *change = static_cast<TStuffSelectForm *>(dialog);
            change->show();
            change->KaigoStuffBox->setCurrentIndex(index);
            QTest::mouseClick(change->SetButton, Qt::LeftButton);
            return change->result();
        });
    }
};

// The staff list shows the marks; a label's menu shows the slot's bookings
// without their cancel buttons and moves the slot to a free staff member.
TEST_P(UserScheduleFormTest, LabelMenuShowsBookingsAndChangesStaff)
{
    TUserScheduleForm form(m_test->context);
    showMonth(form);
    EXPECT_EQ(form.DragStuffDBGrid->item(1, 2)->text(), QStringLiteral("イ"));
    ASSERT_NE(form.Board->slotLabel(QStringLiteral("L0")), nullptr);

    m_test->dialogs.queueDialog([](QDialog *dialog) {
        auto *list = static_cast<TTimeTableForm *>(dialog);
        list->show();
        EXPECT_EQ(list->BookedCount, 1);
        EXPECT_FALSE(list->DeleteButton->isVisible());
        EXPECT_FALSE(list->AllDeleteButton->isVisible());
        return 1;
    });
    pick(form, QStringLiteral("L0"), "ReserveUpdateMenu");
    EXPECT_EQ(m_test->dialogs.dialogCount(), 1);

    queueStaff(1);
    pick(form, QStringLiteral("L0"), "TantouChangeMenu");
    EXPECT_EQ(m_test->dialogs.messageTexts(), QStringList{QStringLiteral("変更要求を取り消しました。")});

    ASSERT_TRUE(exec(QStringLiteral("INSERT INTO TimeTable (ReserveDay, StuffCode, StartTime, WorkingMin, Capacity) "
                                    "VALUES ('2026-12-02 00:00:00.000', 11, '1899-12-30 09:00:00.000', 60, 1)")));
    m_test->dialogs.clear();
    queueStaff(0);
    pick(form, QStringLiteral("L0"), "TantouChangeMenu");
    EXPECT_EQ(m_test->dialogs.messageTexts(), QStringList{QStringLiteral("スタッフに空きがありません。")});
    EXPECT_EQ(slotStaff(), 12);

    ASSERT_TRUE(exec(QStringLiteral("DELETE FROM TimeTable WHERE WorkingMin = 60")));
    m_test->dialogs.clear();
    queueStaff(0);
    pick(form, QStringLiteral("L0"), "TantouChangeMenu");
    EXPECT_TRUE(m_test->dialogs.messageTexts().isEmpty()) << m_test->dialogs.messageTexts().join(u'|').toStdString();
    EXPECT_EQ(slotStaff(), 11);
    EXPECT_EQ(form.Board->slotLabel(QStringLiteral("L0"))->text(), QStringLiteral("09.30 -> 40分\n青木　花子\n"));

    // 消去 asks first; No keeps the booking.
    m_test->dialogs.clear();
    m_test->dialogs.queueAnswer(MessageAnswer::No);
    pick(form, QStringLiteral("L0"), "EraseMenu");
    EXPECT_EQ(m_test->dialogs.messageTexts(), QStringList{QStringLiteral("12/02 09:30 の予約を削除しますか？")});
    EXPECT_NE(form.Board->slotLabel(QStringLiteral("L0")), nullptr);
    EXPECT_EQ(slotStaff(), 11);
    m_test->dialogs.queueAnswer(MessageAnswer::Yes);
    pick(form, QStringLiteral("L0"), "EraseMenu");
    EXPECT_EQ(form.Board->slotLabel(QStringLiteral("L0")), nullptr);
    DbDataSet rows;
    ASSERT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT COUNT(*) AS N FROM Schedule"))));
    EXPECT_EQ(rows.field(u"N").asInteger(), 0);
    form.close();
}

// The slot was widened at another workstation after the month was shown:
// 消去 keeps it, says where to erase it and draws the month as stored.
TEST_P(UserScheduleFormTest, EraseOfAWidenedSlotShowsTheMonthAgain)
{
    TUserScheduleForm form(m_test->context);
    showMonth(form);
    ASSERT_NE(form.Board->slotLabel(QStringLiteral("L0")), nullptr);
    ASSERT_TRUE(exec(QStringLiteral("UPDATE TimeTable SET Capacity = 3")));
    m_test->dialogs.queueAnswer(MessageAnswer::Yes);
    pick(form, QStringLiteral("L0"), "EraseMenu");
    EXPECT_EQ(m_test->dialogs.messageTexts(),
              (QStringList{QStringLiteral("12/02 09:30 の予約を削除しますか？"), UserMonthSchedule::GroupEraseText}));
    EXPECT_EQ(form.Board->slotLabel(QStringLiteral("L0")), nullptr);
    const BoardCell *shown = form.Board->slotLabel(QStringLiteral("L1"));
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->palette().color(shown->backgroundRole()), QColor(0xFFFF00));
    DbDataSet rows;
    ASSERT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT COUNT(*) AS N FROM Schedule"))));
    EXPECT_EQ(rows.field(u"N").asInteger(), 1);
    form.close();
}

TAMSOLEN_DATABASE_TEST_SUITE(UserScheduleFormTest);

} // namespace
