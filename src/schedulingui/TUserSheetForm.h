#pragma once

#include "base/DateTime.h"
#include "coreui/MenuWindow.h"

#include <array>

class QLabel;
class QTableWidget;
class QToolButton;
class TOpenCureDialog;

// 治療予約状況サマリー: who is booked on which day of a month.
class TUserSheetForm : public MenuWindow
{
    Q_OBJECT
public:
    explicit TUserSheetForm(AppContext &context);

    QToolButton *OpenButton = nullptr;
    QToolButton *CloseButton = nullptr;
    std::array<QLabel *, 31> DayLabels{};  // "L1" .. "L31"
    std::array<QLabel *, 31> WeekLabels{}; // "w1" .. "w31"
    QTableWidget *StrGrid = nullptr;
    TOpenCureDialog *OpenCureDialog = nullptr;

    void OpenButtonClick();

protected:
    void FormShow() override;

private:
    void clearTable(int rows);
    void showHeader(TDateTime month);
};

extern TUserSheetForm *UserSheetForm;
