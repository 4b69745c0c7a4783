#pragma once

#include "base/DateTime.h"
#include "printing/PersonResultPlans.h"
#include "printingui/PrintWorkForm.h"

#include <array>

class MonthUpDown;
class PersonResultGridModel;
class QLabel;
class QPushButton;
class SelectionGrid;

// リハビリ実績記録書（印刷）: the users whose plans are valid in a month,
// picked in a grid, each printed as the month's results record.
class TPrintPersonResultForm : public PrintWorkForm
{
    Q_OBJECT

public:
    explicit TPrintPersonResultForm(AppContext &context, QWidget *parent = nullptr);
    ~TPrintPersonResultForm() override;

    [[nodiscard]] TDateTime monthStart() const { return m_month; }

    void DisplayBtnClick();
    void PrintBtnClick();

    QLabel *YearMonthLabel = nullptr;
    MonthUpDown *Hizuke = nullptr;
    QPushButton *DisplayBtn = nullptr;
    QLabel *CountLabel = nullptr;
    SelectionGrid *DBGrid1 = nullptr;
    std::array<QPushButton *, 10> KanaBtn{};
    QPushButton *AllDispBtn = nullptr;
    QPushButton *AllSelectBtn = nullptr;
    QPushButton *EraseBtn = nullptr;
    QPushButton *PrintBtn = nullptr;
    QPushButton *ReturnButton = nullptr;

protected:
    void formShown() override;
    void formClosed() override;

private:
    void setMonth(TDateTime month);
    void closeList();
    void setListButtons(bool enabled);

    PersonResultPlans m_plans;
    PersonResultGridModel *m_model = nullptr;
    TDateTime m_month = DateTime::None;
};

extern TPrintPersonResultForm *PrintPersonResultForm;
