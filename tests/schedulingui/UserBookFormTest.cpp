#include "DatabaseFixture.h"
#include "TestContext.h"

#include "base/Clock.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "schedulingui/TOpenCureDialog.h"
#include "schedulingui/TScheduleMenuForm.h"
#include "schedulingui/TUserBookForm.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
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
    // Opens December for every type through the dialog.
    void openDecember(TUserBookForm &form)
    {
        m_test->dialogs.queueDialog([](QDialog *dialog) {
            auto *open = static_cast<TOpenCureDialog *>(dialog);
            open->DateEdit->setText(QStringLiteral("令和08年12月"));
            open->RihaTypeBox->setCurrentIndex(4);
            open->OpenButtonClick();
            return open->result();
        });
        form.OpenButton->click();
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
    EXPECT_EQ(m_test->dialogs.messageTexts(), QStringList{QStringLiteral("分は数値項目です。")});
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
    EXPECT_EQ(m_test->dialogs.messageTexts(), QStringList{QStringLiteral("分は数値項目です。")});
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
