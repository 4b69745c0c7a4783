#pragma once

#include "schedulingui/WorkBoardForm.h"

class QSpinBox;
class TStuffAllChangeForm;

// The board of one day for the whole staff: a column per staff member,
// 31 at a time from the up-down's position on.
class TDayScheduleForm : public WorkBoardForm
{
    Q_OBJECT

public:
    explicit TDayScheduleForm(AppContext &context, QWidget *parent = nullptr);

    TDateTime TheDate = DateTime::None;
    QSpinBox *StuffNameShift = nullptr;
    QLabel *StartStuffNo = nullptr;
    QAction *PasteBoxesToPanelMenu = nullptr;
    TStuffAllChangeForm *StuffAllChangeForm = nullptr;

    void DispButtonClick() override;
    void CopyStuffBoxFromPanelMenuClick();
    void PasteBoxesToPanelMenuClick();
    void ChangeStuffOfPanelMenuClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showStaffHeaders(int first);
};

extern TDayScheduleForm *DayScheduleForm;
