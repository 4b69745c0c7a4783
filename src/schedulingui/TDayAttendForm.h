#pragma once

#include "schedulingui/BookingListForm.h"

class QComboBox;
class QToolButton;

// 当日作業予約表: one staff member's bookings of one day.
class TDayAttendForm : public BookingListForm
{
    Q_OBJECT
public:
    explicit TDayAttendForm(AppContext &context);

    QComboBox *TantouBox = nullptr;
    QToolButton *HizukeLeft = nullptr;
    QToolButton *HizukeRight = nullptr;
    QLabel *YearMonthLabel = nullptr;
    QLabel *WeekLabel = nullptr;

    void DisplayClick() override;
    void stepDay(int days);

protected:
    void FormShow() override;

private:
    void showDay();
    TDateTime m_day = DateTime::None;
};

extern TDayAttendForm *DayAttendForm;
