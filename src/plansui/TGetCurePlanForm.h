#pragma once

#include "plans/PlanStore.h"
#include "plansui/PlanChooserDialog.h"

struct AppContext;

// The treatment plan picker: a user (mode 1, CureNo) or one of the user's
// plans by registration date (mode 2, PlanNo).
class TGetCurePlanForm : public PlanChooserDialog
{
    Q_OBJECT

public:
    explicit TGetCurePlanForm(AppContext &context, QWidget *parent = nullptr);

    qint32 PlanNo = 0;

protected:
    [[nodiscard]] std::optional<std::vector<Entry>> plansOf(int cureNo) const override;
    void setChosen(qint32 key) override { PlanNo = key; }

private:
    PlanStore m_store;
};

extern TGetCurePlanForm *GetCurePlanForm;
