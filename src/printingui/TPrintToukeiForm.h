#pragma once

#include "printing/ToukeiCounts.h"
#include "printingui/PrintWorkForm.h"

#include <array>

class MonthUpDown;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// 統計情報（印刷）: the three-month statistics of the treatment types,
// shown in a grid, printed, and the months' results written as CSV files.
class TPrintToukeiForm : public PrintWorkForm
{
    Q_OBJECT

public:
    explicit TPrintToukeiForm(AppContext &context, QWidget *parent = nullptr);

    [[nodiscard]] const ToukeiCounts &counts() const { return m_counts; }

    void ResultLoadBtnClick();
    void CancelButtonClick();
    void PrintButtonClick();
    void CSVButtonClick();

    QLabel *YearMonthLabel = nullptr;
    MonthUpDown *Hizuke = nullptr;
    QPushButton *ResultLoadBtn = nullptr;
    QTableWidget *StringGrid1 = nullptr;
    // Month titles over the grid: 0 is M-2, 2 is M.
    std::array<QLabel *, 3> YYMMTitle{};
    // The CSV paths' labels, inputs and buttons: 0 is M, 2 is M-2.
    std::array<QLabel *, 3> BLbl{};
    std::array<QLineEdit *, 3> BEdit{};
    std::array<QPushButton *, 3> BButton{};
    QPushButton *PrintButton = nullptr;
    QPushButton *CSVButton = nullptr;
    QPushButton *CancelButton = nullptr;
    QPushButton *ReturnButton = nullptr;

protected:
    void formShown() override;
    void formClosed() override {}

private:
    void showMonth();
    void setCounted(bool counted);
    void choosePath(int month);
    [[nodiscard]] QString &setting(int month) const;

    ToukeiCounts m_counts;
};

extern TPrintToukeiForm *PrintToukeiForm;
