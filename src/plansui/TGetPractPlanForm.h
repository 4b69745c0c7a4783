#pragma once

#include "plans/PracticeStore.h"
#include "plansui/PlanChooserDialog.h"

struct AppContext;

// The practice plan picker: a user (mode 1, CureNo) or one of the user's
// practice plans by plan day (mode 2, PractNo).
class TGetPractPlanForm : public PlanChooserDialog
{
    Q_OBJECT

public:
    explicit TGetPractPlanForm(AppContext &context, QWidget *parent = nullptr);

    qint32 PractNo = 0;

protected:
    [[nodiscard]] std::optional<std::vector<Entry>> plansOf(int cureNo) const override;
    void setChosen(qint32 key) override { PractNo = key; }

private:
    PracticeStore m_store;
};

extern TGetPractPlanForm *GetPractPlanForm;
