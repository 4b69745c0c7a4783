#pragma once

#include "printingui/PlanPrintForm.h"

// リハビリ実施計画書（印刷）: stored practice plans printed two pages each.
class TPrintPractForm : public PlanPrintForm
{
    Q_OBJECT

public:
    explicit TPrintPractForm(AppContext &context, QWidget *parent = nullptr);

protected:
    void print(const std::vector<int> &keys) override;
    [[nodiscard]] QString notListedMessage() const override;
};

extern TPrintPractForm *PrintPractForm;
