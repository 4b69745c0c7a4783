#include "schedulingui/TStuffScheduleForm.h"

#include "core/CodeTables.h"
#include "core/StaffDirectory.h"
#include "platform/DialogService.h"
#include "platform/UserMessage.h"
#include "scheduling/FrameLook.h"
#include "schedulingui/BoardCell.h"
#include "schedulingui/WorkBoardView.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>

TStuffScheduleForm *StuffScheduleForm = nullptr;

TStuffScheduleForm::TStuffScheduleForm(AppContext &context, QWidget *parent)
    : WorkBoardForm(WorkBoard::Kind::StaffMonth, QStringLiteral("Day"), context, parent)
{
    setObjectName(QStringLiteral("StuffScheduleForm"));
    setWindowTitle(QStringLiteral("介護担当者作業表"));
    StuffBox = new QComboBox(TopPanel);
    StuffBox->setObjectName(QStringLiteral("StuffBox"));
    StuffBox->setMinimumWidth(160);
    topLayout()->insertWidget(0, new QLabel(QStringLiteral("担当者"), TopPanel));
    topLayout()->insertWidget(1, StuffBox);
    connect(StuffBox, &QComboBox::activated, this, [this] { DispButton->setEnabled(true); });

    addMenuAction(EditPopupMenu, QStringLiteral("CopyDaysBoxFromPanelMenu"), QStringLiteral("当日時間枠コピー"),
                  &TStuffScheduleForm::CopyDaysBoxFromPanelMenuClick);
    addMenuAction(EditPopupMenu, QStringLiteral("CopyDaysAllFromPanelMenu"), QStringLiteral("当日全てコピー"),
                  &TStuffScheduleForm::CopyDaysAllFromPanelMenuClick);
    PasteDaysToPanelMenu = addMenuAction(EditPopupMenu, QStringLiteral("PasteDaysToPanelMenu"),
                                         QStringLiteral("貼り付け"), &TStuffScheduleForm::PasteDaysToPanelMenuClick);
    connect(Board, &WorkBoardView::headerMenuRequested, this, [this](int column, const QPoint &at) {
        TargetDay = column;
        PasteDaysToPanelMenu->setEnabled(m_board->canPasteDay());
        EditPopupMenu->popup(at);
    });
    connect(ClearButton, &QPushButton::clicked, this, [this] { StuffBox->setEnabled(true); });
}

void TStuffScheduleForm::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        StuffBox->clear();
        StuffBox->addItems(m_staff.names());
        StuffBox->setCurrentIndex(-1);
        StuffBox->setEnabled(true);
    }
    WorkBoardForm::showEvent(event);
}

void TStuffScheduleForm::DispButtonClick()
{
    if (StuffBox->currentIndex() < 0) {
        Dialogs::error(QStringLiteral("担当者を指定してください。"));
        return;
    }
    const TDateTime start = DateTime::fromDate(RVDate->date());
    for (int i = 0; i < FrameLook::ColumnCount; ++i) {
        const TDateTime day = start + i;
        const unsigned colour = FrameLook::DayColour(day, FrameLook::HeaderColour);
        Board->setHeader(i,
                         WeekLongNames[std::size_t(DateTime::toDate(day).dayOfWeek() - 1)].toString() +
                             QLatin1Char(' ') + DateTime::shortDate(day),
                         colour);
        Board->setColumnColour(i, FrameLook::DayColour(day, FrameLook::ColumnColour));
    }
    const BoardOutcome shown = m_board->displayStaff(m_staff.codeAt(StuffBox->currentIndex()), start);
    Dialogs::show(shown.messages);
    if (!shown.done) {
        ClearButtonClick();
        return;
    }
    showBoard(true);
    StuffBox->setEnabled(false);
    refresh();
}

void TStuffScheduleForm::CopyDaysBoxFromPanelMenuClick()
{
    m_board->copyColumn(TargetDay, false, Board->header(TargetDay)->text());
    refresh();
}

void TStuffScheduleForm::CopyDaysAllFromPanelMenuClick()
{
    m_board->copyColumn(TargetDay, true, Board->header(TargetDay)->text());
    refresh();
}

void TStuffScheduleForm::PasteDaysToPanelMenuClick()
{
    Dialogs::show(m_board->pasteColumn(TargetDay).messages);
    refresh();
}
