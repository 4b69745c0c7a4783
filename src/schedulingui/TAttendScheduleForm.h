#pragma once

#include "schedulingui/BookingListForm.h"

class QComboBox;
class QRadioButton;
class QSpinBox;
class QToolButton;

// 月別担当者別予約表: one staff member's bookings over a month or some of
// its days.
class TAttendScheduleForm : public BookingListForm
{
    Q_OBJECT
public:
    explicit TAttendScheduleForm(AppContext &context);

    QComboBox *TantouBox = nullptr;
    QToolButton *HizukeLeft = nullptr;
    QToolButton *HizukeRight = nullptr;
    QLabel *YearMonthLabel = nullptr;
    QRadioButton *MonthButton = nullptr;
    QRadioButton *DaysButton = nullptr;
    QSpinBox *FromEdit = nullptr;
    QSpinBox *ToEdit = nullptr;

    void DisplayClick() override;
    void stepMonth(int months);

protected:
    void FormShow() override;

private:
    void showMonth();
    TDateTime m_month = DateTime::None;
};

extern TAttendScheduleForm *AttendScheduleForm;
