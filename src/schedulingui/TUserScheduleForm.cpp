#include "schedulingui/TUserScheduleForm.h"

#include "core/AppContext.h"
#include "core/CodeTables.h"
#include "core/EraDate.h"
#include "core/TMainModule.h"
#include "coreui/EraLineEdit.h"
#include "coreui/TMainForm.h"
#include "platform/DialogService.h"
#include "platform/UserMessage.h"
#include "scheduling/FrameLook.h"
#include "scheduling/RequestListDump.h"
#include "schedulingui/TScheduleTableDispForm.h"
#include "schedulingui/TStuffSelectForm.h"
#include "schedulingui/TTimeTableForm.h"
#include "schedulingui/TUserBookForm.h"
#include "schedulingui/WorkBoardView.h"

#include <QCursor>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>

TUserScheduleForm *UserScheduleForm = nullptr;

namespace {

// What a row of a table widget carries when dragged.
const QString StaffDragFormat = QStringLiteral("application/x-qabstractitemmodeldatalist");

QString eraOrEmpty(TDateTime date)
{
    return date == DateTime::None ? QString() : FormatEraDate(date);
}

} // namespace

TUserScheduleForm::TUserScheduleForm(AppContext &context, QWidget *parent)
    : QWidget(parent), m_context(context), m_staff(context.mainModule.staff()), m_schedule(context.database, m_staff)
{
    setObjectName(QStringLiteral("UserScheduleForm"));
    setWindowTitle(QStringLiteral("利用者治療予定表"));
    setWindowFlag(Qt::Window);
    resize(1100, 720);
    auto *layout = new QGridLayout(this);
    buildTopPanel();
    layout->addWidget(TopPanel, 0, 0, 1, 2);
    Board = new WorkBoardView(QStringLiteral("Day"), this);
    Board->setDropFormat(StaffDragFormat);
    layout->addWidget(Board, 1, 0);
    DragStuffDBGrid = new QTableWidget(0, 3, this);
    DragStuffDBGrid->setObjectName(QStringLiteral("DragStuffDBGrid"));
    DragStuffDBGrid->setHorizontalHeaderLabels(
        {QStringLiteral("CD"), QStringLiteral("担当者"), QStringLiteral("記号")});
    DragStuffDBGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    DragStuffDBGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    DragStuffDBGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DragStuffDBGrid->setDragEnabled(true);
    DragStuffDBGrid->setDragDropMode(QAbstractItemView::DragOnly);
    DragStuffDBGrid->verticalHeader()->hide();
    DragStuffDBGrid->setColumnWidth(0, 40);
    DragStuffDBGrid->setColumnWidth(1, 110);
    DragStuffDBGrid->setColumnWidth(2, 40);
    DragStuffDBGrid->setFixedWidth(215);
    layout->addWidget(DragStuffDBGrid, 1, 1);
    LabelPopupMenu = new QMenu(this);
    LabelPopupMenu->setObjectName(QStringLiteral("LabelPopupMenu"));
    QAction *erase = LabelPopupMenu->addAction(QStringLiteral("消去"));
    erase->setObjectName(QStringLiteral("EraseMenu"));
    connect(erase, &QAction::triggered, this, &TUserScheduleForm::EraseMenuClick);
    QAction *details = LabelPopupMenu->addAction(QStringLiteral("予約詳細"));
    details->setObjectName(QStringLiteral("ReserveUpdateMenu"));
    connect(details, &QAction::triggered, this, &TUserScheduleForm::ReserveUpdateMenuClick);
    QAction *change = LabelPopupMenu->addAction(QStringLiteral("担当者変更"));
    change->setObjectName(QStringLiteral("TantouChangeMenu"));
    connect(change, &QAction::triggered, this, &TUserScheduleForm::TantouChangeMenuClick);
    TimeTableForm = new TTimeTableForm(context, this);
    StuffSelectForm = new TStuffSelectForm(m_staff, this);
    connect(Board, &WorkBoardView::labelDropped, this,
            [this](const QString &name, const QMimeData *) { dropStaff(name); });
    connect(Board, &WorkBoardView::labelMenuRequested, this, [this](const QString &name, const QPoint &at) {
        m_currentLabel = name;
        LabelPopupMenu->popup(at);
    });
}

void TUserScheduleForm::buildTopPanel()
{
    TopPanel = new QWidget(this);
    TopPanel->setObjectName(QStringLiteral("TopPanel"));
    auto *layout = new QGridLayout(TopPanel);
    layout->setContentsMargins(4, 4, 4, 4);
    const std::array<std::tuple<const char *, const char *, QLabel **>, 11> fields{
        {{"治療番号", "UserNoLabel", &UserNoLabel},
         {"氏名", "NameLabel", &NameLabel},
         {"フリガナ", "KanaLabel", &KanaLabel},
         {"性別", "SexLabel", &SexLabel},
         {"年齢", "OldLabel", &OldLabel},
         {"生年月日", "BirthLabel", &BirthLabel},
         {"形態", "RihaTypeLabel", &RihaTypeLabel},
         {"区分", "RihaKubunLabel", &RihaKubunLabel},
         {"開始日", "CureStartLabel", &CureStartLabel},
         {"終了日", "CureEndLabel", &CureEndLabel},
         {"予定月", "RVDate", &RVDate}}};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        auto *value = new QLabel(TopPanel);
        value->setObjectName(QString::fromLatin1(std::get<1>(fields[i])));
        value->setFrameShape(QFrame::Panel);
        value->setFrameShadow(QFrame::Sunken);
        value->setMinimumWidth(100);
        *std::get<2>(fields[i]) = value;
        const int row = int(i / 6);
        const int column = int(i % 6) * 2;
        layout->addWidget(new QLabel(QString::fromUtf8(std::get<0>(fields[i])), TopPanel), row, column);
        layout->addWidget(value, row, column + 1);
    }
    Button1 = new QPushButton(QStringLiteral("DP"), TopPanel);
    Button1->setObjectName(QStringLiteral("Button1"));
    layout->addWidget(Button1, 0, 12);
    connect(Button1, &QPushButton::clicked, this, [this] {
        if (ScheduleTableDispForm)
            ScheduleTableDispForm->showLines(RequestListDump::lines(m_schedule.Requests));
    });
}

void TUserScheduleForm::drawHeaders()
{
    for (int i = 0; i < FrameLook::ColumnCount; ++i) {
        const TDateTime day = YearMonth + i;
        Board->setHeader(i,
                         WeekLongNames[std::size_t(DateTime::toDate(day).dayOfWeek() - 1)].toString() +
                             QLatin1Char(' ') + DateTime::shortDate(day),
                         FrameLook::DayColour(day, FrameLook::HeaderColour));
        Board->setColumnColour(i, FrameLook::DayColour(day, FrameLook::ColumnColour));
    }
}

void TUserScheduleForm::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        if (UserBookForm)
            UserBookForm->hide();
        TMainForm::ApplyWindowState(this, m_context.winState());
        drawHeaders();
        UserNoLabel->setText(QString::number(CureNo));
        NameLabel->setText(UserName);
        KanaLabel->setText(UserKana);
        SexLabel->setText(SexName);
        OldLabel->setText(AgeText);
        BirthLabel->setText(BirthText);
        RihaTypeLabel->setText(RihaTypeName);
        RihaKubunLabel->setText(KubunText);
        CureStartLabel->setText(eraOrEmpty(NyushoDate));
        CureEndLabel->setText(eraOrEmpty(TaishoDate));
        RVDate->setText(FormatEraYearMonth(YearMonth));
        DragStuffDBGrid->setRowCount(m_staff.count());
        for (int row = 0; row < m_staff.count(); ++row) {
            DragStuffDBGrid->setItem(row, 0, new QTableWidgetItem(QString::number(m_staff.codeAt(row))));
            DragStuffDBGrid->setItem(row, 1, new QTableWidgetItem(m_staff.nameAt(row)));
            DragStuffDBGrid->setItem(row, 2, new QTableWidgetItem(m_staff.kigoAt(row)));
        }
        const BoardOutcome loaded = m_schedule.load({CureNo, NyushoDate, TaishoDate, YearMonth, MonthWish});
        Dialogs::show(loaded.messages);
        const std::vector<WorkBoard::FrameLabel> labels =
            loaded.done ? m_schedule.labels() : std::vector<WorkBoard::FrameLabel>{};
        Board->setLabels(labels);
        Board->scrollToFirstSlot(labels);
        Board->setBoardVisible(loaded.done);
    }
    QWidget::showEvent(event);
}

void TUserScheduleForm::closeEvent(QCloseEvent *event)
{
    Board->setLabels({});
    if (UserBookForm)
        UserBookForm->show();
    QWidget::closeEvent(event);
}

void TUserScheduleForm::dropStaff(const QString &labelName)
{
    m_currentLabel = labelName;
    const int row = DragStuffDBGrid->currentRow();
    if (row < 0 || row >= m_staff.count())
        return;
    showDone(m_schedule.bookWish(labelName, m_staff.codeAt(row)));
}

void TUserScheduleForm::EraseMenuClick()
{
    if (const std::optional<UserMessage> question = m_schedule.eraseQuestion(m_currentLabel);
        question && Dialogs::show(*question) != MessageAnswer::Yes)
        return;
    showDone(m_schedule.erase(m_currentLabel));
}

void TUserScheduleForm::showDone(const BoardOutcome &outcome)
{
    Dialogs::show(outcome.messages);
    // A refused action may have read the month again.
    Board->setLabels(m_schedule.labels());
}

std::optional<TREQUEST_ITEM> TUserScheduleForm::currentRecord() const
{
    std::optional<TREQUEST_ITEM> record = m_schedule.record(m_currentLabel);
    if (!record)
        Dialogs::error(UserMonthSchedule::RecordGoneText);
    return record;
}

void TUserScheduleForm::ReserveUpdateMenuClick()
{
    const std::optional<TREQUEST_ITEM> record = currentRecord();
    if (!record || record->Cap == 0 || record->ResNo < 0)
        return;
    TimeTableForm->ReserveNo = record->ResNo;
    TimeTableForm->CanDelete = false;
    Dialogs::exec(TimeTableForm);
}

void TUserScheduleForm::TantouChangeMenuClick()
{
    const std::optional<TREQUEST_ITEM> record = currentRecord();
    if (!record || !record->Flag)
        return;
    StuffSelectForm->StuffCode = record->Stf;
    StuffSelectForm->move(QCursor::pos() - QPoint(30, 70));
    if (Dialogs::exec(StuffSelectForm) != QDialog::Accepted)
        return;
    showDone(m_schedule.changeStaff(m_currentLabel, StuffSelectForm->StuffCode));
}
