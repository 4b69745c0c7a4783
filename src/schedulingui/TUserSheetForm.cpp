#include "schedulingui/TUserSheetForm.h"

#include "core/AppContext.h"
#include "core/CodeTables.h"
#include "platform/DialogService.h"
#include "scheduling/BookingSummary.h"
#include "schedulingui/TOpenCureDialog.h"
#include "schedulingui/TScheduleMenuForm.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>

TUserSheetForm *UserSheetForm = nullptr;

namespace {
constexpr int DayColumn = 2;   // the 1st
constexpr int CountColumn = 33;
constexpr int LabelTop = 24;   // day numbers above, weekdays below
} // namespace

TUserSheetForm::TUserSheetForm(AppContext &context)
    : MenuWindow(context, [] { return static_cast<QWidget *>(ScheduleMenuForm); }, -1, 0)
{
    setObjectName(QStringLiteral("UserSheetForm"));
    setWindowTitle(QStringLiteral("治療予約状況サマリー"));
    resize(1000, 720);
    auto *bar = addToolBar(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    OpenButton = new QToolButton(this);
    OpenButton->setObjectName(QStringLiteral("OpenButton"));
    OpenButton->setText(QStringLiteral("開く"));
    OpenButton->setMinimumSize(72, 40);
    CloseButton = new QToolButton(this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setText(QStringLiteral("閉じる"));
    CloseButton->setMinimumSize(72, 40);
    bar->addWidget(OpenButton);
    bar->addWidget(CloseButton);
    const int width = 82 + 107 + 31 * 23 + 45 + 20;
    MainPanel->setFixedSize(width, 640);
    auto *legend = new QLabel(QStringLiteral("○：入所 ／ □：短期入所 ／ △：通所 ／ ◇：訪問"), MainPanel);
    legend->setObjectName(QStringLiteral("Legend"));
    legend->setGeometry(0, 0, 400, 20);
    auto *countCaption = new QLabel(QStringLiteral("日数計"), MainPanel);
    countCaption->setGeometry(82 + 107 + 31 * 23, LabelTop, 45, 36);
    countCaption->setAlignment(Qt::AlignCenter);
    for (int d = 0; d < 31; ++d) {
        const int left = 82 + 107 + d * 23;
        for (auto [labels, prefix, top] : {std::tuple{&DayLabels, "L", LabelTop}, std::tuple{&WeekLabels, "w", LabelTop + 18}}) {
            auto *label = new QLabel(MainPanel);
            label->setObjectName(QString::fromLatin1(prefix) + QString::number(d + 1));
            label->setGeometry(left, top, 23, 18);
            label->setAlignment(Qt::AlignCenter);
            (*labels)[std::size_t(d)] = label;
        }
    }
    StrGrid = new QTableWidget(0, 34, MainPanel);
    StrGrid->setObjectName(QStringLiteral("StrGrid"));
    StrGrid->horizontalHeader()->hide();
    StrGrid->horizontalHeader()->setMinimumSectionSize(20);
    StrGrid->verticalHeader()->hide();
    StrGrid->verticalHeader()->setDefaultSectionSize(22);
    StrGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    StrGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StrGrid->setColumnWidth(0, 82);
    StrGrid->setColumnWidth(1, 107);
    for (int c = DayColumn; c < CountColumn; ++c)
        StrGrid->setColumnWidth(c, 23);
    StrGrid->setColumnWidth(CountColumn, 45);
    StrGrid->setGeometry(0, LabelTop + 40, width, 640 - LabelTop - 40);
    OpenCureDialog = new TOpenCureDialog(this);
    connect(OpenButton, &QToolButton::clicked, this, &TUserSheetForm::OpenButtonClick);
    connect(CloseButton, &QToolButton::clicked, this, &QWidget::close);
}

void TUserSheetForm::FormShow()
{
    for (int d = 0; d < 31; ++d) {
        DayLabels[std::size_t(d)]->clear();
        WeekLabels[std::size_t(d)]->clear();
        WeekLabels[std::size_t(d)]->setStyleSheet(QString());
    }
    clearTable(30);
}

void TUserSheetForm::clearTable(int rows)
{
    StrGrid->clearContents();
    StrGrid->setRowCount(rows);
}

void TUserSheetForm::showHeader(TDateTime month)
{
    const QDate first = DateTime::toDate(month);
    for (int d = 0; d < 31; ++d) {
        QLabel *day = DayLabels[std::size_t(d)];
        QLabel *week = WeekLabels[std::size_t(d)];
        if (d >= first.daysInMonth()) {
            day->clear();
            week->clear();
            continue;
        }
        const int weekday = first.addDays(d).dayOfWeek();
        day->setText(QString::number(d + 1));
        week->setText(WeekShortNames[std::size_t(weekday - 1)].toString());
        week->setStyleSheet(weekday == 7 ? QStringLiteral("color: #FF0000;") : QStringLiteral("color: #000000;"));
    }
}

void TUserSheetForm::OpenButtonClick()
{
    if (Dialogs::exec(OpenCureDialog) != QDialog::Accepted)
        return;
    const TDateTime month = OpenCureDialog->YearMonth;
    showHeader(month);
    const auto table =
        BookingSummary::build(m_context.database, month, OpenCureDialog->RihaType, OpenCureDialog->KubunCode);
    if (!table) {
        clearTable(0);
        Dialogs::error(QStringLiteral("SystemError : 利用者の抽出 error "), MessageButtons::Abort);
        return;
    }
    // An empty month empties the table too.
    clearTable(int(table->Rows.size()));
    for (int r = 0; r < int(table->Rows.size()); ++r) {
        const BookingSummary::Row &row = table->Rows[std::size_t(r)];
        const auto cell = [this, r](int column, const QString &text, Qt::Alignment alignment) {
            auto *item = new QTableWidgetItem(text);
            item->setTextAlignment(alignment | Qt::AlignVCenter);
            StrGrid->setItem(r, column, item);
        };
        cell(0, QStringLiteral("%1").arg(row.CureNo, 8, 10, QLatin1Char('0')), Qt::AlignLeft);
        cell(1, row.Name, Qt::AlignLeft);
        for (int d = 0; d < 31; ++d)
            if (!row.Marks[std::size_t(d)].isEmpty())
                cell(DayColumn + d, row.Marks[std::size_t(d)], Qt::AlignCenter);
        cell(CountColumn, QString::number(row.Count), Qt::AlignRight);
    }
}
