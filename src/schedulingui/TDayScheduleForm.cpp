#include "schedulingui/TDayScheduleForm.h"

#include "core/StaffDirectory.h"
#include "platform/DialogService.h"
#include "platform/UserMessage.h"
#include "scheduling/FrameLook.h"
#include "schedulingui/BoardCell.h"
#include "schedulingui/TStuffAllChangeForm.h"
#include "schedulingui/WorkBoardView.h"

#include <QAction>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QShowEvent>
#include <QSpinBox>

TDayScheduleForm *DayScheduleForm = nullptr;

TDayScheduleForm::TDayScheduleForm(AppContext &context, QWidget *parent)
    : WorkBoardForm(WorkBoard::Kind::Day, QStringLiteral("Stuff"), context, parent)
{
    setObjectName(QStringLiteral("DayScheduleForm"));
    setWindowTitle(QStringLiteral("当日担当者作業表"));
    StuffNameShift = new QSpinBox(TopPanel);
    StuffNameShift->setObjectName(QStringLiteral("StuffNameShift"));
    StuffNameShift->setRange(0, 1000);
    StuffNameShift->setSingleStep(10);
    StartStuffNo = new QLabel(TopPanel);
    StartStuffNo->setObjectName(QStringLiteral("StartStuffNo"));
    topLayout()->insertWidget(topLayout()->count() - 1, StuffNameShift);
    topLayout()->insertWidget(topLayout()->count() - 1, StartStuffNo);
    connect(StuffNameShift, &QSpinBox::valueChanged, this,
            [this](int value) { StartStuffNo->setText(QString::number(value + 1) + QStringLiteral("人目～")); });
    StuffAllChangeForm = new TStuffAllChangeForm(m_staff, this);

    addMenuAction(EditPopupMenu, QStringLiteral("CopyStuffBoxFromPanelMenu"), QStringLiteral("全ての枠コピー"),
                  &TDayScheduleForm::CopyStuffBoxFromPanelMenuClick);
    PasteBoxesToPanelMenu = addMenuAction(EditPopupMenu, QStringLiteral("PasteBoxesToPanelMenu"),
                                          QStringLiteral("貼り付け"), &TDayScheduleForm::PasteBoxesToPanelMenuClick);
    EditPopupMenu->addSeparator();
    addMenuAction(EditPopupMenu, QStringLiteral("ChangeStuffOfPanelMenu"), QStringLiteral("担当者一括変更"),
                  &TDayScheduleForm::ChangeStuffOfPanelMenuClick);
    connect(Board, &WorkBoardView::headerMenuRequested, this, [this](int column, const QPoint &at) {
        if (!m_board->isDisplayed())
            return;
        TargetDay = column;
        PasteBoxesToPanelMenu->setEnabled(m_board->canPasteDay());
        EditPopupMenu->popup(at);
    });
}

void TDayScheduleForm::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        StartStuffNo->setText(QStringLiteral("1人～"));
        StuffNameShift->setEnabled(m_staff.count() > FrameLook::ColumnCount);
    }
    WorkBoardForm::showEvent(event);
    if (!event->spontaneous())
        showStaffHeaders(0);
}

void TDayScheduleForm::showStaffHeaders(int first)
{
    for (int k = 0; k < FrameLook::ColumnCount; ++k)
        Board->setHeader(k, m_staff.nameAt(first + k), FrameLook::HeaderColour);
    Board->setColumnCount(m_staff.count() - first);
}

void TDayScheduleForm::DispButtonClick()
{
    TheDate = DateTime::fromDate(RVDate->date());
    const int first = StuffNameShift->value();
    showStaffHeaders(first);
    const BoardOutcome shown = m_board->displayDay(TheDate, first);
    Dialogs::show(shown.messages);
    if (!shown.done) {
        ClearButtonClick();
        return;
    }
    showBoard(true);
    refresh();
}

void TDayScheduleForm::CopyStuffBoxFromPanelMenuClick()
{
    m_board->copyColumn(TargetDay, false, Board->header(TargetDay)->text());
    refresh();
}

void TDayScheduleForm::PasteBoxesToPanelMenuClick()
{
    Dialogs::show(m_board->pasteColumn(TargetDay).messages);
    refresh();
}

void TDayScheduleForm::ChangeStuffOfPanelMenuClick()
{
    if (m_board->columnStaff(TargetDay) < 0) {
        Dialogs::error(QStringLiteral("*** System Error 担当者確認に失敗しました。"));
        return;
    }
    if (Dialogs::exec(StuffAllChangeForm) != QDialog::Accepted)
        return;
    Dialogs::show(m_board->changeColumnStaff(TargetDay, StuffAllChangeForm->StuffCode).messages);
    refresh();
}
