#include "printingui/TPrintLimitRihaForm.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "core/TMainModule.h"
#include "printing/ListPrint.h"
#include "printingui/TPrintMenuForm.h"
#include "reportui/PrintoutPreview.h"

TPrintLimitRihaForm *PrintLimitRihaForm = nullptr;

TPrintLimitRihaForm::TPrintLimitRihaForm(AppContext &context, QWidget *parent)
    : KanaListForm(
          context, [] { return static_cast<QWidget *>(PrintMenuForm); }, GridLook::Plain, parent),
      m_list(context.database, context.mainModule.FacilityName)
{
    setObjectName(QStringLiteral("PrintLimitRihaForm"));
    setWindowTitle(QStringLiteral("計画書期限参照（印刷）"));
    setList(m_list, m_list.PrintLimitRihaQuery, PlanLimitList::Columns, &PlanLimitList::cellText);
}

void TPrintLimitRihaForm::PlanBtnClick()
{
    openList(PlanLimitList::Kind::CurePlan);
}

void TPrintLimitRihaForm::PractBtnClick()
{
    openList(PlanLimitList::Kind::PracticePlan);
}

void TPrintLimitRihaForm::openList(PlanLimitList::Kind kind)
{
    KanaListForm::openList([this, kind] { return m_list.open(kind, Clock::today()); });
}

void TPrintLimitRihaForm::PrintBtnClick()
{
    if (!m_list.PrintLimitRihaQuery.isOpen())
        return;
    ListPrint print = m_list.printout();
    PrintoutPreview::show(print.report(), m_context.appDir + u'/' + PlanLimitList::TemplateName.toString());
    // The next print lists the users again.
    m_list.close();
    reload();
    setListButtons(false);
}
