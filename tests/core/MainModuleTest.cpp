#include "DatabaseFixture.h"
#include "FakeDialogService.h"

#include "core/TDBSeting.h"
#include "core/TLoginForm.h"
#include "core/TMainForm.h"
#include "core/TMainModule.h"
#include "core/TRegistory.h"
#include "platform/DbQuery.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

namespace {

const QString ConnectFailed = QStringLiteral("接続に失敗しました。\nシステムを停止します。");
const QString UnknownLogin = QStringLiteral("ユーザー名またはパスワードが不明です");

class MainModuleTest : public DatabaseFixture
{
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_savedConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        m_mainForm = std::make_unique<TMainForm>();
        m_mainForm->DBSeting->Connection = connectionString();
        m_mainForm->DBSeting->ID = user();
        ASSERT_TRUE(exec(QStringLiteral("INSERT INTO LoginUser (STAFF_CD, PASS_WORD, LoginNAME) VALUES "
                                        "('1001', 'pass', '山田 花子'), ('o''neil', 'it''s', 'オニール')")));
    }
    void TearDown() override
    {
        m_module.reset();
        m_mainForm.reset();
        qputenv("XDG_CONFIG_HOME", m_savedConfig);
        DatabaseFixture::TearDown();
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
    void queueCancel()
    {
        m_dialogs.queueDialog([](QDialog *dialog) {
            static_cast<TLoginForm *>(dialog)->CancelBtn->click();
            return dialog->result();
        });
    }
    TMainModule &createModule()
    {
        m_module = std::make_unique<TMainModule>(*m_mainForm, m_loginForm);
        return *m_module;
    }

    FakeDialogService m_dialogs;
    QTemporaryDir m_config;
    QByteArray m_savedConfig;
    std::unique_ptr<TMainForm> m_mainForm;
    TLoginForm m_loginForm;
    std::unique_ptr<TMainModule> m_module;
};

} // namespace

TEST_P(MainModuleTest, LogsInAndLoadsStaffAndFacility)
{
    ASSERT_TRUE(exec(QStringLiteral("INSERT INTO KaigoStuff (CD, StuffName, KIGO) VALUES "
                                    "(20, '佐藤', 'サ'), (3, '鈴木', 'ス'), (7, '佐藤', 'ト')")));
    ASSERT_TRUE(exec(QStringLiteral("INSERT INTO Facilities (FACILITIES_NAME) VALUES ('ひだまり苑'), ('二番目')")));
    queueLogin(QStringLiteral("1001"), QStringLiteral("pass"));
    TMainModule &module = createModule();
    EXPECT_TRUE(m_mainForm->StartupOK);
    EXPECT_TRUE(m_dialogs.messages().isEmpty());
    EXPECT_EQ(module.LoginStaffCode, QStringLiteral("1001"));
    EXPECT_EQ(module.LoginStaffName, QStringLiteral("山田 花子"));
    EXPECT_EQ(module.FacilityName, QStringLiteral("ひだまり苑"));
    EXPECT_EQ(module.StaffCount, 3);
    EXPECT_EQ(module.StaffCodes, QList<int>({3, 7, 20}));
    EXPECT_EQ(module.StaffNames, QStringList({QStringLiteral("鈴木"), QStringLiteral("佐藤"), QStringLiteral("佐藤")}));
    EXPECT_EQ(module.GetStaffKigo(20), QStringLiteral("サ"));
    EXPECT_EQ(module.GetStaffName(7), QStringLiteral("佐藤"));
    EXPECT_EQ(module.GetStaffName(8), QString());
    EXPECT_EQ(module.IndexOfStaffCode(20), 2);
    EXPECT_EQ(module.IndexOfStaffCode(-1), -1);
    // The lower code wins between two staff members of the same name.
    EXPECT_EQ(module.StaffCodeOfName(QStringLiteral("佐藤")), 7);
    EXPECT_EQ(module.StaffCodeOfName(QStringLiteral("佐")), -1);
}

TEST_P(MainModuleTest, EmptyTablesGiveEmptyListsAndName)
{
    queueLogin(QStringLiteral("1001"), QStringLiteral("pass"));
    TMainModule &module = createModule();
    EXPECT_TRUE(m_mainForm->StartupOK);
    EXPECT_EQ(module.StaffCount, 0);
    EXPECT_TRUE(module.StaffCodes.isEmpty());
    EXPECT_EQ(module.GetStaffName(1), QString());
    EXPECT_EQ(module.StaffCodeOfName(QString()), -1);
    EXPECT_EQ(module.FacilityName, QString());
}

TEST_P(MainModuleTest, ThreeWrongLoginsEndTheStart)
{
    queueLogin(QStringLiteral("1001"), QStringLiteral("PASS"));
    queueLogin(QStringLiteral("1001 "), QStringLiteral("pass"));
    queueLogin(QStringLiteral("' OR '1'='1"), QStringLiteral("' OR '1'='1"));
    queueLogin(QStringLiteral("1001"), QStringLiteral("pass")); // never asked
    createModule();
    EXPECT_FALSE(m_mainForm->StartupOK);
    EXPECT_EQ(m_dialogs.dialogCount(), 3);
    ASSERT_EQ(m_dialogs.messages().size(), 3);
    for (const auto &message : m_dialogs.messages()) {
        EXPECT_EQ(message.text, UnknownLogin);
        EXPECT_EQ(message.type, MessageType::Warning);
        EXPECT_EQ(message.buttons, MessageButtons::Yes);
    }
}

TEST_P(MainModuleTest, CancelEndsTheStartWithoutAMessage)
{
    queueLogin(QStringLiteral("x"), QStringLiteral("y"));
    queueCancel();
    createModule();
    EXPECT_FALSE(m_mainForm->StartupOK);
    EXPECT_EQ(m_dialogs.dialogCount(), 2);
    EXPECT_EQ(m_dialogs.messageTexts(), QStringList({UnknownLogin}));
}

TEST_P(MainModuleTest, QuotesInNamesAndPasswordsMatchLiterally)
{
    queueLogin(QStringLiteral("o'neil"), QStringLiteral("it's"));
    TMainModule &module = createModule();
    EXPECT_TRUE(m_mainForm->StartupOK);
    EXPECT_EQ(module.LoginStaffName, QStringLiteral("オニール"));
}

TEST_P(MainModuleTest, EmptyFieldsKeepTheDialogOpenWithoutUsingAnAttempt)
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
    createModule();
    EXPECT_TRUE(m_mainForm->StartupOK);
    EXPECT_TRUE(m_dialogs.messages().isEmpty());
}

TEST_P(MainModuleTest, AFailedConnectionEndsTheStart)
{
    const QString strings[] = {QString(), QStringLiteral("Provider=SQLNCLI11.1;Data Source=.\\SQLEXPRESS"),
                               QStringLiteral("Provider=SQLite;Data Source=/nonexistent/folder/x.sqlite")};
    for (const QString &connection : strings) {
        m_dialogs.clear();
        m_mainForm->StartupOK = true;
        m_mainForm->DBSeting->Connection = connection;
        createModule();
        EXPECT_FALSE(m_mainForm->StartupOK);
        EXPECT_EQ(m_dialogs.messageTexts(), QStringList({ConnectFailed})) << connection.toStdString();
        EXPECT_EQ(m_dialogs.dialogCount(), 0);
    }
}

TEST_P(MainModuleTest, AMissingStaffTableEndsTheStart)
{
    ASSERT_TRUE(exec(QStringLiteral("DROP TABLE KaigoStuff")));
    createModule();
    EXPECT_FALSE(m_mainForm->StartupOK);
    EXPECT_EQ(m_dialogs.messageTexts(),
              QStringList({QStringLiteral(
                  "System Error\n他で使用されているか又はシステム設定を確認してください。\nシステムを終了します。")}));
}

TEST_P(MainModuleTest, APartnerLinkThatFailsIsReportedAndTheStartGoesOn)
{
    m_mainForm->Registory->ServFlg = 1;
    m_mainForm->Registory->Hinoriku = QStringLiteral("Provider=SQLNCLI11.1;Data Source=partner");
    queueLogin(QStringLiteral("1001"), QStringLiteral("pass"));
    TMainModule &module = createModule();
    EXPECT_TRUE(m_mainForm->StartupOK);
    EXPECT_FALSE(module.HinorikuConnection.isOpen());
    EXPECT_EQ(m_dialogs.messageTexts(), QStringList({QStringLiteral("System Open Error\nヒノリク接続を終了します。")}));
}

TAMSOLEN_DATABASE_TEST_SUITE(MainModuleTest);
