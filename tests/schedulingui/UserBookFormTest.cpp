#include "DatabaseFixture.h"
#include "TestContext.h"

#include "base/Clock.h"
#include "coreui/EraLineEdit.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "schedulingui/TOpenCureDialog.h"
#include "schedulingui/TScheduleMenuForm.h"
#include "schedulingui/TUserBookForm.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

class UserBookFormTest : public DatabaseFixture
{
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        if (IsSkipped())
            return;
        Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
        ASSERT_TRUE(exec(QStringLiteral("INSERT INTO Person (CureNo, Name, Sex, RihaType, KubunCode, NYUSHOBI_YMD, "
                                        "TAISHOBI_YMD, Reserve01, Funn01) ") +
                         sqlFor(QString(), QStringLiteral("OVERRIDING SYSTEM VALUE ")) +
                         QStringLiteral("VALUES (7, '佐藤　一郎', 0, 2, 9, '2026-11-01 00:00:00.000', "
                                        "'1899-12-30 00:00:00.000', '1899-12-30 09:30:00.000', 40)")));
        m_test = std::make_unique<TestContext>(db());
    }
    void TearDown() override
    {
        m_test.reset();
        Clock::reset();
        DatabaseFixture::TearDown();
    }
    // Types the month into the dialog, picks 全て and opens.
    static void typeMonthAndOpen(TOpenCureDialog *open, const QString &keys)
    {
        QTest::keyClicks(open->DateEdit, keys);
        QTest::keyClick(open->RihaTypeBox, Qt::Key_End);
        QTest::mouseClick(open->findChild<QPushButton *>(QStringLiteral("OpenButton")), Qt::LeftButton);
    }
    // Opens December for every type through the dialog.
    void openDecember(TUserBookForm &form)
    {
        m_test->dialogs.queueDialog([](QDialog *dialog) {
            auto *open = static_cast<TOpenCureDialog *>(dialog);
            typeMonthAndOpen(open, QStringLiteral("R0812"));
            return open->result();
        });
        form.OpenButton->click();
    }
    void clickUser(TUserBookForm &form)
    {
        const QRect cell = form.DBGrid1->visualItemRect(form.DBGrid1->item(0, 1));
        QTest::mouseClick(form.DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
    }
    int savedMinutes(const char *column)
    {
        DbDataSet rows;
        EXPECT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT * FROM Person WHERE CureNo = 7"))));
        return rows.field(QString::fromLatin1(column)).asInteger();
    }

    std::unique_ptr<TestContext> m_test;
};

TEST_P(UserBookFormTest, ListsEditsAndSavesTheWeek)
{
    TUserBookForm form(m_test->context);
    form.show();
    EXPECT_FALSE(form.SaveButton->isEnabled());
    openDecember(form);
    EXPECT_EQ(form.SchduleDate->text(), QStringLiteral("令和08年12月"));
    ASSERT_EQ(form.DBGrid1->rowCount(), 1);
    EXPECT_EQ(form.DBGrid1->item(0, 2)->text(), QStringLiteral("09:30"));
    form.DBGrid1->setCurrentCell(0, 1);
    EXPECT_EQ(form.NameLabel->text(), QStringLiteral("佐藤　一郎"));
    EXPECT_EQ(form.StartTime[0]->text(), QStringLiteral("09:30"));
    EXPECT_EQ(form.StartTime[1]->text(), QStringLiteral("00:00"));
    EXPECT_TRUE(form.ReserveButton->isEnabled());

    // A bad minute count stops the save with the focus on its editor and
    // keeps what was typed.
    form.StartTime[2]->setText(QStringLiteral("10:00"));
    emit form.StartTime[2]->textEdited(form.StartTime[2]->text());
    EXPECT_FALSE(form.ReserveButton->isEnabled());
    form.Funn[2]->setText(QStringLiteral("abc"));
    form.SaveButton->click();
    EXPECT_EQ(m_test->dialogs.messageTexts(), QStringList{QStringLiteral("作業時間(分)の数値エラー")});
    EXPECT_EQ(form.Funn[2]->text(), QStringLiteral("abc"));
    EXPECT_EQ(savedMinutes("Funn03"), 0);

    m_test->dialogs.clear();
    form.Funn[2]->setText(QStringLiteral("50"));
    form.SaveButton->click();
    EXPECT_EQ(m_test->dialogs.messageTexts(), QStringList{QStringLiteral("治療番号 : 7を保存しました")});
    EXPECT_EQ(savedMinutes("Funn03"), 50);
    EXPECT_EQ(form.DBGrid1->item(0, 6)->text(), QStringLiteral("10:00"));
    EXPECT_TRUE(form.ReserveButton->isEnabled());
}

// Every box of the chosen user shows its text whole, the longest era date too.
TEST_P(UserBookFormTest, UserBoxesShowTheirTextsWhole)
{
    ASSERT_TRUE(exec(QStringLiteral("UPDATE Person SET Name = '山田山田山田山田山田', Kana = 'ﾔﾏﾀﾞﾔﾏﾀﾞﾔﾏﾀﾞﾔﾏﾀﾞﾔﾏﾀﾞ', "
                                    "Birth = '1988-12-28 00:00:00.000', TAISHOBI_YMD = '2026-12-28 00:00:00.000'")));
    TUserBookForm form(m_test->context);
    form.resize(1000, 700);
    form.show();
    openDecember(form);
    clickUser(form);
    EXPECT_EQ(form.BirthLabel->text(), QStringLiteral("昭和63年12月28日"));
    QCoreApplication::processEvents();
    for (QLabel *box : {form.NameLabel, form.KanaLabel, form.BirthLabel, form.NyushoLabel, form.TaishoLabel,
                        form.TypeLabel, form.KubunLabel})
        EXPECT_GE(box->width(), box->sizeHint().width())
            << box->objectName().toStdString() << " " << box->text().toStdString();
}

// 閉じる after an edit asks before the edit is dropped; a saved week closes at once.
TEST_P(UserBookFormTest, CloseAsksWhileAnEditIsUnsaved)
{
    TUserBookForm form(m_test->context);
    form.show();
    openDecember(form);
    form.DBGrid1->setCurrentCell(0, 1);
    form.Funn[2]->setFocus();
    form.Funn[2]->selectAll();
    QTest::keyClicks(form.Funn[2], QStringLiteral("abc"));
    QTest::mouseClick(form.SaveButton, Qt::LeftButton);
    EXPECT_EQ(m_test->dialogs.messageTexts(), QStringList{QStringLiteral("作業時間(分)の数値エラー")});
    EXPECT_EQ(savedMinutes("Funn03"), 0);

    m_test->dialogs.clear();
    m_test->dialogs.queueAnswer(MessageAnswer::No);
    EXPECT_FALSE(form.close());
    EXPECT_EQ(m_test->dialogs.messageTexts(), QStringList{QStringLiteral("保存していませんが、このまま閉じますか？")});
    EXPECT_EQ(form.Funn[2]->text(), QStringLiteral("abc"));

    form.StartTime[2]->setFocus();
    form.StartTime[2]->setCursorPosition(0);
    QTest::keyClicks(form.StartTime[2], QStringLiteral("1000"));
    form.Funn[2]->selectAll();
    QTest::keyClicks(form.Funn[2], QStringLiteral("45"));
    QTest::mouseClick(form.SaveButton, Qt::LeftButton);
    EXPECT_EQ(savedMinutes("Funn03"), 45);
    m_test->dialogs.clear();
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(m_test->dialogs.messageTexts().isEmpty());
}

// The month is typed into the era template of a real modal run: Backspace
// and Delete only step back, Enter reads the month or says it cannot.
TEST_P(UserBookFormTest, MonthIsTypedIntoTheEraTemplate)
{
    TUserBookForm form(m_test->context);
    form.show();
    m_test->dialogs.queueDialog([this](QDialog *dialog) {
        auto *open = static_cast<TOpenCureDialog *>(dialog);
        dialog->hide();
        QTimer::singleShot(0, open, [this, open] {
            EraLineEdit *edit = open->DateEdit;
            EXPECT_EQ(edit->text(), QStringLiteral("令和08年12月"));
            EXPECT_EQ(edit->cursorPosition(), 0);
            QTest::keyClicks(edit, QStringLiteral("R0901"));
            EXPECT_EQ(edit->text(), QStringLiteral("令和 9年 1月"));
            QTest::keyClick(edit, Qt::Key_Return);
            EXPECT_TRUE(m_test->dialogs.messages().isEmpty());
            QTest::keyClick(edit, Qt::Key_Backspace);
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClicks(edit, QStringLiteral("03"));
            EXPECT_EQ(edit->text(), QStringLiteral("令和 9年 3月"));

            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClick(edit, Qt::Key_Return);
            EXPECT_EQ(m_test->dialogs.messageTexts(), QStringList{QStringLiteral("利用年月が不明です。")});
            EXPECT_EQ(m_test->dialogs.messages().value(0).type, MessageType::Information);
            EXPECT_EQ(open->focusWidget(), edit);
            typeMonthAndOpen(open, QStringLiteral("R0902"));
        });
        return open->exec();
    });
    form.OpenButton->click();
    EXPECT_EQ(form.SchduleDate->text(), QStringLiteral("令和09年02月"));
}

// The week's checks stop the save at the editor they name; a start with no
// minutes is saved and gives no wish.
TEST_P(UserBookFormTest, WeekChecksPointAtTheirEditor)
{
    TUserBookForm form(m_test->context);
    form.show();
    openDecember(form);
    clickUser(form);
    QLineEdit *thursday = form.StartTime[3];
    thursday->setFocus();
    QTest::keyClick(thursday, Qt::Key_Home);
    QTest::keyClick(thursday, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(thursday, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(thursday, Qt::Key_Delete);
    form.Funn[0]->setFocus();
    QTest::mouseClick(form.SaveButton, Qt::LeftButton);
    EXPECT_EQ(m_test->dialogs.messageTexts(), QStringList{QStringLiteral("Error 時刻の数値エラー")});
    EXPECT_EQ(form.focusWidget(), thursday);

    m_test->dialogs.clear();
    QTest::keyClick(thursday, Qt::Key_Home);
    QTest::keyClicks(thursday, QStringLiteral("25"));
    QTest::mouseClick(form.SaveButton, Qt::LeftButton);
    EXPECT_EQ(m_test->dialogs.messageTexts(), QStringList{QStringLiteral("時刻の数値エラー")});
    EXPECT_EQ(savedMinutes("Funn01"), 40);

    m_test->dialogs.clear();
    QTest::keyClick(thursday, Qt::Key_Home);
    QTest::keyClicks(thursday, QStringLiteral("1030"));
    QTest::mouseClick(form.SaveButton, Qt::LeftButton);
    EXPECT_EQ(m_test->dialogs.messageTexts(), QStringList{QStringLiteral("治療番号 : 7を保存しました")});
    EXPECT_EQ(form.DBGrid1->item(0, 8)->text(), QStringLiteral("10:30"));
    EXPECT_EQ(form.DBGrid1->item(0, 9)->text(), QString());
    EXPECT_EQ(savedMinutes("Funn04"), 0);
}

// The menu stands in for the main window while it is open and offers only
// the windows that exist.
TEST_P(UserBookFormTest, MenuOpensItsWindows)
{
    TScheduleMenuForm menu(m_test->context);
    TUserBookForm book(m_test->context);
    m_test->publish(ScheduleMenuForm, &menu);
    m_test->publish(UserBookForm, &book);
    menu.show();
    EXPECT_TRUE(menu.UserWeekBookBtn->isEnabled());
    EXPECT_FALSE(menu.StuffWeekBookBtn->isEnabled());
    menu.UserWeekBookBtn->click();
    EXPECT_TRUE(book.isVisible());
    EXPECT_FALSE(menu.isVisible());
    book.close();
    EXPECT_TRUE(menu.isVisible());
}

TAMSOLEN_DATABASE_TEST_SUITE(UserBookFormTest);

} // namespace
