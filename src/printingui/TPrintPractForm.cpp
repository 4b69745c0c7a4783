#include "printingui/TPrintPractForm.h"

#include "core/AppContext.h"
#include "printing/PracticePlanReport.h"
#include "printingui/PracticePlanPrintout.h"

TPrintPractForm *PrintPractForm = nullptr;

TPrintPractForm::TPrintPractForm(AppContext &context, QWidget *parent)
    : PlanPrintForm(context, PracticePlanReport::listStatement(), PracticePlanReport::ListColumns,
                    QStringLiteral("PractNo"), parent)
{
    setObjectName(QStringLiteral("PrintPractForm"));
    setWindowTitle(QStringLiteral("リハビリ実施計画書（印刷）"));
}

QString TPrintPractForm::notListedMessage() const
{
    return QStringLiteral("*** SystemError : 印刷データがありません。");
}

void TPrintPractForm::print(const std::vector<int> &keys)
{
    PracticePlanPrintout::show(m_context, keys);
}
