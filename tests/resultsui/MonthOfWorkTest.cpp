#include "PersonRows.h"
#include "ResultsFixture.h"

#include "coreui/EraLineEdit.h"
#include "resultsui/TCopyModeForm.h"
#include "resultsui/TImportScheduleDialog.h"
#include "resultsui/TOpenGYMDialog.h"
#include "resultsui/TResultSheetForm.h"
#include "scheduling/BookingPayload.h"
#include "schedulingui/BoardCell.h"
#include "schedulingui/TStuffScheduleForm.h"
#include "schedulingui/TStuffTimeForm.h"
#include "schedulingui/WorkBoardView.h"

#include <QAction>
#include <QComboBox>

#include <QDateEdit>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

using MonthOfWorkTest = ResultsFixture;

// Slots made, booked and copied on the staff board, copied into results
// twice, exported and imported again: every step asks where it could double
// rows, and nothing is doubled.
TEST_P(MonthOfWorkTest, BookingsBecomeResultsOnce)
{
    const int cureNo = PersonRows::insert(db(), PersonRows::make(QStringLiteral("山田 太郎"), QStringLiteral("ﾔﾏﾀﾞ")));
    TStuffScheduleForm board(m_app->context);
    board.show();
    board.StuffBox->setCurrentIndex(0);
    board.RVDate->setDate(QDate(2024, 4, 1));
    QTest::mouseClick(board.DispButton, Qt::LeftButton);
    const auto pick = [](QWidget *target, QMenu *menu, const char *action) {
        QTest::mouseClick(target, Qt::RightButton);
        menu->hide();
        menu->findChild<QAction *>(QString::fromLatin1(action))->trigger();
    };

    m_app->dialogs.queueDialog([](QDialog *dialog) {
        auto *time = static_cast<TStuffTimeForm *>(dialog);
        time->show();
        time->StartTimeEdit->setText(QStringLiteral("10:00"));
        time->FunnEdit->setText(QStringLiteral("40"));
        time->findChild<QPushButton *>(QStringLiteral("SingleButton"))->click();
        QTest::mouseClick(time->SetButton, Qt::LeftButton);
        return time->result();
    });
    pick(board.Board->column(1), board.PanelPopupMenu, "NewBoxMenu");
    BoardCell *slot = board.Board->slotLabel(QStringLiteral("L0"));
    ASSERT_NE(slot, nullptr);
    QMimeData user;
    user.setData(QString::fromLatin1(BookingPayload::MimeType),
                 QStringLiteral(R"({"CureNo":%1,"NyushoDate":0,"TaishoDate":0,"RihaType":2,"KubunCode":9,)"
                                R"("Name":"山田 太郎"})")
                     .arg(cureNo)
                     .toUtf8());
    emit slot->dropped(&user);
    pick(board.Board->header(1), board.EditPopupMenu, "CopyDaysAllFromPanelMenu");
    pick(board.Board->header(2), board.EditPopupMenu, "PasteDaysToPanelMenu");
    pick(board.Board->header(2), board.EditPopupMenu, "PasteDaysToPanelMenu");
    EXPECT_EQ(m_app->dialogs.messageTexts(),
              QStringList{QStringLiteral("時間が重複しています。\n次の時限枠を無視しました。\n10:00 40分")});
    board.close();

    // Copied into results twice: the second run skips what exists.
    TImportScheduleDialog copy(m_app->context);
    for (int run = 0; run < 2; ++run) {
        copy.show();
        copy.FromDatePicker->setDate(QDate(2024, 4, 1));
        copy.ToDatePicker->setDate(QDate(2024, 4, 30));
        copy.StuffBox->setCurrentIndex(copy.StuffBox->count() - 1);
        QTest::mouseClick(copy.DisplayBtn, Qt::LeftButton);
        ASSERT_EQ(copy.DBGrid1->rowCount(), 2);
        QTest::mouseClick(copy.AllSelectBtn, Qt::LeftButton);
        m_app->dialogs.queueDialog([](QDialog *mode) {
            QTest::mouseClick(static_cast<TCopyModeForm *>(mode)->SetButton, Qt::LeftButton);
            return mode->result();
        });
        QTest::mouseClick(copy.ImportBtn, Qt::LeftButton);
        copy.hide();
    }
    ASSERT_EQ(ResultRows::all(db()).size(), 2u);

    // The month exported and imported again asks first; No keeps two rows.
    TResultSheetForm sheet(m_app->context);
    sheet.show();
    m_app->dialogs.queueDialog([](QDialog *dialog) {
        auto *open = static_cast<TOpenGYMDialog *>(dialog);
        open->DateEdit->setValue(DateTime::encodeDate(2024, 4, 1));
        QTest::mouseClick(open->OpenButton, Qt::LeftButton);
        return open->result();
    });
    QTest::mouseClick(sheet.OpenButton, Qt::LeftButton);
    ASSERT_EQ(sheet.StrGrid->rowCount(), 1);
    EXPECT_EQ(sheet.StrGrid->item(0, 33)->text(), QStringLiteral("   2"));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("april.csv"));
    m_app->dialogs.queueFileName(file);
    sheet.ExportMenu->trigger();
    m_app->dialogs.queueFileName(file);
    m_app->dialogs.queueAnswer(MessageAnswer::No);
    sheet.ImportExtDataMenu->trigger();
    EXPECT_EQ(m_app->dialogs.messages().at(m_app->dialogs.messages().size() - 2).buttons,
              MessageButtons::YesNoDefaultNo)
        << m_app->dialogs.messageTexts().join(u'|').toStdString();
    EXPECT_EQ(ResultRows::all(db()).size(), 2u);
    EXPECT_EQ(sheet.StrGrid->item(0, 33)->text(), QStringLiteral("   2"));
}

TAMSOLEN_DATABASE_TEST_SUITE(MonthOfWorkTest);

} // namespace
