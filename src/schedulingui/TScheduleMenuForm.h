#pragma once

#include "coreui/MenuWindow.h"

class QPushButton;

// スケジュール管理メニュー: the way from the main window to the scheduling
// windows. An entry whose window the program has not created is disabled.
class TScheduleMenuForm : public MenuWindow
{
    Q_OBJECT
public:
    explicit TScheduleMenuForm(AppContext &context, QWidget *parent = nullptr);

    QPushButton *StuffWeekBookBtn = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *UserWeekBookBtn = nullptr;
    QPushButton *AttendButton = nullptr;
    QPushButton *UserAttend = nullptr;
    QPushButton *DayAttend = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button10 = nullptr;

protected:
    void FormShow() override;
};

extern TScheduleMenuForm *ScheduleMenuForm;
