#pragma once

#include "printingui/PlanPrintForm.h"

// リハビリ治療計画書（印刷）: stored treatment plans printed one record each,
// with the user's current values and the plan's body figure. Its list
// buttons and 戻る stand twice.
class TPrintRihaForm : public PlanPrintForm
{
    Q_OBJECT

public:
    explicit TPrintRihaForm(AppContext &context, QWidget *parent = nullptr);

    QPushButton *NewBtn2 = nullptr;
    QPushButton *AllBtn2 = nullptr;
    QPushButton *AllSelectBtn2 = nullptr;
    QPushButton *EraseBtn2 = nullptr;
    QPushButton *ReturnButton2 = nullptr;

protected:
    void print(const std::vector<int> &keys) override;
    [[nodiscard]] QString notListedMessage() const override;
};

extern TPrintRihaForm *PrintRihaForm;
