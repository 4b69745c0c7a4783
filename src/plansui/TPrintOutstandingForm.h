#pragma once

#include "plans/OutstandingList.h"
#include "printingui/KanaListForm.h"

// The list of users who lack a treatment or a practice plan, with its kana
// filters and its printout. Shown by the plan-papers menu, which it hides
// while it is open.
class TPrintOutstandingForm : public KanaListForm
{
    Q_OBJECT

public:
    explicit TPrintOutstandingForm(AppContext &context, QWidget *parent = nullptr);

    [[nodiscard]] OutstandingList &list() { return m_list; }

    void PlanBtnClick() override;
    void PractBtnClick() override;
    void PrintBtnClick() override;

protected:
    void closeList() override { m_list.close(); }

private:
    void openList(OutstandingList::Kind kind);

    OutstandingList m_list;
};

extern TPrintOutstandingForm *PrintOutstandingForm;
