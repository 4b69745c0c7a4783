#include "BoardWindowFixture.h"

#include "core/StaffDirectory.h"
#include "coreui/EraLineEdit.h"
#include "coreui/PhraseComboBox.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "platform/UserMessage.h"
#include "scheduling/BookingPayload.h"
#include "schedulingui/BoardCell.h"
#include "schedulingui/TDayScheduleForm.h"
#include "schedulingui/TPersonPropertyForm.h"
#include "schedulingui/TScheduleTableDispForm.h"
#include "schedulingui/TStuffAllChangeForm.h"
#include "schedulingui/TStuffChangeForm.h"
#include "schedulingui/TStuffScheduleForm.h"
#include "schedulingui/TStuffTimeForm.h"
#include "schedulingui/TTimeTableForm.h"
#include "schedulingui/TUserScheduleForm.h"
#include "schedulingui/WorkBoardView.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QWheelEvent>

namespace {

class BoardFormsTest : public BoardWindowFixture
{
protected:
    int bookings()
    {
        DbDataSet rows;
        EXPECT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT COUNT(*) AS N FROM Schedule"))));
        return rows.field(u"N").asInteger();
    }
    [[nodiscard]] QStringList messages() const { return m_test->dialogs.messageTexts(); }
    // Books user 7 into the slot and shows its booking list, cancelling allowed.
    void showBookedList(TTimeTableForm &form)
    {
        ASSERT_TRUE(exec(QStringLiteral("INSERT INTO Schedule (WorkingNo, CureNo, Comment) "
                                        "SELECT ReserveNo, 7, '' FROM TimeTable")));
        DbDataSet slot;
        ASSERT_TRUE(slot.open(DbQuery(db(), QStringLiteral("SELECT ReserveNo FROM TimeTable"))));
        form.ReserveNo = slot.field(u"ReserveNo").asInteger();
        form.CanDelete = true;
        form.show();
    }
    // Shows staff 12 from December 1st.
    static void displayDecember(TStuffScheduleForm &form)
    {
        form.StuffBox->setCurrentIndex(1);
        form.RVDate->setDate(QDate(2026, 12, 1));
        QTest::mouseClick(form.DispButton, Qt::LeftButton);
    }
};

TEST_P(BoardFormsTest, StaffBoardBooksADroppedUser)
{
    TStuffScheduleForm form(context());
    form.show();
    form.DispButton->click();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("担当者を指定してください。")});
    form.StuffBox->setCurrentIndex(1);
    form.RVDate->setDate(QDate(2026, 12, 1));
    form.DispButton->click();
    EXPECT_FALSE(form.DispButton->isEnabled());
    EXPECT_EQ(form.Board->header(5)->text(), QStringLiteral("日曜日 2026/12/06"));
    BoardCell *label = form.Board->slotLabel(QStringLiteral("L0"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->parentWidget()->objectName(), QStringLiteral("P1"));
    EXPECT_EQ(label->geometry(), QRect(1, 180, 118, 79));

    QMimeData data;
    data.setData(QString::fromLatin1(BookingPayload::MimeType),
                 R"({"CureNo":7,"NyushoDate":0,"TaishoDate":0,"RihaType":2,"KubunCode":9,"Name":"佐藤　一郎"})");
    emit label->dropped(&data);
    EXPECT_EQ(bookings(), 1);
    EXPECT_EQ(form.Board->slotLabel(QStringLiteral("L0"))->text(),
              QStringLiteral("09.30 -> 40分\n佐藤　一郎\n通所 短個"));

    form.ClearButton->click();
    EXPECT_EQ(form.Board->slotLabel(QStringLiteral("L0")), nullptr);
    EXPECT_TRUE(form.StuffBox->isEnabled());
}

// The slot and column menus ask their dialogs and pass the answers on.
TEST_P(BoardFormsTest, MenusGoThroughTheDialogs)
{
    TStuffScheduleForm form(context());
    form.show();
    form.StuffBox->setCurrentIndex(1);
    form.RVDate->setDate(QDate(2026, 12, 1));
    form.DispButton->click();
    const auto trigger = [](QMenu *menu, const char *name) {
        menu->findChild<QAction *>(QString::fromLatin1(name))->trigger();
    };

    m_test->dialogs.queueDialog([](QDialog *dialog) {
        auto *time = static_cast<TStuffTimeForm *>(dialog);
        time->show();
        EXPECT_EQ(time->FunnEdit->text(), QStringLiteral("40"));
        time->StartTimeEdit->setText(QStringLiteral("10:00"));
        time->FunnEdit->setText(QStringLiteral("60"));
        time->findChild<QPushButton *>(QStringLiteral("GroupButton"))->click();
        time->SetButton->click();
        return time->result();
    });
    form.TargetLabel = QStringLiteral("L0");
    trigger(form.LabelPopupMenu, "BoxUpdate");
    EXPECT_EQ(form.Board->slotLabel(QStringLiteral("L0"))->geometry(), QRect(1, 240, 118, 119));
    EXPECT_EQ(form.Board->slotLabel(QStringLiteral("L0"))->text(), QStringLiteral("10.00 -> 60分\n予約 0 名\n"));

    trigger(form.LabelPopupMenu, "TimeCopyMenu");
    EXPECT_EQ(form.StatusPanel1->text(), QStringLiteral("12/02 10:00 時間枠コピー"));
    form.TargetPanel = 3;
    trigger(form.PanelPopupMenu, "PasteTimeMenu");
    ASSERT_NE(form.Board->slotLabel(QStringLiteral("L1")), nullptr);
    EXPECT_EQ(form.Board->slotLabel(QStringLiteral("L1"))->parentWidget()->objectName(), QStringLiteral("P3"));

    form.TargetLabel = QStringLiteral("L1");
    m_test->dialogs.queueAnswer(MessageAnswer::Yes);
    trigger(form.LabelPopupMenu, "AllEraseMenu");
    EXPECT_EQ(form.Board->slotLabel(QStringLiteral("L1")), nullptr);
    DbDataSet rows;
    ASSERT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT ReserveNo FROM TimeTable"))));
    EXPECT_EQ(rows.recordCount(), 1);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("時間枠と全ての予約を削除しますか？")});
}

// Erasing a slot asks first (No is the default); the erase and a new showing
// empty the copy buffer and its status text.
TEST_P(BoardFormsTest, EraseAsksAndEmptiesTheCopyBuffer)
{
    TStuffScheduleForm form(context());
    form.show();
    displayDecember(form);
    const auto trigger = [](QMenu *menu, const char *name) {
        menu->findChild<QAction *>(QString::fromLatin1(name))->trigger();
    };
    form.TargetLabel = QStringLiteral("L0");
    trigger(form.LabelPopupMenu, "TimeCopyMenu");
    EXPECT_EQ(form.StatusPanel1->text(), QStringLiteral("12/02 09:30 時間枠コピー"));

    m_test->dialogs.queueAnswer(MessageAnswer::No);
    trigger(form.LabelPopupMenu, "AllEraseMenu");
    ASSERT_EQ(m_test->dialogs.messages().size(), 1);
    EXPECT_EQ(m_test->dialogs.messages().last().text, QStringLiteral("時間枠と全ての予約を削除しますか？"));
    EXPECT_EQ(m_test->dialogs.messages().last().buttons, MessageButtons::YesNoDefaultNo);
    EXPECT_NE(form.Board->slotLabel(QStringLiteral("L0")), nullptr);
    EXPECT_TRUE(form.board().canPasteSlot());

    m_test->dialogs.queueAnswer(MessageAnswer::Yes);
    trigger(form.LabelPopupMenu, "AllEraseMenu");
    EXPECT_EQ(form.Board->slotLabel(QStringLiteral("L0")), nullptr);
    EXPECT_EQ(form.StatusPanel1->text(), QString());
    EXPECT_FALSE(form.board().canPasteSlot());

    ASSERT_TRUE(exec(QStringLiteral("INSERT INTO TimeTable (ReserveDay, StuffCode, StartTime, WorkingMin, Capacity) "
                                    "VALUES ('2026-12-03 00:00:00.000', 12, '1899-12-30 10:00:00.000', 30, 1)")));
    form.close();
    form.show();
    displayDecember(form);
    form.TargetLabel = QStringLiteral("L0");
    trigger(form.LabelPopupMenu, "TimeCopyMenu");
    EXPECT_TRUE(form.board().canPasteSlot());
    form.close();
    form.show();
    EXPECT_EQ(form.StatusPanel1->text(), QString());
    EXPECT_FALSE(form.board().canPasteSlot());
}

// The slot was moved to another time at another workstation after the board
// was shown: 全て消去, asked and answered, erases nothing, says the slot was
// changed and shows it where it is stored, with its booking.
TEST_P(BoardFormsTest, EraseOfASlotMovedElsewhereTellsAndShowsItAsStored)
{
    ASSERT_TRUE(exec(QStringLiteral("INSERT INTO Schedule (WorkingNo, CureNo, Comment) "
                                    "SELECT ReserveNo, 7, '' FROM TimeTable")));
    TStuffScheduleForm form(context());
    form.show();
    displayDecember(form);
    BoardCell *label = form.Board->slotLabel(QStringLiteral("L0"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->geometry().top(), 180);
    ASSERT_TRUE(exec(QStringLiteral("UPDATE TimeTable SET StartTime = '1899-12-30 10:30:00.000'")));

    QTest::mouseClick(label, Qt::RightButton);
    ASSERT_TRUE(form.LabelPopupMenu->isVisible());
    form.LabelPopupMenu->hide();
    m_test->dialogs.queueAnswer(MessageAnswer::Yes);
    form.LabelPopupMenu->findChild<QAction *>(QStringLiteral("AllEraseMenu"))->trigger();
    EXPECT_EQ(messages(),
              (QStringList{QStringLiteral("時間枠と全ての予約を削除しますか？"),
                           QStringLiteral("この時間枠は他の端末で変更されています。\n最新の状態を表示します。")}));
    EXPECT_EQ(bookings(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_NE(form.Board->slotLabel(QStringLiteral("L0")), nullptr);
    EXPECT_EQ(form.Board->slotLabel(QStringLiteral("L0"))->geometry().top(), 300);
    EXPECT_EQ(form.Board->slotLabel(QStringLiteral("L0"))->text(),
              QStringLiteral("10.30 -> 40分\n佐藤　一郎\n通所 短個"));
}

// A drop on a slot another workstation deleted says so and shows the board
// as stored.
TEST_P(BoardFormsTest, DropOnADeletedSlotReloadsTheBoard)
{
    TStuffScheduleForm form(context());
    form.show();
    displayDecember(form);
    BoardCell *label = form.Board->slotLabel(QStringLiteral("L0"));
    ASSERT_NE(label, nullptr);
    ASSERT_TRUE(exec(QStringLiteral("DELETE FROM TimeTable")));
    QMimeData data;
    data.setData(QString::fromLatin1(BookingPayload::MimeType),
                 R"({"CureNo":7,"NyushoDate":0,"TaishoDate":0,"RihaType":2,"KubunCode":9,"Name":"佐藤　一郎"})");
    emit label->dropped(&data);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("この時間枠は既に削除されています。\n最新の状態を表示します。")});
    EXPECT_EQ(form.Board->slotLabel(QStringLiteral("L0")), nullptr);
    EXPECT_EQ(bookings(), 0);
}

// A board opens at its first column and at the hour of its earliest slot,
// wherever it was scrolled before.
TEST_P(BoardFormsTest, BoardOpensAtTheFirstSlot)
{
    TStuffScheduleForm form(context());
    form.show();
    displayDecember(form);
    EXPECT_EQ(form.Board->TimeScrollBar->value(), 1);
    EXPECT_EQ(form.Board->TimePanel->y(), -120);
    form.Board->TimeScrollBar->setValue(10);
    form.Board->DayScrollBar->setValue(20);
    form.close();
    form.show();
    displayDecember(form);
    EXPECT_EQ(form.Board->TimeScrollBar->value(), 1);
    EXPECT_EQ(form.Board->DayScrollBar->value(), 0);
    EXPECT_EQ(form.Board->SchedulePanel->x(), 0);
    EXPECT_EQ(form.Board->ScrollMode, 0);
}

// The wheel moves the bar used last, and nothing before a bar was used.
TEST_P(BoardFormsTest, WheelFollowsTheLastScrollBar)
{
    TStuffScheduleForm form(context());
    form.show();
    const auto wheel = [&form](int delta) {
        QWheelEvent event(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(form.Board, &event);
    };
    wheel(-120);
    EXPECT_EQ(form.Board->DayScrollBar->value(), 0);
    EXPECT_EQ(form.Board->TimeScrollBar->value(), 0);
    form.Board->TimeScrollBar->setValue(1);
    wheel(-120);
    EXPECT_EQ(form.Board->TimeScrollBar->value(), 2);
    EXPECT_EQ(form.Board->TimePanel->y(), -240);
    form.Board->DayScrollBar->setValue(30);
    wheel(-120);
    EXPECT_EQ(form.Board->DayScrollBar->value(), 30);
    wheel(120);
    EXPECT_EQ(form.Board->SchedulePanel->x(), -120 * 29);
}

TEST_P(BoardFormsTest, DayBoardShowsStaffColumns)
{
    TDayScheduleForm form(context());
    form.show();
    EXPECT_EQ(form.StartStuffNo->text(), QStringLiteral("1人～"));
    EXPECT_FALSE(form.StuffNameShift->isEnabled());
    form.RVDate->setDate(QDate(2026, 12, 2));
    form.DispButton->click();
    EXPECT_EQ(form.Board->header(1)->text(), QStringLiteral("伊藤　健"));
    ASSERT_NE(form.Board->slotLabel(QStringLiteral("L0")), nullptr);
    EXPECT_EQ(form.Board->slotLabel(QStringLiteral("L0"))->parentWidget()->objectName(), QStringLiteral("P1"));
}

// "DP" shows the month's records in the fixed-width list, refilled on
// every press.
TEST_P(BoardFormsTest, DpListsTheUserMonthsRecords)
{
    ASSERT_TRUE(exec(QStringLiteral("INSERT INTO Schedule (WorkingNo, CureNo, Comment) "
                                    "SELECT ReserveNo, 7, '' FROM TimeTable")));
    TUserScheduleForm form(context());
    TScheduleTableDispForm list;
    EXPECT_EQ(list.Memo->toPlainText(), QString());
    m_test->publish(ScheduleTableDispForm, &list);
    form.CureNo = 7;
    form.YearMonth = DateTime::encodeDate(2026, 12, 1);
    form.show();
    QStringList shown;
    for (int press = 0; press < 2; ++press) {
        m_test->dialogs.queueDialog([&shown](QDialog *dialog) {
            auto *display = static_cast<TScheduleTableDispForm *>(dialog);
            EXPECT_EQ(display->windowTitle(), QStringLiteral("TimeTable Display (Debug)"));
            EXPECT_TRUE(QFontInfo(display->Memo->font()).fixedPitch());
            shown = display->Memo->toPlainText().split(u'\n');
            return 2;
        });
        QTest::mouseClick(form.Button1, Qt::LeftButton);
        ASSERT_EQ(shown.size(), 2) << "press " << press;
        EXPECT_TRUE(shown[1].startsWith(QStringLiteral("true      1      L0 "))) << shown[1].toStdString();
        EXPECT_TRUE(shown[1].endsWith(QStringLiteral("    2026/12/02    12     09:30    40    1")));
    }
    EXPECT_EQ(m_test->dialogs.dialogCount(), 2);
}

// A column pasted onto itself and a column moved to a busy staff member
// each tell their skipped slots in one message.
TEST_P(BoardFormsTest, DayBoardCollectsSkippedSlotsInOneMessage)
{
    ASSERT_TRUE(exec(QStringLiteral("INSERT INTO TimeTable (ReserveDay, StuffCode, StartTime, WorkingMin, Capacity) "
                                    "VALUES ('2026-12-02 00:00:00.000', 12, '1899-12-30 11:00:00.000', 30, 1), "
                                    "('2026-12-02 00:00:00.000', 11, '1899-12-30 09:00:00.000', 60, 1)")));
    TDayScheduleForm form(context());
    form.show();
    form.RVDate->setDate(QDate(2026, 12, 2));
    QTest::mouseClick(form.DispButton, Qt::LeftButton);
    const auto pick = [&form](const char *action) {
        QTest::mouseClick(form.Board->header(1), Qt::RightButton);
        form.EditPopupMenu->hide();
        form.EditPopupMenu->findChild<QAction *>(QString::fromLatin1(action))->trigger();
    };
    pick("CopyStuffBoxFromPanelMenu");
    pick("PasteBoxesToPanelMenu");
    EXPECT_EQ(messages(), QStringList{QStringLiteral("時間が重複しています。\n次の時限枠を無視しました。\n"
                                                     "09:30 40分\n11:00 30分")});

    m_test->dialogs.clear();
    m_test->dialogs.queueDialog([](QDialog *dialog) {
        auto *change = static_cast<TStuffAllChangeForm *>(dialog);
        change->show();
        change->KaigoStuffBox->setCurrentIndex(0);
        QTest::mouseClick(change->SetButton, Qt::LeftButton);
        return change->result();
    });
    pick("ChangeStuffOfPanelMenu");
    EXPECT_EQ(messages(), QStringList{QStringLiteral("次の時間枠は変更できませんでした。\n"
                                                     "09:30 40分：時間が重複しています。")});
    DbDataSet rows;
    ASSERT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT COUNT(*) AS N FROM TimeTable WHERE StuffCode = 12"))));
    EXPECT_EQ(rows.field(u"N").asInteger(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form.Board->column(0)->findChildren<BoardCell *>().size(), 2);
}

TEST_P(BoardFormsTest, BookingCommentIsWrittenWhenItsEditEnds)
{
    TTimeTableForm form(context());
    showBookedList(form);
    EXPECT_EQ(form.BookedCount, 1);
    EXPECT_EQ(form.ScheduleDispGrid->item(0, 0)->text(), QStringLiteral("00000007"));
    EXPECT_EQ(form.ScheduleDispGrid->item(0, 5)->text(), QString());

    const QModelIndex comment = form.ScheduleDispGrid->model()->index(0, 8);
    form.ScheduleDispGrid->setCurrentIndex(comment);
    form.ScheduleDispGrid->edit(comment);
    auto *box = form.ScheduleDispGrid->findChild<PhraseComboBox *>(QStringLiteral("CommentBox"));
    ASSERT_NE(box, nullptr);
    box->setEditText(QStringLiteral("午後に変更"));
    emit form.ScheduleDispGrid->itemDelegateForColumn(8)->commitData(box);
    DbDataSet rows;
    ASSERT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT Comment FROM Schedule"))));
    EXPECT_EQ(rows.field(u"Comment").asString(), QStringLiteral("午後に変更"));

    m_test->dialogs.queueAnswer(MessageAnswer::No);
    QTest::mouseClick(form.AllDeleteButton, Qt::LeftButton);
    EXPECT_EQ(m_test->dialogs.messages().last().text, QStringLiteral("この時間枠の全ての予約を削除しますか？"));
    EXPECT_EQ(m_test->dialogs.messages().last().buttons, MessageButtons::YesNoDefaultNo);
    EXPECT_EQ(bookings(), 1);
    form.ScheduleDispGrid->setCurrentCell(0, 0);
    m_test->dialogs.queueAnswer(MessageAnswer::No);
    QTest::mouseClick(form.DeleteButton, Qt::LeftButton);
    EXPECT_EQ(m_test->dialogs.messages().last().text, QStringLiteral("佐藤　一郎 様の予約を削除しますか？"));
    EXPECT_EQ(bookings(), 1);
    m_test->dialogs.queueAnswer(MessageAnswer::Yes);
    QTest::mouseClick(form.AllDeleteButton, Qt::LeftButton);
    EXPECT_EQ(form.BookedCount, 0);
    EXPECT_FALSE(form.DeleteButton->isEnabled());
    EXPECT_EQ(bookings(), 0);
}

// 予約全取消 after another workstation booked into the slot: the list says
// so and shows both bookings; nothing is cancelled until it has.
TEST_P(BoardFormsTest, CancelAllTellsOfABookingMadeElsewhere)
{
    TTimeTableForm form(context());
    showBookedList(form);
    ASSERT_EQ(form.BookedCount, 1);
    ASSERT_TRUE(exec(QStringLiteral("INSERT INTO Person (Name, Sex, RihaType, KubunCode, NYUSHOBI_YMD, TAISHOBI_YMD) "
                                    "VALUES ('鈴木　二郎', 0, 2, 9, '2026-11-01 00:00:00.000', "
                                    "'1899-12-30 00:00:00.000')")));

    DbConnection other;
    ASSERT_TRUE(other.open(connectionString(), user(), password())) << other.errorText().toStdString();
    DbQuery book(other, QStringLiteral("INSERT INTO Schedule (WorkingNo, CureNo, Comment) "
                                       "SELECT ReserveNo, CureNo, '' FROM TimeTable, Person WHERE CureNo <> 7"));
    ASSERT_TRUE(book.exec()) << book.errorText().toStdString();
    m_test->dialogs.queueAnswer(MessageAnswer::Yes);
    QTest::mouseClick(form.AllDeleteButton, Qt::LeftButton);
    EXPECT_EQ(messages().last(), ChangedElsewhereText);
    EXPECT_EQ(form.BookedCount, 2);
    EXPECT_EQ(form.ScheduleDispGrid->rowCount(), 2);
    EXPECT_EQ(bookings(), 2);
    m_test->dialogs.queueAnswer(MessageAnswer::Yes);
    QTest::mouseClick(form.AllDeleteButton, Qt::LeftButton);
    EXPECT_EQ(form.BookedCount, 0);
    EXPECT_EQ(bookings(), 0);
}

TAMSOLEN_DATABASE_TEST_SUITE(BoardFormsTest);

TEST(SlotDialogs, RefuseInTheirOwnLabel)
{
    TStuffTimeForm form;
    form.NewFrame = true;
    form.show();
    const struct
    {
        QString time, minutes, message;
    } cases[] = {
        {QStringLiteral("07:59"), QStringLiteral("30"), QStringLiteral("開始時間エラーです。")},
        {QStringLiteral("21:00"), QStringLiteral("30"), QStringLiteral("開始時間エラーです。")},
        {QStringLiteral("20:59"), QString(), QStringLiteral("分は入力必須項目です。")},
        {QStringLiteral("20:59"), QStringLiteral("601"), QStringLiteral("分は600分以下です。")},
        {QStringLiteral("20:59"), QStringLiteral("0"), QStringLiteral("分は１分以上です。")},
        {QStringLiteral("20:59"), QStringLiteral("600"), QStringLiteral("終了時刻が21:00を過ぎています（1分まで）。")},
        {QStringLiteral("20:30"), QStringLiteral("60"), QStringLiteral("終了時刻が21:00を過ぎています（30分まで）。")}};
    for (const auto &c : cases) {
        form.StartTimeEdit->setText(c.time);
        form.FunnEdit->setText(c.minutes);
        form.SetButton->click();
        EXPECT_EQ(form.ErrorLabel->text(), c.message) << c.time.toStdString() << " " << c.minutes.toStdString();
        EXPECT_TRUE(form.isVisible());
    }
    form.StartTimeEdit->setText(QStringLiteral("11:00"));
    form.FunnEdit->setText(QStringLiteral("600"));
    form.findChild<QPushButton *>(QStringLiteral("GroupButton"))->click();
    form.SetButton->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.WorkingMin, 600);
    EXPECT_EQ(form.Capacity, 40);

    StaffDirectory staff({{11, QStringLiteral("青木")}});
    TStuffChangeForm change(staff);
    change.ReserveDay = DateTime::encodeDate(2026, 12, 1);
    change.StuffCode = 11;
    change.StartTime = DateTime::encodeTime(9, 0);
    change.WorkingMin = 30;
    change.show();
    EXPECT_EQ(change.KaigoStuffBox->currentIndex(), 0);
    change.DayEdit->setText(QStringLiteral("令和xx年12月01日"));
    change.SetButton->click();
    EXPECT_EQ(change.ErrorLabel->text(), QStringLiteral("日付けエラーです。"));
    EXPECT_TRUE(change.isVisible());
}

TEST(TPersonPropertyForm, ShowsCategoriesAndNoEndDate)
{
    TPersonPropertyForm form;
    form.CureNo = 12;
    form.KubunCode = 15;
    form.NyushoDate = DateTime::encodeDate(2026, 4, 1);
    form.show();
    EXPECT_EQ(form.UserKubunLabel->text(), QStringLiteral("短期集中 認知症 集団 個別"));
    EXPECT_EQ(form.TaishoDateLabel->text(), QString());
    EXPECT_EQ(form.NyushoDateLabel->text(), QStringLiteral("2026/04/01"));
}

} // namespace
