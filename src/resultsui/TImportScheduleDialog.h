#pragma once

#include "base/DateTime.h"
#include "results/ScheduleCopy.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QDateEdit;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
struct AppContext;

// インポート　スケジュール: lists the bookings of a date range and copies the
// chosen ones into results. Result 1 when a copy ran to its end, 2 on
// cancel or failure; FromDate tells the sheet which month to show.
class TImportScheduleDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TImportScheduleDialog(AppContext &context, QWidget *parent = nullptr);

    TDateTime FromDate = DateTime::None;
    TDateTime ToDate = DateTime::None;
    int StuffCode = -1;

    [[nodiscard]] const std::vector<ScheduleCopy::Booking> &bookings() const { return m_bookings; }

    QDateEdit *FromDatePicker = nullptr;
    QDateEdit *ToDatePicker = nullptr;
    QComboBox *StuffBox = nullptr;
    QPushButton *DisplayBtn = nullptr;
    QTableWidget *DBGrid1 = nullptr;
    QPushButton *AllSelectBtn = nullptr;
    QPushButton *EraseBtn = nullptr;
    QProgressBar *StatBar = nullptr;
    QPushButton *ImportBtn = nullptr;
    QPushButton *ReturnButton = nullptr;

    void DisplayBtnClick();
    void ImportBtnClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fillGrid();
    void selectionChanged();

    AppContext &m_context;
    ScheduleCopy m_copy;
    std::vector<ScheduleCopy::Booking> m_bookings;
};

extern TImportScheduleDialog *ImportScheduleDialog;
