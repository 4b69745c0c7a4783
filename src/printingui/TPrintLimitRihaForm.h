#pragma once

#include "printing/PlanLimitList.h"
#include "printingui/KanaListForm.h"

// 計画書期限参照（印刷）: the users still in care whose latest treatment or
// practice plan is older than three months, with kana filters and the
// printed list. Shown by the print menu, which it hides while it is open.
class TPrintLimitRihaForm : public KanaListForm
{
    Q_OBJECT
public:
    explicit TPrintLimitRihaForm(AppContext &context, QWidget *parent = nullptr);

    [[nodiscard]] PlanLimitList &list() { return m_list; }

    void PlanBtnClick() override;
    void PractBtnClick() override;
    void PrintBtnClick() override;

protected:
    void closeList() override { m_list.close(); }

private:
    void openList(PlanLimitList::Kind kind);

    PlanLimitList m_list;
};

extern TPrintLimitRihaForm *PrintLimitRihaForm;
