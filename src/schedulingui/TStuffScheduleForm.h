#pragma once

#include "schedulingui/WorkBoardForm.h"

class QComboBox;

// The planning board of one staff member: 31 days side by side.
class TStuffScheduleForm : public WorkBoardForm
{
    Q_OBJECT

public:
    explicit TStuffScheduleForm(AppContext &context, QWidget *parent = nullptr);

    QComboBox *StuffBox = nullptr;
    QAction *PasteDaysToPanelMenu = nullptr;

    void DispButtonClick() override;
    void CopyDaysBoxFromPanelMenuClick();
    void CopyDaysAllFromPanelMenuClick();
    void PasteDaysToPanelMenuClick();

protected:
    void showEvent(QShowEvent *event) override;
};

extern TStuffScheduleForm *StuffScheduleForm;
