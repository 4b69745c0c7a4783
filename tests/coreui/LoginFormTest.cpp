#include "DatabaseFixture.h"
#include "FakeDialogService.h"

#include "core/TDBSeting.h"
#include "core/TMainModule.h"
#include "core/TRegistory.h"
#include "coreui/TLoginForm.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString UnknownLogin = QStringLiteral("ユーザー名またはパスワードが不明です");

class LoginFormTest : public DatabaseFixture
{
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(exec(QStringLiteral("INSERT INTO LoginUser (STAFF_CD, PASS_WORD, LoginNAME) VALUES "
                                        "('1001', 'pass', '山田 花子')")));
        TDBSeting dbSeting;
        dbSeting.Connection = connectionString();
        dbSeting.ID = user();
        std::vector<UserMessage> told;
        ASSERT_TRUE(m_module.Connect(dbSeting, TRegistory(), told));
    }

    // Queues one login attempt with these texts.
    void queueLogin(const QString &userName, const QString &password)
    {
        m_dialogs.queueDialog([userName, password](QDialog *dialog) {
            auto *login = static_cast<TLoginForm *>(dialog);
            login->UserEdit->setText(userName);
            login->PassEdit->setText(password);
            login->LogInBtn->click();
            return login->result();
        });
    }

    FakeDialogService m_dialogs;
    TMainModule m_module;
    TLoginForm m_form;
};

} // namespace

TEST_P(LoginFormTest, ThreeWrongLoginsEndTheStart)
{
    for (int attempt = 0; attempt < 3; ++attempt)
        queueLogin(QStringLiteral("1001"), QStringLiteral("PASS"));
    queueLogin(QStringLiteral("1001"), QStringLiteral("pass")); // never asked
    EXPECT_FALSE(m_form.RunLogin(m_module));
    EXPECT_EQ(m_dialogs.dialogCount(), 3);
    ASSERT_EQ(m_dialogs.messages().size(), 3);
    for (const auto &message : m_dialogs.messages()) {
        EXPECT_EQ(message.text, UnknownLogin);
        EXPECT_EQ(message.type, MessageType::Warning);
        EXPECT_EQ(message.buttons, MessageButtons::Yes);
    }
}

TEST_P(LoginFormTest, ASecondAttemptLogsIn)
{
    queueLogin(QStringLiteral("1001"), QStringLiteral("x"));
    queueLogin(QStringLiteral("1001"), QStringLiteral("pass"));
    EXPECT_TRUE(m_form.RunLogin(m_module));
    EXPECT_EQ(m_dialogs.messageTexts(), QStringList({UnknownLogin}));
    EXPECT_EQ(m_module.LoginStaffName, QStringLiteral("山田 花子"));
}

TEST_P(LoginFormTest, CancelEndsTheStartWithoutAMessage)
{
    queueLogin(QStringLiteral("x"), QStringLiteral("y"));
    m_dialogs.queueDialog([](QDialog *dialog) {
        static_cast<TLoginForm *>(dialog)->CancelBtn->click();
        return dialog->result();
    });
    EXPECT_FALSE(m_form.RunLogin(m_module));
    EXPECT_EQ(m_dialogs.dialogCount(), 2);
    EXPECT_EQ(m_dialogs.messageTexts(), QStringList({UnknownLogin}));
}

TEST_P(LoginFormTest, EmptyFieldsKeepTheDialogOpenWithoutUsingAnAttempt)
{
    m_dialogs.queueDialog([](QDialog *dialog) {
        auto *login = static_cast<TLoginForm *>(dialog);
        login->UserEdit->setText(QStringLiteral("1001"));
        login->LogInBtn->click();
        EXPECT_EQ(login->ErrorLabel->text(), QStringLiteral("ユーザー名又はパスワードがありません。"));
        EXPECT_TRUE(login->isVisible());
        login->PassEdit->setText(QStringLiteral("pass"));
        login->LogInBtn->click();
        return login->result();
    });
    EXPECT_TRUE(m_form.RunLogin(m_module));
    EXPECT_TRUE(m_dialogs.messages().isEmpty());
}

TEST_P(LoginFormTest, EachAttemptStartsInTheUserName)
{
    queueLogin(QStringLiteral("1001"), QStringLiteral("x"));
    m_dialogs.queueDialog([](QDialog *dialog) {
        auto *login = static_cast<TLoginForm *>(dialog);
        EXPECT_EQ(login->focusWidget(), login->UserEdit);
        EXPECT_TRUE(login->UserEdit->text().isEmpty());
        // The release of the Enter that closed the warning box moves nothing.
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(login->UserEdit, &release);
        EXPECT_EQ(login->focusWidget(), login->UserEdit);
        // Enter typed in the user name moves on to the password.
        QTest::keyClick(login->UserEdit, Qt::Key_Return);
        EXPECT_EQ(login->focusWidget(), login->PassEdit);
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(m_form.RunLogin(m_module));
}

TEST_P(LoginFormTest, EnterInThePasswordLogsInOnce)
{
    m_dialogs.queueDialog([](QDialog *dialog) {
        auto *login = static_cast<TLoginForm *>(dialog);
        QTest::keyClicks(login->UserEdit, QStringLiteral("1001"));
        QTest::keyClick(login->UserEdit, Qt::Key_Return);
        QTest::keyClicks(login->focusWidget(), QStringLiteral("pass"));
        QTest::keyClick(login->PassEdit, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(login->result(), QDialog::Accepted);
        return login->result();
    });
    EXPECT_TRUE(m_form.RunLogin(m_module));
    EXPECT_EQ(m_module.LoginStaffName, QStringLiteral("山田 花子"));

    // An empty password keeps the dialog open; Enter on the focused cancel
    // button cancels, and nothing else.
    m_dialogs.queueDialog([](QDialog *dialog) {
        auto *login = static_cast<TLoginForm *>(dialog);
        QTest::keyClicks(login->UserEdit, QStringLiteral("1001"));
        QTest::keyClick(login->PassEdit, Qt::Key_Return);
        EXPECT_EQ(login->ErrorLabel->text(), QStringLiteral("ユーザー名又はパスワードがありません。"));
        EXPECT_TRUE(login->isVisible());
        login->CancelBtn->setFocus();
        QTest::keyClick(login->CancelBtn, Qt::Key_Return);
        EXPECT_FALSE(login->isVisible());
        return login->result();
    });
    EXPECT_FALSE(m_form.RunLogin(m_module));
    EXPECT_TRUE(m_dialogs.messages().isEmpty());
}

TAMSOLEN_DATABASE_TEST_SUITE(LoginFormTest);

// The module words the box; the login window shows it and opens no dialog.
TEST_P(LoginFormTest, AnUnreadableLoginTableIsShownByTheWindow)
{
    ASSERT_TRUE(exec(QStringLiteral("DROP TABLE LoginUser")));
    EXPECT_FALSE(m_form.RunLogin(m_module));
    ASSERT_EQ(m_dialogs.messages().size(), 1);
    EXPECT_EQ(m_dialogs.messages()[0].type, MessageType::Error);
    EXPECT_EQ(m_dialogs.messages()[0].buttons, MessageButtons::Yes);
    EXPECT_TRUE(m_dialogs.messages()[0].text.startsWith(QStringLiteral("System Error\n")));
    EXPECT_EQ(m_dialogs.dialogCount(), 0);
}
