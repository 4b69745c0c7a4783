#include "plansui/TGetCurePlanForm.h"

#include "core/AppContext.h"
#include "core/EraDate.h"

TGetCurePlanForm *GetCurePlanForm = nullptr;

TGetCurePlanForm::TGetCurePlanForm(AppContext &context, QWidget *parent)
    : PlanChooserDialog({QStringLiteral("治療計画確認"),
                         QStringLiteral("計画登録日を選択して下さい。"),
                         QStringLiteral("該当する利用者の治療計画書がありません。\n確認してください。"),
                         {QStringLiteral("計画登録日"), QStringLiteral("計画終了日")}},
                        parent),
      m_store(context.database)
{
    setObjectName(QStringLiteral("GetCurePlanForm"));
}

std::optional<std::vector<PlanChooserDialog::Entry>> TGetCurePlanForm::plansOf(int cureNo) const
{
    const std::optional<std::vector<PlanStore::PlanEntry>> plans = m_store.plansOf(cureNo);
    if (!plans)
        return std::nullopt;
    std::vector<Entry> entries;
    for (const PlanStore::PlanEntry &plan : *plans)
        entries.push_back({plan.PlanNo, {FormatEraDate(plan.PlanRegistDay), FormatEraDate(plan.PlanEndDay)}});
    return entries;
}
