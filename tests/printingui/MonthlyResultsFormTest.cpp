#include "ResultsFixture.h"

#include "printingui/TPrintKeitaiForm.h"
#include "printingui/TPrintScheduleTypeForm.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

class MonthlyResultsFormTest : public ResultsFixture
{
protected:
    void SetUp() override
    {
        ResultsFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_app->registory.WinState = QStringLiteral("wsNormal");
        m_app->context.appDir = QStringLiteral(TAMSOLEN_TEMPLATE_DIR);
        ResultRows::insert(db(), {ResultRows::make(1, DateTime::encodeDate(2024, 4, 3))});
    }
    static void click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    // Replaces the text of the path input by typing.
    static void type(QLineEdit *edit, const QString &text)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    [[nodiscard]] QString lastMessage() const
    {
        const auto &messages = m_app->dialogs.messages();
        return messages.isEmpty() ? QString() : messages.constLast().text;
    }
};

} // namespace

TEST_P(MonthlyResultsFormTest, MonthArrowsAndTheStaffChoice)
{
    TPrintKeitaiForm form(m_app->context);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("形態別実績一覧表（印刷）"));
    EXPECT_EQ(form.YearMonthLabel->text(), QStringLiteral("令和06年04月"));
    EXPECT_EQ(form.CsvEdit->text(), m_app->registory.Keitai);
    EXPECT_TRUE(form.RadioButton2->isChecked());
    EXPECT_FALSE(form.Joken3Box->isEnabled());
    EXPECT_EQ(form.Joken3Box->count(), 2);
    EXPECT_EQ(form.Joken3Box->currentIndex(), -1);

    click(form.HizukeRight);
    EXPECT_EQ(form.YearMonthLabel->text(), QStringLiteral("令和06年05月"));
    click(form.HizukeLeft);
    click(form.HizukeLeft);
    EXPECT_EQ(form.From(), DateTime::encodeDate(2024, 3, 1));

    // One staff member chosen but none selected: neither print nor CSV runs.
    click(form.RadioButton1);
    EXPECT_TRUE(form.Joken3Box->isEnabled());
    QTemporaryDir dir;
    type(form.CsvEdit, dir.filePath(QStringLiteral("keitai.csv")));
    for (QPushButton *button : {form.PrintButton, form.CSVOutButton}) {
        m_app->dialogs.clear();
        click(button);
        ASSERT_EQ(m_app->dialogs.messages().size(), 1);
        EXPECT_EQ(lastMessage(), QStringLiteral("担当者を指定してください。"));
        EXPECT_EQ(m_app->dialogs.messages().constLast().buttons, MessageButtons::Yes);
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("keitai.csv"))));
    click(form.RadioButton2);
    EXPECT_FALSE(form.Joken3Box->isEnabled());

    // March has no results.
    click(form.CSVOutButton);
    EXPECT_EQ(lastMessage(), QStringLiteral("条件に該当するデータがありません。"));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("keitai.csv"))));

    click(form.ReturnButton);
    EXPECT_FALSE(form.isVisible());
}

TEST_P(MonthlyResultsFormTest, CsvFileWrittenOnceAndReplacedOnlyWhenAllowed)
{
    TPrintKeitaiForm form(m_app->context);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("new/keitai.csv"));
    type(form.CsvEdit, dir.filePath(QStringLiteral("new/keitai.txt")));
    click(form.CSVOutButton);
    EXPECT_EQ(lastMessage(), QStringLiteral("終了しました。"));
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("\x8c\x60\x91\xd4")) << "unquoted";
    file.close();
    ASSERT_TRUE(file.resize(0));

    m_app->dialogs.clear();
    m_app->dialogs.queueAnswer(MessageAnswer::No);
    click(form.CSVOutButton);
    ASSERT_EQ(m_app->dialogs.messages().size(), 1);
    EXPECT_EQ(lastMessage(), QStringLiteral("同じ名前のCSVファイルが既に有ります。\n上書きしますか？"));
    EXPECT_EQ(QFileInfo(fileName).size(), 0);

    // A file that cannot be written is an error, never a success.
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("folder.csv"))));
    type(form.CsvEdit, dir.filePath(QStringLiteral("folder.csv")));
    m_app->dialogs.clear();
    click(form.CSVOutButton);
    EXPECT_EQ(lastMessage(), QStringLiteral("CSVファイル名をオープンできません。"));
    EXPECT_FALSE(m_app->dialogs.messageTexts().contains(QStringLiteral("終了しました。")));
}

TEST_P(MonthlyResultsFormTest, PrintShowsTheEnginesErrorWhenTheTemplateIsMissing)
{
    QTemporaryDir empty;
    m_app->context.appDir = empty.path();
    TPrintKeitaiForm form(m_app->context);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    click(form.PrintButton);
    ASSERT_EQ(m_app->dialogs.messages().size(), 1);
    const auto &message = m_app->dialogs.messages().constLast();
    EXPECT_EQ(message.caption, QStringLiteral("Error"));
    EXPECT_EQ(message.type, MessageType::Error);
    EXPECT_TRUE(message.text.contains(empty.filePath(QStringLiteral("PrintKeitai.rpf")))) << message.text.toStdString();

    m_app->dialogs.clear();
    m_app->context.appDir = QStringLiteral(TAMSOLEN_TEMPLATE_DIR);
    click(form.PrintButton);
    EXPECT_TRUE(m_app->dialogs.messages().isEmpty()) << lastMessage().toStdString();
}

TEST_P(MonthlyResultsFormTest, ByTypeListTakesItsFormOfServiceAndKeepsItsPath)
{
    TPrintScheduleTypeForm form(m_app->context);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(form.ComboBox1->count(), 4);
    EXPECT_EQ(form.ComboBox1->currentText(), QStringLiteral("入所"));
    EXPECT_EQ(form.CsvEdit->text(), m_app->registory.PrnSch);

    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("type.csv"));
    m_app->dialogs.queueFileName(fileName);
    click(form.CSVSearchButton);
    EXPECT_EQ(form.CsvEdit->text(), fileName);
    EXPECT_EQ(m_app->registory.PrnSch, fileName);

    // The only result is of 入所: 短期入所 has nothing to list.
    QTest::keyClick(form.ComboBox1, Qt::Key_Down);
    EXPECT_EQ(form.ComboBox1->currentText(), QStringLiteral("短期入所"));
    click(form.CSVOutButton);
    EXPECT_EQ(lastMessage(), QStringLiteral("条件に該当するデータがありません。"));
    QTest::keyClick(form.ComboBox1, Qt::Key_Up);
    click(form.CSVOutButton);
    EXPECT_EQ(lastMessage(), QStringLiteral("終了しました。"));
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("\"\x93\xfc\x8f\x8a")); // "入所
}

TAMSOLEN_DATABASE_TEST_SUITE(MonthlyResultsFormTest);
