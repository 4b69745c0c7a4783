#include "DatabaseFixture.h"
#include "RecordingPreview.h"
#include "TestContext.h"

#include "base/Clock.h"
#include "platform/DbQuery.h"
#include "printingui/TPrintAllUserForm.h"
#include "printingui/TPrintMenuForm.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

class TPrintAllUserFormTest : public DatabaseFixture
{
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_test = std::make_unique<TestContext>(db(), QStringLiteral(TAMSOLEN_TEMPLATE_DIR));
        m_test->registory.WinState = QStringLiteral("wsNormal");
        m_test->registory.AllUser = m_folder.path() + u'/';
        m_test->mainModule.FacilityName = QStringLiteral("ひだまり苑");
        m_menu = std::make_unique<TPrintMenuForm>(m_test->context);
        m_test->publish(PrintMenuForm, m_menu.get());
        m_form = std::make_unique<TPrintAllUserForm>(m_test->context);
        m_menu->SetForm(m_menu->PrintAllUserButton, m_form.get());
        m_menu->show();
        QTest::mouseClick(m_menu->PrintAllUserButton, Qt::LeftButton);
    }

    void addUser(int cureNo, const QString &name)
    {
        DbQuery insert(db(), QStringLiteral("INSERT INTO Person (CureNo, Name, Kana, RihaType, KubunCode, "
                                            "NYUSHOBI_YMD, TAISHOBI_YMD)") +
                                 sqlFor(QString(), QStringLiteral(" OVERRIDING SYSTEM VALUE")) +
                                 QStringLiteral(" VALUES (:no, :name, 'ｱ', 2, 0, :in, :out)"));
        insert.bind(u"no", cureNo)
            .bind(u"name", name)
            .bind(u"in", DbDate{Clock::today()})
            .bind(u"out", DbDate{DateTime::None});
        ASSERT_TRUE(exec(insert));
    }

    void click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(8, widget->height() / 2)); }
    [[nodiscard]] QStringList messages() const { return m_test->dialogs.messageTexts(); }

    QTemporaryDir m_folder;
    std::unique_ptr<TestContext> m_test;
    std::unique_ptr<TPrintMenuForm> m_menu;
    std::unique_ptr<TPrintAllUserForm> m_form;
};

TEST_P(TPrintAllUserFormTest, PrintsTheChosenUsersOrSaysThereAreNone)
{
    ASSERT_TRUE(m_form->isVisible());
    EXPECT_FALSE(m_menu->isVisible());
    EXPECT_EQ(m_form->Fnrm1910_1Edit->text(), m_test->registory.AllUser);
    RecordingPreview preview;
    click(m_form->PrintButton);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("条件に該当するデータがありません。")});
    EXPECT_EQ(m_test->dialogs.messages().constFirst().buttons, MessageButtons::Yes);
    EXPECT_TRUE(preview.captions.isEmpty());

    addUser(1, QStringLiteral("山田　花子"));
    m_test->dialogs.clear();
    click(m_form->TsushoBox);
    click(m_form->findChild<QRadioButton *>(QStringLiteral("RadioGroup2Item1")));
    const AllUserList::Conditions conditions = m_form->conditions();
    EXPECT_EQ(conditions.Types, (std::array<bool, 4>{false, false, true, false}));
    EXPECT_TRUE(conditions.InCareOnly);
    EXPECT_FALSE(conditions.RecentOnly);
    click(m_form->PrintButton);
    EXPECT_TRUE(messages().isEmpty()) << messages().join(u'|').toStdString();
    ASSERT_EQ(preview.captions, QStringList{QStringLiteral("利用者一覧表 - Preview")});
    EXPECT_TRUE(preview.texts.contains(QStringLiteral("山田　花子")));
    EXPECT_TRUE(preview.texts.contains(QStringLiteral("（印刷条件:条件１有り、退所者を除く、過去分の全て）")));

    // A template that does not load shows the engine's error, no preview.
    QTemporaryDir empty;
    m_test->context.appDir = empty.path();
    click(m_form->PrintButton);
    ASSERT_EQ(m_test->dialogs.messages().size(), 1);
    EXPECT_EQ(m_test->dialogs.messages()[0].caption, QStringLiteral("Error"));
    EXPECT_TRUE(messages()[0].startsWith(QStringLiteral("Cannot open file"))) << messages()[0].toStdString();
    EXPECT_EQ(preview.captions.size(), 1);

    click(m_form->ReturnButton);
    EXPECT_FALSE(m_form->isVisible());
    EXPECT_TRUE(m_menu->isVisible());
}

TEST_P(TPrintAllUserFormTest, WritesTheCsvFileWhereThePathSays)
{
    addUser(1, QStringLiteral("山田　花子"));
    click(m_form->CSVOutButton);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("ファイル名が見つかりません。")}) << "a folder alone";

    m_test->dialogs.clear();
    const QString typed = m_folder.filePath(QStringLiteral("sub/list.txt"));
    m_form->Fnrm1910_1Edit->clear();
    QTest::keyClicks(m_form->Fnrm1910_1Edit, typed);
    click(m_form->CSVOutButton);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("終了しました。")});
    const QFileInfo written(m_folder.filePath(QStringLiteral("sub/list.csv")));
    EXPECT_TRUE(written.exists());
    EXPECT_GT(written.size(), 0);
    EXPECT_EQ(m_test->registory.AllUser, m_folder.path() + u'/') << "only 設定 changes the setting";

    // 設定 starts from the setting and keeps the file chosen.
    m_test->dialogs.queueFileName(typed);
    click(m_form->CSVSearchButton);
    EXPECT_EQ(m_test->registory.AllUser, typed);
    EXPECT_EQ(m_form->Fnrm1910_1Edit->text(), typed);
}

// A list that cannot be read says so in an error box with one Yes button,
// for the printout and the CSV file alike.
TEST_P(TPrintAllUserFormTest, AListThatCannotBeReadSaysSo)
{
    ASSERT_TRUE(exec(QStringLiteral("DROP TABLE Person")));
    RecordingPreview preview;
    m_form->Fnrm1910_1Edit->setText(m_folder.filePath(QStringLiteral("users.csv")));
    click(m_form->PrintButton);
    click(m_form->CSVOutButton);
    const QList<FakeDialogService::Message> &shown = m_test->dialogs.messages();
    ASSERT_EQ(shown.size(), 2);
    for (const FakeDialogService::Message &message : shown) {
        EXPECT_EQ(message.type, MessageType::Error);
        EXPECT_EQ(message.text, QStringLiteral("データの抽出に失敗しました。"));
        EXPECT_EQ(message.buttons, MessageButtons::Yes);
    }
    EXPECT_TRUE(preview.captions.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(m_folder.filePath(QStringLiteral("users.csv"))));
}

TAMSOLEN_DATABASE_TEST_SUITE(TPrintAllUserFormTest);
