#include "BookingRows.h"
#include "KeyboardUser.h"
#include "MissingTemplate.h"
#include "PersonRows.h"
#include "ResultsFixture.h"

#include "core/EraDate.h"
#include "coreui/EraLineEdit.h"
#include "platform/DbQuery.h"
#include "platform/UserMessage.h"
#include "resultsui/ResultPrintouts.h"
#include "resultsui/TCopyModeForm.h"
#include "resultsui/TDailyMedicalRecordForm.h"
#include "resultsui/TImportScheduleDialog.h"
#include "resultsui/TOpenGYMDialog.h"
#include "resultsui/TPersonMedicalRecordForm.h"
#include "resultsui/TResultSheetForm.h"
#include "resultsui/TResultsEditForm.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

const TDateTime April = DateTime::encodeDate(2024, 4, 1);

class ResultWindowsTest : public ResultsFixture
{
protected:
    void SetUp() override
    {
        ResultsFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_cureNo = PersonRows::insert(db(), PersonRows::make(QStringLiteral("山田 太郎"), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ")));
        m_edit = std::make_unique<TResultsEditForm>(m_app->context);
        m_app->publish(ResultsEditForm, m_edit.get());
    }
    void TearDown() override
    {
        m_edit.reset();
        ResultsFixture::TearDown();
    }
    // Opens the month dialog, types the month and presses 開く.
    void queueMonth(TDateTime month)
    {
        m_app->dialogs.queueDialog([month](QDialog *dialog) {
            auto *open = static_cast<TOpenGYMDialog *>(dialog);
            open->DateEdit->setValue(month);
            open->OpenButton->click();
            return open->result();
        });
    }

    // Clicks the cell, double-clicks it when the click has not opened its
    // editor (a click on the current cell opens it only after the
    // double-click time), types the text over what it holds and presses
    // Enter, as a user does.
    static void typeIntoCell(QTableView *grid, int row, int column, const QString &text)
    {
        const QModelIndex index = grid->model()->index(row, column);
        grid->scrollTo(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
        if (!grid->viewport()->findChild<QLineEdit *>())
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
        auto *editor = grid->viewport()->findChild<QLineEdit *>();
        ASSERT_NE(editor, nullptr) << "no editor in row " << row << " column " << column;
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The view commits the value and deletes the editor from its event queue.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    int m_cureNo = 0;
    std::unique_ptr<TResultsEditForm> m_edit;
};

} // namespace

// Each window, and the month dialog run modally, take what is typed as
// soon as they show into the input a person fills first.
TEST_P(ResultWindowsTest, WindowsTakeTypingIntoTheirFirstInput)
{
    const auto typeOnShowing = [](QWidget *window, const QString &keys) {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        KeyboardUser::type(window, keys);
    };
    // Twice each: the second showing finds the focus where the first left it.
    TResultSheetForm sheet(m_app->context);
    sheet.show();
    for (int round = 1; round <= 2; ++round) {
        m_app->dialogs.queueDialog(FakeDialogService::execAndPress(QStringLiteral("OpenButton"), [](QDialog *dialog) {
            KeyboardUser::type(dialog, QStringLiteral("R0604"));
            dialog->findChild<QPushButton *>(QStringLiteral("OpenButton"))->setFocus();
        }));
        sheet.OpenButton->click();
    }
    EXPECT_EQ(m_app->dialogs.dialogCount(), 2);
    EXPECT_TRUE(m_app->dialogs.messages().isEmpty());
    sheet.hide();

    m_edit->CureNo = m_cureNo;
    m_edit->FromDate = April;
    m_edit->ToDate = April + 30;
    for (int round = 1; round <= 2; ++round) {
        typeOnShowing(m_edit.get(), QStringLiteral("R060405"));
        EXPECT_EQ(m_edit->WorkingDay->value(), std::optional<TDateTime>(April + 4)) << round;
        m_edit->ReturnButton->setFocus();
        m_edit->hide();
    }

    TPersonMedicalRecordForm monthly(m_app->context);
    typeOnShowing(&monthly, QStringLiteral("12"));
    EXPECT_EQ(monthly.CureEdit->text(), QStringLiteral("12"));
    monthly.hide();

    TDailyMedicalRecordForm daily(m_app->context);
    typeOnShowing(&daily, QStringLiteral("R060405"));
    EXPECT_EQ(daily.ResultInputDay->value(), std::optional<TDateTime>(April + 4));
}

TEST_P(ResultWindowsTest, SheetShowsTheTypedMonthAndOpensTheEntry)
{
    ResultRows::insert(db(), {ResultRows::make(m_cureNo, April + 2), ResultRows::make(m_cureNo, April + 40)});
    TResultSheetForm sheet(m_app->context);
    sheet.show();
    EXPECT_EQ(sheet.StrGrid->rowCount(), TResultSheetForm::EmptyRows);
    EXPECT_FALSE(sheet.UserAddButton->isEnabled());
    queueMonth(April);
    sheet.OpenButton->click();
    ASSERT_EQ(sheet.StrGrid->rowCount(), 1);
    EXPECT_EQ(sheet.StrGrid->item(0, 0)->text(), QStringLiteral("%1").arg(m_cureNo, 8, 10, QLatin1Char('0')));
    EXPECT_EQ(sheet.StrGrid->item(0, 4)->text(), QStringLiteral("○"));
    EXPECT_EQ(sheet.StrGrid->item(0, 33)->text(), QStringLiteral("   1"));
    EXPECT_EQ(sheet.L[30]->text(), QString());
    EXPECT_EQ(sheet.w[6]->text(), QStringLiteral("日"));
    EXPECT_TRUE(sheet.UserAddButton->isEnabled());

    // A double click opens the entry of the user and month; 利用日追加 adds a row.
    m_app->dialogs.queueDialog([](QDialog *dialog) {
        auto *edit = static_cast<TResultsEditForm *>(dialog);
        edit->WorkingDay->setValue(DateTime::encodeDate(2024, 4, 9));
        edit->WorkingAddButton->click();
        EXPECT_TRUE(edit->WorkingAddButton->isEnabled());
        EXPECT_EQ(edit->DBGrid1->model()->rowCount(), 2);
        return 1;
    });
    sheet.StrGrid->cellDoubleClicked(0, 1);
    EXPECT_EQ(m_edit->CureNo, m_cureNo);
    EXPECT_EQ(m_edit->FromDate, April);
    EXPECT_EQ(sheet.StrGrid->item(0, 10)->text(), QStringLiteral("○"));
    EXPECT_EQ(sheet.StrGrid->item(0, 33)->text(), QStringLiteral("   2"));
}

// The sheet names its month and shows an import into it at once.
TEST_P(ResultWindowsTest, SheetShowsItsMonthAndReloadsAfterAnImport)
{
    ResultRows::insert(db(), {ResultRows::make(m_cureNo, April + 2)});
    TResultSheetForm sheet(m_app->context);
    sheet.show();
    EXPECT_EQ(sheet.YearMonthLabel->text(), QString());
    queueMonth(April);
    QTest::mouseClick(sheet.OpenButton, Qt::LeftButton);
    EXPECT_EQ(sheet.YearMonthLabel->text(), FormatEraYearMonth(April) + QStringLiteral(" (2024/04)"));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("april.csv"));
    m_app->dialogs.queueFileName(file);
    sheet.ExportMenu->trigger();
    ASSERT_TRUE(QFileInfo::exists(file));
    ASSERT_TRUE(exec(QStringLiteral("DELETE FROM CureResults")));
    queueMonth(April);
    QTest::mouseClick(sheet.OpenButton, Qt::LeftButton);
    EXPECT_EQ(sheet.StrGrid->item(0, 0), nullptr);

    m_app->dialogs.queueFileName(file);
    sheet.ImportExtDataMenu->trigger();
    EXPECT_EQ(m_app->dialogs.messageTexts().last(), QStringLiteral("インポートしました。"));
    ASSERT_EQ(sheet.StrGrid->rowCount(), 1);
    EXPECT_EQ(sheet.StrGrid->item(0, 4)->text(), QStringLiteral("○"));
}

// The sheet takes back its own export of a month with a session not given;
// an export that fails and a file without a result say so, and not more.
TEST_P(ResultWindowsTest, SheetImportsItsOwnExportOfSessionsNotGiven)
{
    CureResult absent = ResultRows::make(m_cureNo, April + 2);
    absent.RMinute = 0;
    ResultRows::insert(db(), {absent});
    TResultSheetForm sheet(m_app->context);
    sheet.show();
    queueMonth(April);
    QTest::mouseClick(sheet.OpenButton, Qt::LeftButton);
    QTemporaryDir dir;
    // A file that cannot be written is told as such alone.
    m_app->dialogs.clear();
    m_app->dialogs.queueFileName(dir.filePath(QStringLiteral("gone/april.csv")));
    sheet.ExportMenu->trigger();
    EXPECT_EQ(m_app->dialogs.messageTexts(), QStringList{QStringLiteral("CSVファイル名をオープンできません。")});
    const QString file = dir.filePath(QStringLiteral("april.csv"));
    m_app->dialogs.queueFileName(file);
    sheet.ExportMenu->trigger();
    EXPECT_EQ(m_app->dialogs.messageTexts().last(), QStringLiteral("エクスポートを完了しました。"));
    ASSERT_TRUE(exec(QStringLiteral("DELETE FROM CureResults")));
    m_app->dialogs.queueFileName(file);
    sheet.ImportExtDataMenu->trigger();
    EXPECT_EQ(m_app->dialogs.messageTexts().last(), QStringLiteral("インポートしました。"));
    ASSERT_EQ(ResultRows::all(db()).size(), 1u);
    EXPECT_EQ(ResultRows::all(db())[0].RMinute, 0);

    // Only its header line: nothing to import, and nothing is.
    QFile header(dir.filePath(QStringLiteral("header.csv")));
    ASSERT_TRUE(header.open(QIODevice::WriteOnly));
    QFile exported(file);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    header.write(exported.readLine());
    header.close();
    m_app->dialogs.queueFileName(header.fileName());
    sheet.ImportExtDataMenu->trigger();
    EXPECT_EQ(m_app->dialogs.messages().last().text, QStringLiteral("インポートファイルに実績がありません。"));
    EXPECT_EQ(m_app->dialogs.messages().last().type, MessageType::Warning);
    EXPECT_EQ(ResultRows::all(db()).size(), 1u);
}

TEST_P(ResultWindowsTest, EntryRefusesNegativeMinutesAndSavesTheOwnFormOnly)
{
    ResultRows::insert(db(), {ResultRows::make(m_cureNo, April)});
    m_edit->CureNo = m_cureNo;
    m_edit->FromDate = April;
    m_edit->ToDate = April + 30;
    m_edit->show();
    QAbstractItemModel *model = m_edit->DBGrid1->model();
    ASSERT_EQ(model->rowCount(), 1);
    EXPECT_EQ(model->data(model->index(0, 0)).toString().right(3), QStringLiteral("(月)"));
    EXPECT_TRUE(model->setData(model->index(0, 2), QStringLiteral("-3"), Qt::EditRole));
    EXPECT_EQ(m_app->dialogs.messageTexts().last(), QStringLiteral("負の値です。"));
    EXPECT_EQ(ResultRows::all(db())[0].RMinute, 20);
    // Refused values are told, and the cell shows the stored one again.
    EXPECT_TRUE(model->setData(model->index(0, 2), QStringLiteral("9999"), Qt::EditRole));
    EXPECT_EQ(m_app->dialogs.messageTexts().last(), QStringLiteral("分は600分以下です。"));
    EXPECT_EQ(model->data(model->index(0, 2)).toInt(), 20);
    const QString start = model->data(model->index(0, 1)).toString();
    EXPECT_TRUE(model->setData(model->index(0, 1), QStringLiteral("25:99"), Qt::EditRole));
    EXPECT_EQ(m_app->dialogs.messageTexts().last(), QStringLiteral("開始時刻エラーです。（00:00～23:59）"));
    EXPECT_EQ(model->data(model->index(0, 1)).toString(), start);
    EXPECT_EQ(ResultRows::all(db())[0].RMinute, 20);
    // 入所 個別 moved to 通所 with 短期集中 ticked there.
    ASSERT_TRUE(model->setData(model->index(0, 3), 2, Qt::EditRole));
    ASSERT_TRUE(model->setData(model->index(0, 4 + 8), Qt::Checked, Qt::CheckStateRole));
    m_edit->Button3->click();
    EXPECT_EQ(m_app->dialogs.messageTexts().last(), QStringLiteral("保存しました。"));
    const CureResult stored = ResultRows::all(db())[0];
    EXPECT_EQ(stored.KubunCode, 1);
    EXPECT_EQ(stored.Flags, ResultTypeFlags::derive(2, 1));
    m_edit->hide();
}

// Results take 0 minutes (a session booked but not given) up to 600 in
// every window that edits them.
TEST_P(ResultWindowsTest, EntryTakesZeroMinutesAndRefusesMoreThan600)
{
    ResultRows::insert(db(), {ResultRows::make(m_cureNo, April)});
    m_edit->CureNo = m_cureNo;
    m_edit->FromDate = April;
    m_edit->ToDate = April + 30;
    m_edit->show();
    typeIntoCell(m_edit->DBGrid1, 0, 2, QStringLiteral("0"));
    EXPECT_TRUE(m_app->dialogs.messageTexts().isEmpty()) << m_app->dialogs.messageTexts().join(u'|').toStdString();
    EXPECT_EQ(ResultRows::all(db())[0].RMinute, 0);
    typeIntoCell(m_edit->DBGrid1, 0, 2, QStringLiteral("601"));
    EXPECT_EQ(m_app->dialogs.messageTexts(), QStringList{QStringLiteral("分は600分以下です。")});
    EXPECT_EQ(m_edit->DBGrid1->model()->index(0, 2).data().toInt(), 0);
    EXPECT_EQ(ResultRows::all(db())[0].RMinute, 0);
    m_edit->hide();
}

TEST_P(ResultWindowsTest, RecordsTakeZeroMinutesAndRefuseMoreThan600)
{
    ResultRows::insert(db(), {ResultRows::make(m_cureNo, April)});
    TPersonMedicalRecordForm monthly(m_app->context);
    monthly.show();
    monthly.CureEdit->setText(QString::number(m_cureNo));
    QTest::mouseClick(monthly.OpenButton, Qt::LeftButton);
    ASSERT_EQ(monthly.ResultGrid->model()->rowCount(), 1);
    m_app->dialogs.clear();
    typeIntoCell(monthly.ResultGrid, 0, 5, QStringLiteral("601"));
    EXPECT_EQ(m_app->dialogs.messageTexts(), QStringList{QStringLiteral("分は600分以下です。")});
    EXPECT_EQ(monthly.ResultGrid->model()->index(0, 5).data().toInt(), 20);
    typeIntoCell(monthly.ResultGrid, 0, 5, QStringLiteral("0"));
    QTest::mouseClick(monthly.SaveButton, Qt::LeftButton);
    EXPECT_EQ(m_app->dialogs.messageTexts().size(), 1);
    EXPECT_EQ(ResultRows::all(db())[0].RMinute, 0);
    monthly.close();

    TDailyMedicalRecordForm daily(m_app->context);
    daily.show();
    daily.ResultInputDay->setValue(April);
    daily.TantouBox->setCurrentIndex(0);
    daily.RihaTypeBox->setCurrentIndex(0);
    QTest::mouseClick(daily.ResultLoadBtn, Qt::LeftButton);
    ASSERT_EQ(daily.ResultGrid->model()->rowCount(), 1);
    m_app->dialogs.clear();
    typeIntoCell(daily.ResultGrid, 0, 6, QStringLiteral("1000"));
    EXPECT_EQ(m_app->dialogs.messageTexts(), QStringList{QStringLiteral("分は600分以下です。")});
    typeIntoCell(daily.ResultGrid, 0, 6, QStringLiteral("600"));
    QTest::mouseClick(daily.SaveButton, Qt::LeftButton);
    EXPECT_EQ(m_app->dialogs.messageTexts().size(), 1);
    EXPECT_EQ(ResultRows::all(db())[0].RMinute, 600);
    typeIntoCell(daily.ResultGrid, 0, 6, QStringLiteral("0"));
    QTest::mouseClick(daily.SaveButton, Qt::LeftButton);
    EXPECT_EQ(ResultRows::all(db())[0].RMinute, 0);
    daily.close();
}

// Deleting asks first (No is the default); 保存 keeps every row's 削除 button.
TEST_P(ResultWindowsTest, EntryAsksBeforeDeletingAndKeepsItsDeleteButtons)
{
    ResultRows::insert(db(), {ResultRows::make(m_cureNo, April), ResultRows::make(m_cureNo, April + 3)});
    m_edit->CureNo = m_cureNo;
    m_edit->FromDate = April;
    m_edit->ToDate = April + 30;
    m_edit->show();
    const auto deleteButtons = [this] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return m_edit->DBGrid1->findChildren<QPushButton *>(QStringLiteral("DeleteButton"));
    };
    QTest::mouseClick(m_edit->Button3, Qt::LeftButton);
    EXPECT_EQ(m_app->dialogs.messageTexts().last(), QStringLiteral("保存しました。"));
    ASSERT_EQ(deleteButtons().size(), 2);

    m_app->dialogs.queueAnswer(MessageAnswer::No);
    QTest::mouseClick(deleteButtons().first(), Qt::LeftButton);
    EXPECT_EQ(m_app->dialogs.messages().last().buttons, MessageButtons::YesNoDefaultNo);
    EXPECT_EQ(ResultRows::all(db()).size(), 2u);
    m_app->dialogs.queueAnswer(MessageAnswer::Yes);
    QTest::mouseClick(deleteButtons().first(), Qt::LeftButton);
    EXPECT_EQ(ResultRows::all(db()).size(), 1u);

    m_app->dialogs.queueAnswer(MessageAnswer::No);
    QTest::mouseClick(m_edit->Button2, Qt::LeftButton);
    EXPECT_EQ(m_app->dialogs.messages().last().text, QStringLiteral("この月の全ての実績を削除しますか？"));
    EXPECT_EQ(m_app->dialogs.messages().last().buttons, MessageButtons::YesNoDefaultNo);
    EXPECT_EQ(m_edit->DBGrid1->model()->rowCount(), 1);
    EXPECT_EQ(ResultRows::all(db()).size(), 1u);
    m_app->dialogs.queueAnswer(MessageAnswer::Yes);
    QTest::mouseClick(m_edit->Button2, Qt::LeftButton);
    EXPECT_TRUE(ResultRows::all(db()).empty());
    m_edit->hide();
}

// A result deleted at another workstation after the window read it: the
// edit typed into it and a delete of it are told as changed elsewhere, and
// the window shows what is stored.
TEST_P(ResultWindowsTest, AResultDeletedElsewhereIsToldAndTheRowsReadAgain)
{
    ResultRows::insert(db(), {ResultRows::make(m_cureNo, April), ResultRows::make(m_cureNo, April + 1),
                              ResultRows::make(m_cureNo, April + 2)});
    const std::vector<CureResult> stored = ResultRows::all(db());
    DbConnection other;
    ASSERT_TRUE(other.open(connectionString(), user(), password())) << other.errorText().toStdString();
    const auto deleteElsewhere = [&](const CureResult &row) {
        DbQuery remove(other, QStringLiteral("DELETE FROM CureResults WHERE ResultNo = ?"));
        remove.addBind(row.ResultNo);
        ASSERT_TRUE(remove.exec()) << remove.errorText().toStdString();
    };

    TPersonMedicalRecordForm monthly(m_app->context);
    monthly.show();
    monthly.CureEdit->setText(QString::number(m_cureNo));
    QTest::mouseClick(monthly.OpenButton, Qt::LeftButton);
    ASSERT_EQ(monthly.ResultGrid->model()->rowCount(), 3);
    deleteElsewhere(stored[0]);
    m_app->dialogs.clear();
    typeIntoCell(monthly.ResultGrid, 0, 5, QStringLiteral("45"));
    QTest::mouseClick(monthly.SaveButton, Qt::LeftButton);
    EXPECT_EQ(m_app->dialogs.messageTexts(), QStringList{ChangedElsewhereText});
    EXPECT_EQ(monthly.ResultGrid->model()->rowCount(), 2);
    EXPECT_FALSE(monthly.SaveButton->isEnabled());
    monthly.close();

    m_edit->CureNo = m_cureNo;
    m_edit->FromDate = April;
    m_edit->ToDate = April + 30;
    m_edit->show();
    ASSERT_EQ(m_edit->DBGrid1->model()->rowCount(), 2);
    deleteElsewhere(stored[1]);
    m_app->dialogs.clear();
    m_app->dialogs.queueAnswer(MessageAnswer::Yes);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::mouseClick(m_edit->DBGrid1->findChildren<QPushButton *>(QStringLiteral("DeleteButton")).first(),
                      Qt::LeftButton);
    EXPECT_EQ(m_app->dialogs.messageTexts().last(), ChangedElsewhereText);
    EXPECT_EQ(m_edit->DBGrid1->model()->rowCount(), 1);
    EXPECT_EQ(ResultRows::all(db()).size(), 1u);
    m_edit->hide();
}

TEST_P(ResultWindowsTest, MonthlyRecordLoadsTheUsersMonth)
{
    ResultRows::insert(db(), {ResultRows::make(m_cureNo, April - 20)});
    TPersonMedicalRecordForm form(m_app->context);
    form.show();
    form.CureEdit->setText(QStringLiteral("x"));
    form.OpenButton->click();
    EXPECT_EQ(m_app->dialogs.messageTexts().last(), QStringLiteral("治療番号エラー"));
    form.CureEdit->setText(QString::number(m_cureNo));
    form.OpenButton->click();
    EXPECT_EQ(m_app->dialogs.messageTexts().last(), QStringLiteral("条件に該当するデータがありません。"));
    form.HizukeLeft->click();
    form.CureEdit->setText(QString::number(m_cureNo));
    form.OpenButton->click();
    ASSERT_EQ(form.ResultGrid->model()->rowCount(), 1);
    EXPECT_EQ(form.NameLabel->text(), QStringLiteral("山田 太郎"));
    EXPECT_EQ(form.TaishoLabel->text(), QStringLiteral("＿＿ __年__月__日"));
    EXPECT_FALSE(form.SaveButton->isEnabled());
    EXPECT_TRUE(form.PrintButton->isEnabled());
    QAbstractItemModel *model = form.ResultGrid->model();
    ASSERT_TRUE(model->setData(model->index(0, 5), QStringLiteral("-8"), Qt::EditRole));
    EXPECT_EQ(model->data(model->index(0, 5)).toInt(), 0);
    EXPECT_TRUE(form.SaveButton->isEnabled());
    QTest::mouseClick(form.SaveButton, Qt::LeftButton);
    EXPECT_EQ(ResultRows::all(db())[0].RMinute, 0);
    EXPECT_FALSE(form.SaveButton->isEnabled());
    m_app->dialogs.clear();
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(m_app->dialogs.messageTexts().isEmpty());
}

// An edit waits on its row until the cursor leaves it or 保存; 閉じる asks
// only while one waits, and はい drops it.
TEST_P(ResultWindowsTest, MonthlyRecordAsksOnlyForAPendingEdit)
{
    ResultRows::insert(db(), {ResultRows::make(m_cureNo, April), ResultRows::make(m_cureNo, April + 1)});
    TPersonMedicalRecordForm form(m_app->context);
    form.show();
    form.CureEdit->setText(QString::number(m_cureNo));
    QTest::mouseClick(form.OpenButton, Qt::LeftButton);
    QAbstractItemModel *model = form.ResultGrid->model();
    ASSERT_EQ(model->rowCount(), 2);
    // Right after a load nothing is asked.
    m_app->dialogs.clear();
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(m_app->dialogs.messageTexts().isEmpty());

    form.show();
    form.CureEdit->setText(QString::number(m_cureNo));
    QTest::mouseClick(form.OpenButton, Qt::LeftButton);
    form.ResultGrid->setCurrentIndex(model->index(0, 5));
    ASSERT_TRUE(model->setData(model->index(0, 5), QStringLiteral("45"), Qt::EditRole));
    EXPECT_EQ(ResultRows::all(db())[0].RMinute, 20);
    form.ResultGrid->setCurrentIndex(model->index(1, 5));
    EXPECT_EQ(ResultRows::all(db())[0].RMinute, 45);
    ASSERT_TRUE(model->setData(model->index(1, 5), QStringLiteral("50"), Qt::EditRole));

    m_app->dialogs.queueAnswer(MessageAnswer::No);
    QTest::mouseClick(form.CloseButton, Qt::LeftButton);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(m_app->dialogs.messageTexts().last(), QStringLiteral("保存していませんが、このまま閉じますか？"));
    m_app->dialogs.queueAnswer(MessageAnswer::Yes);
    QTest::mouseClick(form.CloseButton, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(ResultRows::all(db())[0].RMinute, 45);
    EXPECT_EQ(ResultRows::all(db())[1].RMinute, 20);

    // Other conditions post the edit before the rows go.
    form.show();
    form.CureEdit->setText(QString::number(m_cureNo));
    QTest::mouseClick(form.OpenButton, Qt::LeftButton);
    form.ResultGrid->setCurrentIndex(model->index(1, 5));
    ASSERT_TRUE(model->setData(model->index(1, 5), QStringLiteral("35"), Qt::EditRole));
    QTest::mouseClick(form.HizukeRight, Qt::LeftButton);
    EXPECT_EQ(ResultRows::all(db())[1].RMinute, 35);
    m_app->dialogs.clear();
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(m_app->dialogs.messageTexts().isEmpty());
}

TEST_P(ResultWindowsTest, DailyRecordChecksItsConditionsAndTotals)
{
    CureResult given = ResultRows::make(m_cureNo, DateTime::encodeDate(2024, 4, 20));
    given.PMinute = 0;
    ResultRows::insert(db(), {given, ResultRows::make(m_cureNo, DateTime::encodeDate(2024, 4, 20))});
    TDailyMedicalRecordForm form(m_app->context);
    form.show();
    form.ResultLoadBtn->click();
    EXPECT_EQ(m_app->dialogs.messageTexts().last(), QStringLiteral("SystemError : 実施入力日 error "));
    form.ResultInputDay->setValue(DateTime::encodeDate(2024, 4, 20));
    form.ResultLoadBtn->click();
    EXPECT_EQ(m_app->dialogs.messageTexts().last(), QStringLiteral("SystemError : 担当者 error "));
    form.TantouBox->setCurrentIndex(0);
    form.ResultLoadBtn->click();
    EXPECT_EQ(m_app->dialogs.messageTexts().last(), QStringLiteral("SystemError : リハビリ形態 error "));
    form.RihaTypeBox->setCurrentIndex(0);
    form.ResultLoadBtn->click();
    EXPECT_EQ(form.ResultGrid->model()->rowCount(), 2);
    EXPECT_EQ(form.PlanCountLbl->text(), QStringLiteral("1"));
    EXPECT_EQ(form.ExecFunnLbl->text(), QStringLiteral("40"));
    // The arrows change only the conditions.
    form.HizukeRight->click();
    EXPECT_EQ(form.ResultGrid->model()->rowCount(), 2);
    EXPECT_EQ(form.WorkDay, DateTime::encodeDate(2024, 4, 21));
}

// A template that is not there is told in the one box every printout shows.
TEST_P(ResultWindowsTest, DailyRecordTellsAMissingTemplateInTheOneBox)
{
    ResultRows::insert(db(), {ResultRows::make(m_cureNo, DateTime::encodeDate(2024, 4, 20))});
    QTemporaryDir empty;
    m_app->context.appDir = empty.path();
    TDailyMedicalRecordForm form(m_app->context);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.ResultInputDay->setValue(DateTime::encodeDate(2024, 4, 20));
    form.TantouBox->setCurrentIndex(0);
    form.RihaTypeBox->setCurrentIndex(0);
    QTest::mouseClick(form.ResultLoadBtn, Qt::LeftButton);
    ASSERT_EQ(form.ResultGrid->model()->rowCount(), 1);
    m_app->dialogs.clear();
    QTest::mouseClick(form.PrintButton, Qt::LeftButton);
    expectMissingTemplateTold(m_app->dialogs, empty.filePath(ResultPrintouts::DailyTemplate.toString()));
}

TEST_P(ResultWindowsTest, CopyRunsOnlyWhenTheModeIsSet)
{
    const TDateTime day = DateTime::encodeDate(2024, 4, 20);
    ASSERT_TRUE(BookingRows::book(db(), BookingRows::addSlot(db(), day, 2, DateTime::encodeTime(9, 0), 30), m_cureNo));
    TImportScheduleDialog dialog(m_app->context);
    dialog.show();
    dialog.StuffBox->setCurrentIndex(dialog.StuffBox->count() - 1); // 全員
    dialog.DisplayBtn->click();
    ASSERT_EQ(dialog.DBGrid1->rowCount(), 1);
    // Shown again, the dialog starts without the last list.
    dialog.hide();
    dialog.show();
    EXPECT_EQ(dialog.DBGrid1->rowCount(), 0);
    dialog.StuffBox->setCurrentIndex(dialog.StuffBox->count() - 1);
    QTest::mouseClick(dialog.DisplayBtn, Qt::LeftButton);
    ASSERT_EQ(dialog.DBGrid1->rowCount(), 1);
    EXPECT_FALSE(dialog.ImportBtn->isEnabled());
    dialog.AllSelectBtn->click();
    EXPECT_TRUE(dialog.ImportBtn->isEnabled());
    // Closing the mode dialog cancels; its default is スキップ.
    m_app->dialogs.queueDialog([](QDialog *mode) {
        EXPECT_TRUE(static_cast<TCopyModeForm *>(mode)->SkipWrite->isChecked());
        mode->reject();
        return mode->result();
    });
    dialog.ImportBtn->click();
    EXPECT_TRUE(ResultRows::all(db()).empty());
    m_app->dialogs.queueDialog([](QDialog *mode) {
        static_cast<TCopyModeForm *>(mode)->SetButton->click();
        return mode->result();
    });
    dialog.ImportBtn->click();
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_EQ(dialog.StatBar->value(), 1);
    dialog.show();
    EXPECT_EQ(dialog.StatBar->value(), -1);
    ASSERT_EQ(ResultRows::all(db()).size(), 1u);
    EXPECT_EQ(ResultRows::all(db())[0].StuffKigo, QStringLiteral("ス"));
}

// A booking cancelled at another workstation after the list was shown:
// the copy writes nothing, says so, and the dialog stays open with the
// bookings listed again.
TEST_P(ResultWindowsTest, CopyOfAListChangedElsewhereListsAgain)
{
    const TDateTime day = DateTime::encodeDate(2024, 4, 20);
    ASSERT_TRUE(BookingRows::book(db(), BookingRows::addSlot(db(), day, 2, DateTime::encodeTime(9, 0), 30), m_cureNo));
    TImportScheduleDialog dialog(m_app->context);
    dialog.show();
    dialog.StuffBox->setCurrentIndex(dialog.StuffBox->count() - 1); // 全員
    QTest::mouseClick(dialog.DisplayBtn, Qt::LeftButton);
    ASSERT_EQ(dialog.DBGrid1->rowCount(), 1);
    dialog.AllSelectBtn->click();

    DbConnection other;
    ASSERT_TRUE(other.open(connectionString(), user(), password())) << other.errorText().toStdString();
    ASSERT_TRUE(DbQuery(other, QStringLiteral("DELETE FROM Schedule")).exec());
    m_app->dialogs.clear();
    m_app->dialogs.queueDialog([](QDialog *mode) {
        static_cast<TCopyModeForm *>(mode)->SetButton->click();
        return mode->result();
    });
    QTest::mouseClick(dialog.ImportBtn, Qt::LeftButton);
    EXPECT_EQ(m_app->dialogs.messageTexts(), QStringList{ChangedElsewhereText});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.DBGrid1->rowCount(), 0);
    EXPECT_TRUE(ResultRows::all(db()).empty());
}

TAMSOLEN_DATABASE_TEST_SUITE(ResultWindowsTest);
