#include "printingui/TPrintRihaForm.h"

#include "core/AppContext.h"
#include "core/TMainModule.h"
#include "printing/CurePlanReport.h"
#include "printingui/CurePlanPrintout.h"

#include <QPushButton>

TPrintRihaForm *PrintRihaForm = nullptr;

TPrintRihaForm::TPrintRihaForm(AppContext &context, QWidget *parent)
    : PlanPrintForm(context, CurePlanReport::listStatement(), CurePlanReport::ListColumns, QStringLiteral("PlanNo"),
                    parent)
{
    setObjectName(QStringLiteral("PrintRihaForm"));
    setWindowTitle(QStringLiteral("リハビリ治療計画書（印刷）"));
    NewBtn2 = addTwin(NewBtn, QStringLiteral("NewBtn2"), {250, 574});
    AllBtn2 = addTwin(AllBtn, QStringLiteral("AllBtn2"), {370, 574});
    AllSelectBtn2 = addTwin(AllSelectBtn, QStringLiteral("AllSelectBtn2"), {420, 10});
    EraseBtn2 = addTwin(EraseBtn, QStringLiteral("EraseBtn2"), {540, 10});
    ReturnButton2 = addTwin(ReturnButton, QStringLiteral("ReturnButton2"), {780, 10});
}

QString TPrintRihaForm::notListedMessage() const
{
    return NoSelectionMessage.toString();
}

void TPrintRihaForm::print(const std::vector<int> &keys)
{
    CurePlanPrintout::show(m_context.appDir, m_context.database, m_context.mainModule.FacilityName, keys);
    // The list is read again before the next print.
    list().close();
    showRows();
    setListButtons(false);
}
