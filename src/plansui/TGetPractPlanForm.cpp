#include "plansui/TGetPractPlanForm.h"

#include "core/AppContext.h"
#include "core/EraDate.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

TGetPractPlanForm *GetPractPlanForm = nullptr;

TGetPractPlanForm::TGetPractPlanForm(AppContext &context, QWidget *parent)
    : PlanChooserDialog({QStringLiteral("実施計画確認"),
                         QStringLiteral("実施日を選択して下さい。"),
                         QStringLiteral("該当する利用者の実施計画書がありません。\n確認してください。"),
                         {QStringLiteral("実施日")}},
                        parent),
      m_store(context.database)
{
    setObjectName(QStringLiteral("GetPractPlanForm"));
    SearchBtn->setObjectName(QStringLiteral("SearchButton"));
    ConfirmBtn->setObjectName(QStringLiteral("ConFirmButton"));
    DecideBtn->setObjectName(QStringLiteral("DecideButton"));
    CancelBtn->setObjectName(QStringLiteral("Button4"));
    PlanGrid->setObjectName(QStringLiteral("DBGrid1"));
}

std::optional<std::vector<PlanChooserDialog::Entry>> TGetPractPlanForm::plansOf(int cureNo) const
{
    const std::optional<std::vector<PracticeStore::PracticeEntry>> plans = m_store.plansOf(cureNo);
    if (!plans)
        return std::nullopt;
    std::vector<Entry> entries;
    for (const PracticeStore::PracticeEntry &plan : *plans)
        entries.push_back({plan.PractNo, {FormatEraDate(plan.PrcticeDay)}});
    return entries;
}
