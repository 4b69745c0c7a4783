#include "FakeReportUi.h"
#include "MissingTemplate.h"
#include "PrintingFixture.h"

#include "coreui/TMainForm.h"
#include "printingui/MonthUpDown.h"
#include "printingui/SelectionGrid.h"
#include "printingui/TPrintAllUserForm.h"
#include "printingui/TPrintKeitaiForm.h"
#include "printingui/TPrintMenuForm.h"
#include "printingui/TPrintPersonResultForm.h"
#include "printingui/TPrintToukeiForm.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

const TDateTime April = DateTime::encodeDate(2024, 4, 1);

// The two printing forms opened from the print menu.
class PrintFormsTest : public PrintingFixture
{
protected:
    void SetUp() override
    {
        PrintingFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_app->registory.WinState = QStringLiteral("wsNormal");
        m_menu = std::make_unique<TPrintMenuForm>(m_app->context);
        m_app->publish(PrintMenuForm, m_menu.get());
    }
    void TearDown() override
    {
        m_menu.reset();
        PrintingFixture::TearDown();
    }
    QStringList messages() const { return m_app->dialogs.messageTexts(); }
    void clickRow(SelectionGrid *grid, int row)
    {
        const QRect cell = grid->visualRect(grid->model()->index(row, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

    std::unique_ptr<TPrintMenuForm> m_menu;
    FakeReportUi m_reportUi;
};

} // namespace

TEST_P(PrintFormsTest, ResultsRecordsAreExtractedPickedAndPrinted)
{
    TPrintPersonResultForm form(m_app->context);
    m_menu->SetForm(m_menu->Button6, &form);
    m_menu->show();
    m_menu->Button6->click();
    ASSERT_TRUE(form.isVisible());
    EXPECT_FALSE(m_menu->isVisible());
    EXPECT_EQ(form.YearMonthLabel->text(), QStringLiteral("令和 06年04月"));
    EXPECT_FALSE(form.PrintBtn->isEnabled());
    EXPECT_FALSE(form.AllSelectBtn->isEnabled());

    QTest::mouseClick(form.DisplayBtn, Qt::LeftButton);
    EXPECT_EQ(messages(), strings({"条件に該当する計画書がありません。"}));
    m_app->dialogs.clear();

    const int aoki = addUser(QStringLiteral("青木 一"), QStringLiteral("ｱｵｷ ﾊｼﾞﾒ"));
    const int sato = addUser(QStringLiteral("佐藤 三"), QStringLiteral("ｻﾄｳ ﾐﾂ"));
    addPlan(aoki, April - 10, April + 60);
    addPlan(sato, April + 5, April + 60);
    QTest::mouseClick(form.DisplayBtn, Qt::LeftButton);
    EXPECT_EQ(form.CountLabel->text(), QStringLiteral("抽出件数　2件"));
    ASSERT_EQ(form.DBGrid1->model()->rowCount(), 2);
    EXPECT_EQ(form.DBGrid1->model()->index(1, 2).data().toString(), QStringLiteral("佐藤 三"));

    QTest::mouseClick(form.PrintBtn, Qt::LeftButton);
    EXPECT_EQ(messages(), strings({"選択データがありません。"}));
    m_app->dialogs.clear();

    QTest::mouseClick(form.KanaBtn[2], Qt::LeftButton);
    EXPECT_EQ(form.DBGrid1->model()->rowCount(), 1);
    QTest::mouseClick(form.AllDispBtn, Qt::LeftButton);
    EXPECT_EQ(form.DBGrid1->model()->rowCount(), 2);

    // Rows are printed in the order they were clicked.
    clickRow(form.DBGrid1, 1);
    clickRow(form.DBGrid1, 0);
    EXPECT_EQ(form.DBGrid1->pickedRows(), std::vector<int>({1, 0}));
    QTest::mouseClick(form.EraseBtn, Qt::LeftButton);
    EXPECT_TRUE(form.DBGrid1->pickedRows().empty());
    QTest::mouseClick(form.AllSelectBtn, Qt::LeftButton);
    EXPECT_EQ(form.DBGrid1->pickedRows(), std::vector<int>({0, 1}));

    QTest::mouseClick(form.PrintBtn, Qt::LeftButton);
    EXPECT_TRUE(messages().isEmpty()) << messages().join(u'|').toStdString();
    EXPECT_EQ(m_reportUi.shown.filter(QStringLiteral("preview")).size(), 1);
    EXPECT_FALSE(form.PrintBtn->isEnabled()) << "the list is closed after printing";

    // A plan deleted after the list was read: that user is told of, and
    // the others print all the same.
    QTest::mouseClick(form.DisplayBtn, Qt::LeftButton);
    QTest::mouseClick(form.AllSelectBtn, Qt::LeftButton);
    ASSERT_TRUE(exec(QStringLiteral("DELETE FROM RihaPlan WHERE CureNo = %1").arg(sato)));
    QTest::mouseClick(form.PrintBtn, Qt::LeftButton);
    EXPECT_EQ(messages(), strings({"リハビリ計画書データが見つかりません。"}));
    EXPECT_EQ(m_reportUi.shown.filter(QStringLiteral("preview")).size(), 2);
    m_app->dialogs.clear();

    // A template that does not load shows why and no preview.
    addPlan(sato, April + 5, April + 60);
    QTest::mouseClick(form.DisplayBtn, Qt::LeftButton);
    clickRow(form.DBGrid1, 0);
    m_app->context.appDir = QStringLiteral("/nonexistent");
    QTest::mouseClick(form.PrintBtn, Qt::LeftButton);
    expectMissingTemplateTold(m_app->dialogs, QStringLiteral("/nonexistent/PrintPersonKirokusho.rpf"));
    EXPECT_EQ(m_reportUi.shown.filter(QStringLiteral("preview")).size(), 2);

    // Another month closes the list.
    QTest::mouseClick(form.Hizuke->UpButton, Qt::LeftButton);
    EXPECT_EQ(form.YearMonthLabel->text(), QStringLiteral("令和06年05月"));
    EXPECT_EQ(form.DBGrid1->model()->rowCount(), 0);
    EXPECT_FALSE(form.PrintBtn->isEnabled());

    QTest::mouseClick(form.ReturnButton, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(m_menu->isVisible());
}

TEST_P(PrintFormsTest, StatisticsAreCountedPrintedAndWrittenAsCsv)
{
    QTemporaryDir folder;
    m_app->registory.Toukei0 = folder.filePath(QStringLiteral("m0.csv"));
    m_app->registory.Toukei1 = folder.filePath(QStringLiteral("m1.csv"));
    m_app->registory.Toukei2 = QStringLiteral("no-folder.csv");
    CureResult result = ResultRows::make(1, April + 3);
    ResultRows::insert(db(), {result, ResultRows::make(2, April + 3), ResultRows::make(1, April - 3)});

    TPrintToukeiForm form(m_app->context);
    m_menu->SetForm(m_menu->Button4, &form);
    m_menu->show();
    m_menu->Button4->click();
    ASSERT_TRUE(form.isVisible());
    EXPECT_EQ(form.YearMonthLabel->text(), QStringLiteral("令和 06年04月"));
    EXPECT_EQ(form.BEdit[2]->text(), QStringLiteral("no-folder.csv"));
    EXPECT_FALSE(form.PrintButton->isVisible());
    EXPECT_FALSE(form.CancelButton->isEnabled());

    QTest::mouseClick(form.ResultLoadBtn, Qt::LeftButton);
    EXPECT_TRUE(form.PrintButton->isVisible());
    EXPECT_FALSE(form.ResultLoadBtn->isEnabled());
    EXPECT_EQ(form.YYMMTitle[2]->text(), QStringLiteral("令和06年04月"));
    EXPECT_EQ(form.YYMMTitle[0]->text(), QStringLiteral("令和06年02月"));
    EXPECT_EQ(form.BLbl[2]->text(), QStringLiteral("令和06年02月CSVファイルの保存場所"));
    // Nyusho Kobetsu (row 3): March 1 1 1, April 1 2 2.
    EXPECT_EQ(form.StringGrid1->item(3, 3)->text(), QStringLiteral("  1"));
    EXPECT_EQ(form.StringGrid1->item(3, 7)->text(), QStringLiteral("  2"));
    EXPECT_EQ(form.StringGrid1->item(0, 7)->text(), QStringLiteral("  0"));

    QTest::mouseClick(form.PrintButton, Qt::LeftButton);
    EXPECT_EQ(m_reportUi.shown.filter(QStringLiteral("preview")).size(), 1);

    // A month that fails says so, and the run does not end as a success.
    QTest::mouseClick(form.CSVButton, Qt::LeftButton);
    EXPECT_EQ(messages(), strings({"ディレクトリが見つかりません。", "３ヶ月前のデータの保存に失敗しました。"}));
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("m0.csv"))));
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("m1.csv"))));
    m_app->dialogs.clear();
    // Paths that name a folder and no file: every month fails.
    for (QLineEdit *edit : form.BEdit)
        edit->setText(folder.path() + u'/');
    QTest::mouseClick(form.CSVButton, Qt::LeftButton);
    EXPECT_EQ(messages(), strings({"ファイル名が見つかりません。", "３ヶ月前のデータの保存に失敗しました。",
                                   "ファイル名が見つかりません。", "２ヶ月前のデータの保存に失敗しました。",
                                   "ファイル名が見つかりません。", "１ヶ月前のデータの保存に失敗しました。"}));
    m_app->dialogs.clear();
    form.BEdit[0]->setText(folder.filePath(QStringLiteral("m0.csv")));
    form.BEdit[1]->setText(folder.filePath(QStringLiteral("m1.csv")));
    // A month without rows writes nothing and is no failure.
    form.BEdit[2]->setText(folder.filePath(QStringLiteral("m2.csv")));
    m_app->dialogs.queueAnswer(MessageAnswer::Ok);
    m_app->dialogs.queueAnswer(MessageAnswer::Ok);
    QTest::mouseClick(form.CSVButton, Qt::LeftButton);
    EXPECT_EQ(messages(),
              strings({"条件に該当するデータがありません。", "同じ名前のCSVファイルが既に有ります。\n上書きしますか？",
                       "同じ名前のCSVファイルが既に有ります。\n上書きしますか？", "ＣＳＶ出力を終了しました。"}));

    // A month change drops the counts as a cancel does.
    QTest::mouseClick(form.Hizuke->DownButton, Qt::LeftButton);
    EXPECT_EQ(form.YearMonthLabel->text(), QStringLiteral("令和06年03月"));
    EXPECT_FALSE(form.PrintButton->isVisible());
    EXPECT_FALSE(form.CSVButton->isVisible());
    EXPECT_TRUE(form.ResultLoadBtn->isEnabled());
    EXPECT_FALSE(form.YYMMTitle[2]->isVisible());
    EXPECT_EQ(form.StringGrid1->item(3, 7)->text(), QString());

    QTest::mouseClick(form.ResultLoadBtn, Qt::LeftButton);
    EXPECT_EQ(form.YYMMTitle[2]->text(), QStringLiteral("令和06年03月"));
    QTest::mouseClick(form.CancelButton, Qt::LeftButton);
    EXPECT_FALSE(form.PrintButton->isVisible());
    EXPECT_TRUE(form.ResultLoadBtn->isEnabled());

    // A template that is not there is told in the one box every printout
    // shows, and no preview.
    const QString appDir = m_app->context.appDir;
    m_app->context.appDir = QStringLiteral("/nonexistent");
    QTest::mouseClick(form.ResultLoadBtn, Qt::LeftButton);
    m_app->dialogs.clear();
    QTest::mouseClick(form.PrintButton, Qt::LeftButton);
    expectMissingTemplateTold(m_app->dialogs, QStringLiteral("/nonexistent/Toukei.rpf"));
    EXPECT_EQ(m_reportUi.shown.filter(QStringLiteral("preview")).size(), 1);
    m_app->context.appDir = appDir;

    // The path buttons keep the chosen file in the settings.
    m_app->dialogs.queueFileName(QStringLiteral("/tmp/x/chosen.csv"));
    QTest::mouseClick(form.ResultLoadBtn, Qt::LeftButton);
    QTest::mouseClick(form.BButton[1], Qt::LeftButton);
    EXPECT_EQ(form.BEdit[1]->text(), QStringLiteral("/tmp/x/chosen.csv"));
    EXPECT_EQ(m_app->registory.Toukei1, QStringLiteral("/tmp/x/chosen.csv"));

    QTest::mouseClick(form.ReturnButton, Qt::LeftButton);
    EXPECT_TRUE(m_menu->isVisible());
}

// The user list, the monthly list and the statistics ask for their CSV file
// in the same dialog: it starts at the current path and lists CSV files.
TEST_P(PrintFormsTest, EveryPathButtonOpensTheSameDialogAtItsPath)
{
    QTemporaryDir dir;
    const QString allUser = dir.filePath(QStringLiteral("users.csv"));
    const QString keitai = dir.filePath(QStringLiteral("keitai.csv"));
    const QString toukei = dir.filePath(QStringLiteral("toukei.csv"));
    TRegistory &settings = m_app->registory;
    // Chooses a file with the path button and checks where it went.
    const auto choose = [this](QPushButton *button, QLineEdit *edit, const QString &setting, const QString &chosen) {
        m_app->dialogs.queueFileName(chosen);
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(edit->text(), chosen);
        EXPECT_EQ(setting, chosen);
    };
    settings.AllUser = allUser;
    settings.Keitai = keitai;
    settings.Toukei1 = toukei;

    TPrintAllUserForm users(m_app->context);
    users.show();
    choose(users.CSVSearchButton, users.Fnrm1910_1Edit, settings.AllUser, dir.filePath(QStringLiteral("a.csv")));
    users.close();
    TPrintKeitaiForm monthly(m_app->context);
    monthly.show();
    choose(monthly.CSVSearchButton, monthly.CsvEdit, settings.Keitai, dir.filePath(QStringLiteral("b.csv")));
    monthly.close();
    TPrintToukeiForm statistics(m_app->context);
    statistics.show();
    QTest::mouseClick(statistics.ResultLoadBtn, Qt::LeftButton);
    choose(statistics.BButton[1], statistics.BEdit[1], settings.Toukei1, dir.filePath(QStringLiteral("c.csv")));

    const auto &asked = m_app->dialogs.fileDialogs();
    ASSERT_EQ(asked.size(), 3);
    const QString starts[] = {allUser, keitai, toukei};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(asked[i].caption, QStringLiteral("CSVファイルの保存場所"));
        EXPECT_EQ(asked[i].directory, starts[i]);
        EXPECT_EQ(asked[i].filter, asked[0].filter);
    }
    EXPECT_TRUE(asked[0].filter.contains(QStringLiteral("*.csv")));

    // A path without a folder starts nowhere in particular.
    settings.AllUser = QStringLiteral("未設定");
    users.show();
    m_app->dialogs.queueFileName(QString());
    QTest::mouseClick(users.CSVSearchButton, Qt::LeftButton);
    EXPECT_EQ(m_app->dialogs.fileDialogs().constLast().directory, QString());
    EXPECT_EQ(users.Fnrm1910_1Edit->text(), QStringLiteral("未設定"));
}

TAMSOLEN_DATABASE_TEST_SUITE(PrintFormsTest);
