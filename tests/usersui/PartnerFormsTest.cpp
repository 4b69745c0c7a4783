#include "DatabaseFixture.h"
#include "PartnerDatabase.h"
#include "TestContext.h"

#include "base/Clock.h"
#include "coreui/EraLineEdit.h"
#include "coreui/KanaLineEdit.h"
#include "coreui/TCommentForm.h"
#include "platform/DbConnection.h"
#include "usersui/TConnectionStringDialog.h"
#include "usersui/THinorikuForm.h"
#include "usersui/THinorikuUserForm.h"
#include "usersui/TUserRegistForm.h"
#include "usersui/TUserSearchForm.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

const QString NoLink = QStringLiteral("System Error\nヒノリクの使用設定を確認してください。\nシステムを終了します。");

// The partner forms over a partner table read through the SQLite ODBC driver.
class PartnerFormsTest : public DatabaseFixture
{
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        QString reason;
        if (!m_partner.create(PartnerDatabase::Kind::SqliteOdbc, reason))
            GTEST_SKIP() << reason.toStdString();
        m_context.registory.ServFlg = 1;
        m_context.registory.Hinoriku = m_partner.connectionString();
        ASSERT_TRUE(m_context.mainModule.HinorikuConnection.open(m_partner.connectionString()));
        m_picker = std::make_unique<THinorikuUserForm>(m_context.context);
        m_context.publish(HinorikuUserForm, m_picker.get());
    }
    void TearDown() override
    {
        m_picker.reset();
        DatabaseFixture::TearDown();
    }

    // Clicks a grid row as a person does.
    static void clickRow(QTableView *grid, int row)
    {
        const QRect cell = grid->visualRect(grid->model()->index(row, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

    PartnerDatabase m_partner;
    TestContext m_context{db()};
    std::unique_ptr<THinorikuUserForm> m_picker;
};

} // namespace

TEST_P(PartnerFormsTest, PickerChecksItsInputsAndShowsTheChosenUser)
{
    THinorikuUserForm &picker = *m_picker;
    picker.show();
    EXPECT_EQ(picker.DBGrid1->model()->rowCount(), 4);
    EXPECT_FALSE(picker.ReturnBtn->isEnabled());

    const std::pair<const char16_t *, const char16_t *> refused[] = {
        {u"", u"ヒノリク利用者Noが記入されていません。"},
        {u"1O1", u"半角の数字で入力してください。"},
        {u"-101", u"数値の値がマイナスです。\n正しい数値で入力してください。"}};
    for (const auto &[typed, message] : refused) {
        picker.UserNo->setText(QString::fromUtf16(typed));
        picker.NoSearchBtn->click();
        EXPECT_EQ(m_context.dialogs.messageTexts().last(), QString::fromUtf16(message));
    }
    picker.RegistName->setText(QStringLiteral("山田"));
    picker.UserSearchBtn->click();
    EXPECT_EQ(m_context.dialogs.messageTexts().last(),
              QStringLiteral("カナの入力が必要です。\n半角20文字以内で入力してください。"));
    picker.RegistKanaName->setText(QStringLiteral("ｶﾄｳ"));
    picker.UserSearchBtn->click();
    EXPECT_EQ(picker.DBGrid1->model()->rowCount(), 2);
    picker.KanaButtons[7]->click(); // や
    ASSERT_EQ(picker.DBGrid1->model()->rowCount(), 1);

    clickRow(picker.DBGrid1, 0);
    EXPECT_TRUE(picker.ReturnBtn->isEnabled());
    EXPECT_EQ(picker.PartnerUserNo, 101);
    EXPECT_EQ(picker.PartnerSex, 1);
    EXPECT_EQ(picker.UserNo->text(), QStringLiteral("101"));
    EXPECT_EQ(picker.RegistKanaName->text(), QStringLiteral("ﾔﾏﾀﾞ ﾊﾅｺ"));
    EXPECT_EQ(picker.SexLabel->text(), QStringLiteral("女性"));
    EXPECT_EQ(picker.BirthLabel->text(), QStringLiteral("昭和 15年05月06日"));
    EXPECT_EQ(picker.AddLabel->text(), QStringLiteral("東京都港区芝1-2-3"));

    picker.UserNo->setText(QStringLiteral("99"));
    picker.NoSearchBtn->click();
    EXPECT_EQ(picker.DBGrid1->model()->rowCount(), 0);
    EXPECT_FALSE(picker.ReturnBtn->isEnabled());
}

TEST_P(PartnerFormsTest, PickerWithoutALinkSaysSo)
{
    m_context.registory.ServFlg = 0;
    m_picker->show();
    EXPECT_EQ(m_context.dialogs.messageTexts(), QStringList{NoLink});
    EXPECT_EQ(m_picker->DBGrid1->model()->rowCount(), 0);
}

TEST_P(PartnerFormsTest, LinkSettingsAreStoredAndConnectedAsTyped)
{
    THinorikuForm form(m_context.context);
    form.show();
    EXPECT_EQ(form.ConnectionItems->checkedId(), 1);
    EXPECT_EQ(form.SQLServerName->text(), m_partner.connectionString());

    form.ConnectionItems->button(0)->click();
    form.Setting->click();
    EXPECT_EQ(m_context.dialogs.messageTexts().last(), QStringLiteral("接続しました。"));
    EXPECT_FALSE(m_context.mainModule.HinorikuConnection.isOpen());

    form.ConnectionItems->button(1)->click();
    form.SQLServerName->setText(QStringLiteral("Provider=ODBC;Driver=NoSuchDriver;Server=x"));
    form.Setting->click();
    EXPECT_EQ(m_context.dialogs.messages().last().type, MessageType::Error);
    EXPECT_EQ(m_context.dialogs.messageTexts().last(), QStringLiteral("ヒノリク接続に失敗しました。"));
    EXPECT_EQ(m_context.registory.Hinoriku, QStringLiteral("Provider=ODBC;Driver=NoSuchDriver;Server=x"));
    EXPECT_FALSE(m_context.mainModule.HinorikuConnection.isOpen());

    // 接続確認: the dialog builds the string and tries it.
    const QString file = m_partner.connectionString().section(u'=', -1);
    m_context.dialogs.queueDialog([file](QDialog *shown) {
        auto *dialog = static_cast<TConnectionStringDialog *>(shown);
        EXPECT_TRUE(dialog->ServerEdit->isVisible());
        dialog->DriverBox->setCurrentIndex(int(PartnerConnectionString::Driver::AccessFile));
        EXPECT_FALSE(dialog->ServerEdit->isVisible());
        dialog->FileEdit->setText(file + QStringLiteral(".missing"));
        QTest::mouseClick(dialog->TestButton, Qt::LeftButton);
        // The system's message, and the driver's text whole beside it.
        EXPECT_EQ(dialog->ResultLabel->text(), QStringLiteral("接続に失敗しました。"));
        DbConnection failing;
        EXPECT_FALSE(failing.open(dialog->connectionString(), QString(), QString()));
        EXPECT_FALSE(failing.errorText().isEmpty());
        EXPECT_EQ(dialog->DetailsEdit->toPlainText(), failing.errorText());
        EXPECT_TRUE(dialog->DetailsEdit->isVisible());
        EXPECT_TRUE(dialog->rect().contains(dialog->DetailsEdit->geometry()));
        dialog->DriverBox->setCurrentIndex(int(PartnerConnectionString::Driver::SQLite));
        EXPECT_FALSE(dialog->DetailsEdit->isVisible());
        dialog->FileEdit->setText(file);
        QTest::mouseClick(dialog->TestButton, Qt::LeftButton);
        EXPECT_EQ(dialog->ResultLabel->text(), QStringLiteral("接続できました。"));
        EXPECT_FALSE(dialog->DetailsEdit->isVisible());
        dialog->OkButton->click();
        return dialog->result();
    });
    form.SQLConfirm->click();
    EXPECT_EQ(form.SQLServerName->text(), QStringLiteral("Provider=SQLite;Data Source=") + file);
    form.Setting->click();
    EXPECT_EQ(m_context.dialogs.messageTexts().last(), QStringLiteral("接続しました。"));
    EXPECT_TRUE(m_context.mainModule.HinorikuConnection.isOpen());
}

// A string typed by hand that is no KEY=VALUE list is told in the window's own words.
TEST_P(PartnerFormsTest, MalformedConnectionStringIsToldInJapanese)
{
    THinorikuForm form(m_context.context);
    form.show();
    form.SQLServerName->setText(QStringLiteral("abc"));
    m_context.dialogs.queueDialog(FakeDialogService::execAndPress(QStringLiteral("CancelButton"), [](QDialog *shown) {
        auto *dialog = static_cast<TConnectionStringDialog *>(shown);
        EXPECT_EQ(dialog->ConnectionText->text(), QStringLiteral("abc"));
        QTest::mouseClick(dialog->TestButton, Qt::LeftButton);
        EXPECT_EQ(dialog->ResultLabel->text(), QStringLiteral("接続文字の形式が正しくありません。"));
        EXPECT_FALSE(dialog->DetailsEdit->isVisible());
    }));
    QTest::mouseClick(form.SQLConfirm, Qt::LeftButton);
    EXPECT_EQ(m_context.dialogs.dialogCount(), 1);
    EXPECT_EQ(form.SQLServerName->text(), QStringLiteral("abc"));
}

TEST_P(PartnerFormsTest, RegisterTakesThePartnerUser)
{
    Clock::setFixed(QDateTime(QDate(2024, 5, 10), QTime(14, 5)));
    TCommentForm comments(m_context.context);
    m_context.publish(CommentForm, &comments);
    TUserSearchForm search(m_context.context);
    m_context.publish(UserSearchForm, &search);
    TUserRegistForm form(m_context.context);
    form.show();
    form.NewBtn->click();
    auto *pick = form.findChild<QPushButton *>(QStringLiteral("HinorikuUserBtn"));
    ASSERT_NE(pick, nullptr);
    EXPECT_TRUE(pick->isVisible());
    form.RegistName->setText(QStringLiteral("山田　はな"));

    m_context.dialogs.queueDialog([](QDialog *shown) {
        auto *picker = static_cast<THinorikuUserForm *>(shown);
        picker->KanaButtons[7]->click();
        clickRow(picker->DBGrid1, 0);
        picker->ReturnBtn->click();
        return picker->result();
    });
    pick->click();
    EXPECT_EQ(form.JupterUserNo->text(), QStringLiteral("101"));
    EXPECT_EQ(form.RegistName->text(), QStringLiteral("山田　はな")); // typed, kept
    EXPECT_EQ(form.RegistKanaName->text(), QStringLiteral("ﾔﾏﾀﾞ ﾊﾅｺ"));
    EXPECT_EQ(form.SexBox->currentIndex(), 1);
    EXPECT_EQ(form.BirthDay->value(), DateTime::encodeDate(1940, 5, 6));

    form.Modified = false;
    form.close();
    m_context.registory.ServFlg = 0;
    form.show();
    form.NewBtn->click();
    EXPECT_FALSE(pick->isVisible());
    Clock::reset();
}

TAMSOLEN_DATABASE_TEST_SUITE(PartnerFormsTest);
