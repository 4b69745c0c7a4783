#include "resultsui/TResultSheetForm.h"

#include "core/AppContext.h"
#include "core/CsvWriter.h"
#include "core/EraDate.h"
#include "core/TRegistory.h"
#include "coreui/CsvFileDialog.h"
#include "platform/DialogService.h"
#include "results/ResultsCsv.h"
#include "resultsui/TImportScheduleDialog.h"
#include "resultsui/TOpenGYMDialog.h"
#include "resultsui/TResultsEditForm.h"
#include "resultsui/TResultsMenuForm.h"
#include "usersui/TUserSearchForm.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>

TResultSheetForm *ResultSheetForm = nullptr;

namespace {

constexpr int ToolBarHeight = 48;
constexpr int GridTop = 52;
constexpr int CureNoWidth = 68;
constexpr int NameWidth = 128;
constexpr int DayWidth = 19;
constexpr int CountWidth = 55;
constexpr int DayLeft = CureNoWidth + NameWidth;

} // namespace

TResultSheetForm::TResultSheetForm(AppContext &context, QWidget *parent)
    : MenuWindow(
          context, [] { return static_cast<QWidget *>(ResultsMenuForm); }, -1, ToolBarHeight, parent),
      m_sheet(context.database)
{
    setObjectName(QStringLiteral("ResultSheetForm"));
    setWindowTitle(QStringLiteral("実績入力一覧"));
    resize(920, 740);
    MainPanel->setFixedSize(898, 626);
    buildToolBar();
    buildHeader();

    StrGrid = new QTableWidget(EmptyRows, ColumnCount, MainPanel);
    StrGrid->setObjectName(QStringLiteral("StrGrid"));
    StrGrid->setGeometry(0, GridTop, 860, 21 * 24 + 2);
    StrGrid->horizontalHeader()->hide();
    StrGrid->horizontalHeader()->setMinimumSectionSize(DayWidth);
    StrGrid->verticalHeader()->hide();
    StrGrid->verticalHeader()->setDefaultSectionSize(21);
    StrGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    StrGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    StrGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StrGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StrGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The Windows gothic where it exists, else a Japanese gothic whose
    // digits are half-width, so that eight of them fill the number column.
    QFont gridFont;
    gridFont.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("Noto Sans Mono CJK JP"),
                          QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic")});
    gridFont.setPixelSize(16);
    StrGrid->setFont(gridFont);
    // The user number fills its narrow column: no padding, no ellipsis.
    StrGrid->setStyleSheet(QStringLiteral("QTableWidget::item { padding: 0px; }"));
    StrGrid->setTextElideMode(Qt::ElideNone);
    StrGrid->setColumnWidth(0, CureNoWidth);
    StrGrid->setColumnWidth(1, NameWidth);
    for (int c = 2; c < 33; ++c)
        StrGrid->setColumnWidth(c, DayWidth);
    StrGrid->setColumnWidth(33, CountWidth);
    connect(StrGrid, &QTableWidget::cellPressed, this, [this](int row) { ClickedRow = row; });
    connect(StrGrid, &QTableWidget::cellDoubleClicked, this, [this](int row) {
        ClickedRow = row;
        StrGridDblClick();
    });

    auto *legend = new QLabel(QStringLiteral("○：入所／□　：短期入所／△：通所／◇：訪問"), MainPanel);
    legend->setGeometry(0, GridTop + 21 * 24 + 10, 420, 22);
    auto *hint = new QLabel(QStringLiteral("編集は、青線上でダブルクリック"), MainPanel);
    hint->setGeometry(560, GridTop + 21 * 24 + 10, 300, 22);
    hint->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void TResultSheetForm::buildToolBar()
{
    auto *bar = addToolBar(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    bar->setFixedHeight(ToolBarHeight);
    const auto tool = [bar](const char *name, const QString &hint) {
        auto *button = new QToolButton(bar);
        button->setObjectName(QString::fromLatin1(name));
        button->setText(hint);
        button->setToolTip(hint);
        button->setMinimumWidth(72);
        bar->addWidget(button);
        return button;
    };
    OpenButton = tool("OpenButton", QStringLiteral("開く"));
    ImportButton = tool("ImportButton", QStringLiteral("インポート"));
    UserAddButton = tool("UserAddButton", QStringLiteral("利用者追加"));
    bar->addSeparator();
    ReturnButton = tool("ReturnButton", QStringLiteral("閉じる"));
    bar->addSeparator();
    YearMonthLabel = new QLabel(bar);
    YearMonthLabel->setObjectName(QStringLiteral("YearMonthLabel"));
    YearMonthLabel->setMinimumWidth(160);
    YearMonthLabel->setStyleSheet(QStringLiteral("font-size: 16px; font-weight: bold; padding-left: 12px;"));
    bar->addWidget(YearMonthLabel);
    connect(OpenButton, &QToolButton::clicked, this, &TResultSheetForm::OpenButtonClick);
    connect(ImportButton, &QToolButton::clicked, this, &TResultSheetForm::ImportButtonClick);
    connect(UserAddButton, &QToolButton::clicked, this, &TResultSheetForm::UserAddButtonClick);
    connect(ReturnButton, &QToolButton::clicked, this, &QWidget::close);

    QMenu *file = menuBar()->addMenu(QStringLiteral("ファイル"));
    OpenMenu = file->addAction(QStringLiteral("開く"), this, &TResultSheetForm::OpenButtonClick);
    QMenu *import = file->addMenu(QStringLiteral("インポート"));
    ImportScheduleMenu = import->addAction(QStringLiteral("スケジュール"), this, &TResultSheetForm::ImportButtonClick);
    ImportExtDataMenu =
        import->addAction(QStringLiteral("外部データ"), this, &TResultSheetForm::ImportExtDataMenuClick);
    ExportMenu = file->addAction(QStringLiteral("エクスポート"), this, &TResultSheetForm::ExportMenuClick);
    UserAddMenu = file->addAction(QStringLiteral("利用者の追加"), this, &TResultSheetForm::UserAddButtonClick);
    file->addSeparator();
    CloseMenu = file->addAction(QStringLiteral("閉じる"), this, &QWidget::close);
}

void TResultSheetForm::buildHeader()
{
    const auto label = [this](const QString &text, int left, int top, int width) {
        auto *l = new QLabel(text, MainPanel);
        l->setGeometry(left, top, width, 22);
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    label(QStringLiteral("治療番号"), 0, 14, CureNoWidth);
    label(QStringLiteral("利用者名"), CureNoWidth, 14, NameWidth);
    label(QStringLiteral("日数計"), DayLeft + 31 * DayWidth, 14, CountWidth);
    for (int d = 0; d < 31; ++d) {
        L[size_t(d)] = label({}, DayLeft + d * DayWidth, 4, DayWidth);
        L[size_t(d)]->setObjectName(QStringLiteral("L%1").arg(d + 1));
        w[size_t(d)] = label({}, DayLeft + d * DayWidth, 26, DayWidth);
        w[size_t(d)]->setObjectName(QStringLiteral("w%1").arg(d + 1));
    }
}

void TResultSheetForm::FormShow()
{
    for (int d = 0; d < 31; ++d) {
        for (QLabel *label : {L[size_t(d)], w[size_t(d)]}) {
            label->clear();
            label->setStyleSheet(QStringLiteral("color: black"));
        }
    }
    clearGrid(EmptyRows);
    YearMonthLabel->clear();
    ClickedRow = -1;
    UserAddButton->setEnabled(false);
    UserAddMenu->setEnabled(false);
}

void TResultSheetForm::clearGrid(int rows)
{
    StrGrid->clearContents();
    StrGrid->setRowCount(rows);
    Loaded = false;
}

void TResultSheetForm::OpenButtonClick()
{
    TOpenGYMDialog dialog(this);
    const int result = Dialogs::exec(&dialog);
    if (result != 1)
        return;
    YearMonth = dialog.YearMonth;
    const auto [from, to] = ResultSheet::monthRange(YearMonth);
    SetMonthHeader(from, to);
    UserAddButton->setEnabled(true);
    UserAddMenu->setEnabled(true);
}

void TResultSheetForm::SetMonthHeader(TDateTime from, TDateTime to)
{
    FromDate = from;
    ToDate = to;
    YearMonthLabel->setText(FormatEraYearMonth(from) + DateTime::format(u" (yyyy/mm)", from));
    const auto header = ResultSheet::monthHeader(from);
    for (int d = 0; d < 31; ++d) {
        const auto &day = header[size_t(d)];
        const QString colour = day.Sunday ? QStringLiteral("color: red") : QStringLiteral("color: black");
        L[size_t(d)]->setText(day.Day);
        w[size_t(d)]->setText(day.Weekday);
        L[size_t(d)]->setStyleSheet(colour);
        w[size_t(d)]->setStyleSheet(colour);
    }
    LoadResultUsers(from, to);
}

void TResultSheetForm::LoadResultUsers(TDateTime from, TDateTime to)
{
    clearGrid(EmptyRows);
    const auto users = m_sheet.load(from, to);
    if (!users) {
        Dialogs::error(QStringLiteral("SystemError : 利用者の抽出 error "));
        return;
    }
    if (users->empty())
        return;
    StrGrid->setRowCount(int(users->size()));
    const auto cell = [this](int row, int column, const QString &text) {
        StrGrid->setItem(row, column, new QTableWidgetItem(text));
    };
    for (int i = 0; i < int(users->size()); ++i) {
        const ResultSheet::UserRow &user = (*users)[size_t(i)];
        cell(i, 0, ResultSheet::cureNoText(user.CureNo));
        cell(i, 1, user.Name);
        for (int d = 0; d < 31; ++d) {
            if (!user.Marks[size_t(d)].isEmpty())
                cell(i, d + 2, user.Marks[size_t(d)]);
        }
        cell(i, 33, ResultSheet::countText(user.Count));
    }
    Loaded = true;
}

void TResultSheetForm::openEntry(int cureNo)
{
    if (!ResultsEditForm)
        return;
    ResultsEditForm->CureNo = cureNo;
    ResultsEditForm->FromDate = FromDate;
    ResultsEditForm->ToDate = ToDate;
    Dialogs::exec(ResultsEditForm);
}

void TResultSheetForm::StrGridDblClick()
{
    if (!Loaded || ClickedRow < 0)
        return;
    const QTableWidgetItem *item = StrGrid->item(ClickedRow, 0);
    const auto cureNo = item ? ResultSheet::cureNoOfText(item->text()) : std::nullopt;
    if (!cureNo)
        return;
    openEntry(*cureNo);
    SetMonthHeader(FromDate, ToDate);
    UserAddButton->setEnabled(true);
    UserAddMenu->setEnabled(true);
}

void TResultSheetForm::UserAddButtonClick()
{
    if (!UserSearchForm || Dialogs::exec(UserSearchForm) != QDialog::Accepted)
        return;
    const int cureNo = UserSearchForm->Person.CureNo;
    const auto has = m_sheet.hasResults(cureNo, FromDate, ToDate);
    if (!has) {
        Dialogs::error(QStringLiteral("*** SystemError : 追加利用者の抽出 error "));
        return;
    }
    if (*has) {
        Dialogs::error(QStringLiteral("追加の利用者は、既に表示しています。"), MessageButtons::Abort);
        return;
    }
    openEntry(cureNo);
    LoadResultUsers(FromDate, ToDate);
}

void TResultSheetForm::ImportButtonClick()
{
    if (!ImportScheduleDialog || Dialogs::exec(ImportScheduleDialog) == 2)
        return;
    const auto [from, to] = ResultSheet::monthRange(ImportScheduleDialog->FromDate);
    SetMonthHeader(from, to);
    UserAddButton->setEnabled(true);
    UserAddMenu->setEnabled(true);
}

void TResultSheetForm::ImportExtDataMenuClick()
{
    TRegistory &settings = m_context.registory;
    const QString fileName = Dialogs::service().openFileName(
        this, QStringLiteral("インポート"), QFileInfo(settings.Import).path(), QStringLiteral("CSV (*.csv *.txt)"));
    if (fileName.isEmpty())
        return;
    settings.Import = fileName;
    const auto outcome = ResultsCsv(m_context).importFile(fileName, Dialogs::asker());
    Dialogs::message(outcome.type, outcome.text, outcome.ok ? MessageButtons::Ok : MessageButtons::Yes);
    // The month shown may have gained rows.
    if (outcome.ok && !YearMonthLabel->text().isEmpty())
        LoadResultUsers(FromDate, ToDate);
}

void TResultSheetForm::ExportMenuClick()
{
    TRegistory &settings = m_context.registory;
    QString fileName = CsvFileDialog::saveName(this, QStringLiteral("エクスポート"), settings.Export);
    if (fileName.isEmpty())
        return;
    const QFileInfo info(fileName);
    fileName = info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".csv");
    settings.Export = fileName;
    if (!CsvWriter::confirmOverwrite(fileName, MessageButtons::YesNo, Dialogs::asker()))
        return;
    const auto outcome = ResultsCsv(m_context).exportMonth(FromDate, ToDate, fileName);
    Dialogs::message(outcome.type, outcome.text, MessageButtons::Ok);
}
