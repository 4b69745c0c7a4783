#include "DatabaseFixture.h"
#include "FakeDialogService.h"

#include "core/TDBSeting.h"
#include "core/TMainModule.h"
#include "core/TRegistory.h"

namespace {

// Every box of the module is an error with the one Yes button.
const UserMessage ConnectFailed{MessageType::Error, QStringLiteral("接続に失敗しました。\nシステムを停止します。"),
                                MessageButtons::Yes};
const UserMessage TableError{
    MessageType::Error,
    QStringLiteral("System Error\n他で使用されているか又はシステム設定を確認してください。\nシステムを終了します。"),
    MessageButtons::Yes};

class MainModuleTest : public DatabaseFixture
{
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_dbSeting.Connection = connectionString();
        m_dbSeting.ID = user();
        ASSERT_TRUE(exec(QStringLiteral("INSERT INTO LoginUser (STAFF_CD, PASS_WORD, LoginNAME) VALUES "
                                        "('1001', 'pass', '山田 花子'), ('o''neil', 'it''s', 'オニール')")));
    }

    [[nodiscard]] bool connect() { return m_module.Connect(m_dbSeting, m_registory, m_told); }

    // The module hands its boxes back and shows none itself.
    void TearDown() override
    {
        EXPECT_TRUE(m_dialogs.messages().isEmpty());
        DatabaseFixture::TearDown();
    }

    FakeDialogService m_dialogs;
    std::vector<UserMessage> m_told;
    TDBSeting m_dbSeting;
    TRegistory m_registory;
    TMainModule m_module;
};

} // namespace

TEST_P(MainModuleTest, LoadsStaffAndFacility)
{
    ASSERT_TRUE(exec(QStringLiteral("INSERT INTO KaigoStuff (CD, StuffName, KIGO) VALUES "
                                    "(20, '佐藤', 'サ'), (3, '鈴木', 'ス'), (7, '佐藤', 'ト')")));
    ASSERT_TRUE(exec(QStringLiteral("INSERT INTO Facilities (FACILITIES_NAME) VALUES ('ひだまり苑'), ('二番目')")));
    TMainModule &module = m_module;
    ASSERT_TRUE(connect());
    EXPECT_TRUE(m_told.empty());
    EXPECT_EQ(module.FacilityName, QStringLiteral("ひだまり苑"));
    EXPECT_EQ(module.StaffCount(), 3);
    EXPECT_EQ(module.StaffCodes(), QList<int>({3, 7, 20}));
    EXPECT_EQ(module.StaffNames(),
              QStringList({QStringLiteral("鈴木"), QStringLiteral("佐藤"), QStringLiteral("佐藤")}));
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
    TMainModule &module = m_module;
    ASSERT_TRUE(connect());
    EXPECT_EQ(module.StaffCount(), 0);
    EXPECT_TRUE(module.StaffCodes().isEmpty());
    EXPECT_EQ(module.GetStaffName(1), QString());
    EXPECT_EQ(module.StaffCodeOfName(QString()), -1);
    EXPECT_EQ(module.FacilityName, QString());
}

TEST_P(MainModuleTest, LoginsMatchExactlyAndLiterally)
{
    ASSERT_TRUE(connect());
    ASSERT_TRUE(m_module.OpenLogins(m_told));
    const std::pair<QString, QString> refused[] = {{QStringLiteral("1001"), QStringLiteral("PASS")},
                                                   {QStringLiteral("1001 "), QStringLiteral("pass")},
                                                   {QStringLiteral("' OR '1'='1"), QStringLiteral("' OR '1'='1")},
                                                   {QString(), QString()}};
    for (const auto &[user, password] : refused)
        EXPECT_FALSE(m_module.LogIn(user, password)) << user.toStdString();
    EXPECT_TRUE(m_module.LoginStaffCode.isEmpty());
    ASSERT_TRUE(m_module.LogIn(QStringLiteral("o'neil"), QStringLiteral("it's")));
    EXPECT_EQ(m_module.LoginStaffCode, QStringLiteral("o'neil"));
    EXPECT_EQ(m_module.LoginStaffName, QStringLiteral("オニール"));
    EXPECT_TRUE(m_told.empty());
}

TEST_P(MainModuleTest, AnUnreadableLoginTableIsReported)
{
    ASSERT_TRUE(connect());
    ASSERT_TRUE(exec(QStringLiteral("DROP TABLE LoginUser")));
    EXPECT_FALSE(m_module.OpenLogins(m_told));
    EXPECT_EQ(m_told, std::vector<UserMessage>({TableError}));
}

namespace {

QStringList logged;

void logTo(QtMsgType, const QMessageLogContext &context, const QString &message)
{
    if (QLatin1String(context.category) == QLatin1String("tamsolen.core.database"))
        logged.append(message);
}

} // namespace

TEST_P(MainModuleTest, AFailedConnectionEndsTheStart)
{
    const QtMessageHandler previous = qInstallMessageHandler(logTo);
    const QString strings[] = {QString(), QStringLiteral("Provider=SQLNCLI11.1;Data Source=.\\SQLEXPRESS"),
                               QStringLiteral("Provider=SQLite;Data Source=/nonexistent/folder/x.sqlite")};
    for (const QString &connection : strings) {
        std::vector<UserMessage> told;
        m_dbSeting.Connection = connection;
        TMainModule module;
        logged.clear();
        EXPECT_FALSE(module.Connect(m_dbSeting, m_registory, told));
        // The driver's reason goes to the log.
        const QString reason = logged.value(0);
        EXPECT_EQ(logged.size(), 1);
        EXPECT_TRUE(reason.startsWith(QStringLiteral("cannot connect to the main database: ")));
        EXPECT_GT(reason.size(), 40) << reason.toStdString();
        EXPECT_EQ(told, std::vector<UserMessage>({ConnectFailed})) << connection.toStdString();
    }
    qInstallMessageHandler(previous);
}

TEST_P(MainModuleTest, AMissingStaffTableEndsTheStart)
{
    ASSERT_TRUE(exec(QStringLiteral("DROP TABLE KaigoStuff")));
    EXPECT_FALSE(connect());
    EXPECT_EQ(m_told, std::vector<UserMessage>({TableError}));
}

TEST_P(MainModuleTest, APartnerLinkThatFailsIsReportedAndTheStartGoesOn)
{
    m_registory.ServFlg = 1;
    m_registory.Hinoriku = QStringLiteral("Provider=SQLNCLI11.1;Data Source=partner");
    EXPECT_TRUE(connect());
    EXPECT_FALSE(m_module.HinorikuConnection.isOpen());
    EXPECT_EQ(m_told, std::vector<UserMessage>(
                          {{MessageType::Error, QStringLiteral("System Open Error\nヒノリク接続を終了します。"),
                            MessageButtons::Yes}}));
}

TAMSOLEN_DATABASE_TEST_SUITE(MainModuleTest);
