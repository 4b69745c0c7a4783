#include "resultsui/TImportScheduleDialog.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "core/CodeTables.h"
#include "core/EraDate.h"
#include "core/TKubun.h"
#include "core/TMainModule.h"
#include "coreui/EnterKeyGuard.h"
#include "platform/DialogService.h"
#include "resultsui/TCopyModeForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>

#include <set>

TImportScheduleDialog *ImportScheduleDialog = nullptr;

namespace {

struct GridColumn
{
    const char *title;
    int width;
};
const GridColumn Columns[] = {{"治療番号", 70}, {"氏名", 120},        {"予定日", 90},
                              {"開始時間", 71}, {"リハビリ形態", 90}, {"リハビリ区分", 151}};

} // namespace

TImportScheduleDialog::TImportScheduleDialog(AppContext &context, QWidget *parent)
    : QDialog(parent), m_context(context), m_copy(context)
{
    setObjectName(QStringLiteral("ImportScheduleDialog"));
    setWindowTitle(QStringLiteral("インポート　スケジュール"));
    setFixedSize(660, 560);
    const auto caption = [this](const QString &text, int left, int top, int width) {
        auto *label = new QLabel(text, this);
        label->setGeometry(left, top, width, 24);
        return label;
    };
    caption(QStringLiteral("期間(始まり)"), 16, 14, 90);
    FromDatePicker = new QDateEdit(this);
    FromDatePicker->setObjectName(QStringLiteral("FromDatePicker"));
    FromDatePicker->setGeometry(106, 12, 130, 28);
    FromDatePicker->setCalendarPopup(true);
    FromDatePicker->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    caption(QStringLiteral("期間(終わり)"), 250, 14, 90);
    ToDatePicker = new QDateEdit(this);
    ToDatePicker->setObjectName(QStringLiteral("ToDatePicker"));
    ToDatePicker->setGeometry(340, 12, 130, 28);
    ToDatePicker->setCalendarPopup(true);
    ToDatePicker->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    caption(QStringLiteral("担当者"), 16, 50, 90);
    StuffBox = new QComboBox(this);
    StuffBox->setObjectName(QStringLiteral("StuffBox"));
    StuffBox->setGeometry(106, 48, 180, 28);
    DisplayBtn = new QPushButton(QStringLiteral("表示"), this);
    DisplayBtn->setObjectName(QStringLiteral("DisplayBtn"));
    DisplayBtn->setToolTip(QStringLiteral("３ヶ月以内の利用者"));
    DisplayBtn->setGeometry(300, 46, 90, 32);
    auto *title = caption(QStringLiteral("利　用　者　リ　ス　ト"), 16, 86, 620);
    title->setAlignment(Qt::AlignCenter);

    DBGrid1 = new QTableWidget(0, 6, this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setGeometry(16, 112, 628, 340);
    QStringList titles;
    for (int i = 0; i < 6; ++i) {
        titles.append(QString::fromUtf8(Columns[i].title));
        DBGrid1->setColumnWidth(i, Columns[i].width);
    }
    DBGrid1->setHorizontalHeaderLabels(titles);
    DBGrid1->verticalHeader()->hide();
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setAlternatingRowColors(true);
    DBGrid1->setStyleSheet(QStringLiteral("QTableWidget::item:selected { background: #C0DCC0; color: black; }"));

    AllSelectBtn = new QPushButton(QStringLiteral("全選択"), this);
    AllSelectBtn->setObjectName(QStringLiteral("AllSelectBtn"));
    AllSelectBtn->setGeometry(16, 462, 90, 32);
    EraseBtn = new QPushButton(QStringLiteral("全取消"), this);
    EraseBtn->setObjectName(QStringLiteral("EraseBtn"));
    EraseBtn->setGeometry(112, 462, 90, 32);
    StatBar = new QProgressBar(this);
    StatBar->setObjectName(QStringLiteral("StatBar"));
    StatBar->setGeometry(16, 508, 400, 22);
    ImportBtn = new QPushButton(QStringLiteral("開く"), this);
    ImportBtn->setObjectName(QStringLiteral("ImportBtn"));
    ImportBtn->setGeometry(440, 502, 96, 34);
    ReturnButton = new QPushButton(QStringLiteral("キャンセル"), this);
    ReturnButton->setObjectName(QStringLiteral("ReturnButton"));
    ReturnButton->setGeometry(548, 502, 96, 34);
    for (QPushButton *button : {DisplayBtn, AllSelectBtn, EraseBtn, ImportBtn, ReturnButton})
        button->setAutoDefault(false);

    FromDatePicker->setDate(Clock::currentDate());
    ToDatePicker->setDate(Clock::currentDate());
    connect(DisplayBtn, &QPushButton::clicked, this, &TImportScheduleDialog::DisplayBtnClick);
    connect(AllSelectBtn, &QPushButton::clicked, this, [this] {
        DBGrid1->selectAll();
        selectionChanged();
    });
    connect(EraseBtn, &QPushButton::clicked, this, [this] {
        DBGrid1->clearSelection();
        selectionChanged();
    });
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TImportScheduleDialog::selectionChanged);
    connect(ImportBtn, &QPushButton::clicked, this, &TImportScheduleDialog::ImportBtnClick);
    connect(ReturnButton, &QPushButton::clicked, this, [this] { done(2); });
    EnterKeyGuard::install(this);
}

void TImportScheduleDialog::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        StuffBox->clear();
        StuffBox->addItems(m_context.mainModule.StaffNames());
        StuffBox->addItem(QStringLiteral("全員"));
        StuffBox->setCurrentIndex(-1);
        // Nothing of the last run stays: its list and its progress.
        m_bookings.clear();
        fillGrid();
        StatBar->reset();
        AllSelectBtn->setEnabled(false);
    }
    QDialog::showEvent(event);
}

void TImportScheduleDialog::DisplayBtnClick()
{
    if (FromDatePicker->date() > ToDatePicker->date()) {
        Dialogs::information(QStringLiteral("範囲日の日付けに誤りがあります。"));
        FromDatePicker->setFocus();
        return;
    }
    FromDate = DateTime::fromDate(FromDatePicker->date());
    ToDate = DateTime::fromDate(ToDatePicker->date());
    const int index = StuffBox->currentIndex();
    if (index < 0) {
        Dialogs::error(QStringLiteral("担当者の指定がありません。"));
        return;
    }
    std::optional<int> staff;
    if (index < m_context.mainModule.StaffCount())
        staff = StuffCode = m_context.mainModule.staff().codeAt(index);
    auto bookings = m_copy.list(FromDate, ToDate, staff);
    if (!bookings) {
        Dialogs::error(QStringLiteral("System Error\n表示に失敗しました。"));
        return;
    }
    m_bookings = std::move(*bookings);
    fillGrid();
    AllSelectBtn->setEnabled(!m_bookings.empty());
}

void TImportScheduleDialog::fillGrid()
{
    DBGrid1->clearContents();
    DBGrid1->setRowCount(int(m_bookings.size()));
    TKubun kubun;
    for (int row = 0; row < int(m_bookings.size()); ++row) {
        const ScheduleCopy::Booking &b = m_bookings[size_t(row)];
        kubun.SetCode(b.Person.KubunCode);
        const QStringList texts{Text::zeroPadded(b.Person.CureNo, 8),       b.Person.Name,
                                FormatEraShortDate(b.ReserveDay),           DateTime::shortTime(b.StartTime),
                                CodeName(RihaTypeNames, b.Person.RihaType), kubun.LongText()};
        for (int column = 0; column < texts.size(); ++column)
            DBGrid1->setItem(row, column, new QTableWidgetItem(texts[column]));
    }
    selectionChanged();
}

void TImportScheduleDialog::selectionChanged()
{
    const bool any = DBGrid1->selectionModel()->hasSelection();
    EraseBtn->setEnabled(any);
    ImportBtn->setEnabled(any);
}

void TImportScheduleDialog::ImportBtnClick()
{
    std::set<int> rows;
    for (const QModelIndex &index : DBGrid1->selectionModel()->selectedRows())
        rows.insert(index.row());
    if (rows.empty())
        return;
    TCopyModeForm mode(this);
    if (Dialogs::exec(&mode) != 1)
        return;
    std::vector<ScheduleCopy::Booking> chosen;
    for (const int row : rows)
        chosen.push_back(m_bookings[size_t(row)]);
    StatBar->setRange(0, int(chosen.size()));
    StatBar->setValue(0);
    const auto outcome =
        m_copy.copy(chosen, mode.OverWrite->isChecked() ? ScheduleCopy::Mode::Overwrite : ScheduleCopy::Mode::Skip,
                    [this](int done) { StatBar->setValue(done); });
    if (outcome.changed) {
        Dialogs::error(outcome.error);
        DisplayBtnClick();
        return;
    }
    if (!outcome.error.isEmpty()) {
        Dialogs::error(outcome.error);
        done(2);
        return;
    }
    done(1);
}
