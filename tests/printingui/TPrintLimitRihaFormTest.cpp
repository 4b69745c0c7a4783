#include "DatabaseFixture.h"
#include "RecordingPreview.h"
#include "TestContext.h"

#include "base/Clock.h"
#include "platform/DbQuery.h"
#include "printingui/TPrintLimitRihaForm.h"
#include "printingui/TPrintMenuForm.h"

#include <QPushButton>
#include <QTableView>
#include <QTest>

// Two users in care on 2009-05-31 whose only treatment plans are old; the
// second one's name reads in the カ row.
class TPrintLimitRihaFormTest : public DatabaseFixture
{
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        Clock::setFixed(QDateTime(QDate(2009, 5, 31), QTime(18, 0)));
        for (const auto &[cureNo, name, kana] :
             {std::tuple{1, u"青木　一郎", u"ｱｵｷ"}, std::tuple{12, u"川井　花子", u"ｶﾜｲ"}}) {
            DbQuery user(db(), QStringLiteral("INSERT INTO Person (CureNo, Name, Kana, RihaType, KubunCode, "
                                              "TAISHOBI_YMD)") +
                                   sqlFor(QString(), QStringLiteral(" OVERRIDING SYSTEM VALUE")) +
                                   QStringLiteral(" VALUES (:no, :name, :kana, 1, 4, :out)"));
            user.bind(u"no", cureNo)
                .bind(u"name", QString::fromUtf16(name))
                .bind(u"kana", QString::fromUtf16(kana))
                .bind(u"out", DbDate{DateTime::None});
            ASSERT_TRUE(exec(user));
            DbQuery plan(db(), QStringLiteral("INSERT INTO RihaPlan (CureNo, RihaType, KubunCode, PlanRegistDay) "
                                              "VALUES (:no, 1, 4, :day)"));
            plan.bind(u"no", cureNo).bind(u"day", DbDate{DateTime::encodeDate(2009, 2, 27)});
            ASSERT_TRUE(exec(plan));
        }
        m_test = std::make_unique<TestContext>(db(), QStringLiteral(TAMSOLEN_TEMPLATE_DIR));
        m_test->registory.WinState = QStringLiteral("wsNormal");
        m_test->mainModule.FacilityName = QStringLiteral("さくらの里");
        m_menu = std::make_unique<TPrintMenuForm>(m_test->context);
        m_test->publish(PrintMenuForm, m_menu.get());
        m_form = std::make_unique<TPrintLimitRihaForm>(m_test->context);
        m_menu->SetForm(m_menu->Button9, m_form.get());
        m_menu->show();
        QTest::mouseClick(m_menu->Button9, Qt::LeftButton);
    }
    void TearDown() override
    {
        m_form.reset();
        m_menu.reset();
        m_test.reset();
        Clock::reset();
        DatabaseFixture::TearDown();
    }

    [[nodiscard]] QString cell(int row, int column) const
    {
        return m_form->DBGrid1->model()->index(row, column).data().toString();
    }

    std::unique_ptr<TestContext> m_test;
    std::unique_ptr<TPrintMenuForm> m_menu;
    std::unique_ptr<TPrintLimitRihaForm> m_form;
};

TEST_P(TPrintLimitRihaFormTest, ListsFiltersAndPrintsOnceUntilShownAgain)
{
    ASSERT_TRUE(m_form->isVisible());
    EXPECT_FALSE(m_menu->isVisible());
    EXPECT_FALSE(m_form->PrintBtn->isEnabled());
    EXPECT_FALSE(m_form->KanaBtn[0]->isEnabled());

    QTest::mouseClick(m_form->PlanBtn, Qt::LeftButton);
    ASSERT_EQ(m_form->DBGrid1->model()->rowCount(), 2);
    EXPECT_EQ(cell(0, 0), QStringLiteral("00000012"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("青木　一郎"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("平成21年02月27日"));
    EXPECT_EQ(m_form->DBGrid1->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("登録(実施)日"));
    EXPECT_TRUE(m_form->PrintBtn->isEnabled());

    // A row without users has nothing to print; 全て brings the list back.
    QTest::mouseClick(m_form->KanaBtn[7], Qt::LeftButton);
    EXPECT_EQ(m_form->DBGrid1->model()->rowCount(), 0);
    EXPECT_FALSE(m_form->PrintBtn->isEnabled());
    QTest::mouseClick(m_form->AllDispBtn, Qt::LeftButton);
    EXPECT_EQ(m_form->DBGrid1->model()->rowCount(), 2);
    EXPECT_TRUE(m_form->PrintBtn->isEnabled());

    QTest::mouseClick(m_form->KanaBtn[1], Qt::LeftButton);
    ASSERT_EQ(m_form->DBGrid1->model()->rowCount(), 1);
    EXPECT_EQ(cell(0, 1), QStringLiteral("川井　花子"));

    RecordingPreview preview;
    QTest::mouseClick(m_form->PrintBtn, Qt::LeftButton);
    ASSERT_EQ(preview.captions, QStringList{QStringLiteral("計画期限切れ一覧 - Preview")});
    EXPECT_TRUE(preview.texts.contains(QStringLiteral("12"))) << "printed without leading zeros";
    EXPECT_TRUE(preview.texts.contains(QStringLiteral("作成日　平成21年05月31日")));
    EXPECT_FALSE(preview.texts.contains(QStringLiteral("青木　一郎"))) << "the rows as filtered";
    EXPECT_EQ(m_form->DBGrid1->model()->rowCount(), 0);
    EXPECT_FALSE(m_form->PrintBtn->isEnabled()) << "a new list first";

    QTest::mouseClick(m_form->PractBtn, Qt::LeftButton);
    EXPECT_EQ(m_form->DBGrid1->model()->rowCount(), 0);
    EXPECT_FALSE(m_form->PrintBtn->isEnabled());
    EXPECT_TRUE(m_test->dialogs.messageTexts().isEmpty());

    QTest::mouseClick(m_form->PlanBtn, Qt::LeftButton);
    QTest::mouseClick(m_form->ReturnButton, Qt::LeftButton);
    EXPECT_TRUE(m_menu->isVisible());
    EXPECT_EQ(m_form->DBGrid1->model()->rowCount(), 0) << "closing closes the list";
}

TEST_P(TPrintLimitRihaFormTest, FailedListSaysSo)
{
    ASSERT_TRUE(exec(QStringLiteral("DROP TABLE Practice")));
    QTest::mouseClick(m_form->PractBtn, Qt::LeftButton);
    EXPECT_EQ(m_test->dialogs.messageTexts(), QStringList{QStringLiteral("System Error\n表示に失敗しました。")});
    EXPECT_FALSE(m_form->AllDispBtn->isEnabled());
}

TAMSOLEN_DATABASE_TEST_SUITE(TPrintLimitRihaFormTest);
