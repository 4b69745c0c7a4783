#include "plansui/TPrintOutstandingForm.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "core/TMainModule.h"
#include "plans/OutstandingPrint.h"
#include "plansui/TPaperMenuForm.h"
#include "reportui/PrintoutPreview.h"

TPrintOutstandingForm *PrintOutstandingForm = nullptr;

TPrintOutstandingForm::TPrintOutstandingForm(AppContext &context, QWidget *parent)
    : KanaListForm(
          context, [] { return static_cast<QWidget *>(PaperMenuForm); }, GridLook::Alternating, parent),
      m_list(context.database)
{
    setObjectName(QStringLiteral("PrintOutstandingForm"));
    setWindowTitle(QStringLiteral("計画書未登録者リスト(印刷)"));
    setList(m_list, m_list.PrintOutStandingQuery, OutstandingList::Columns, &OutstandingList::columnText);
}

void TPrintOutstandingForm::PlanBtnClick()
{
    openList(OutstandingList::Kind::CurePlan);
}

void TPrintOutstandingForm::PractBtnClick()
{
    openList(OutstandingList::Kind::PracticePlan);
}

void TPrintOutstandingForm::openList(OutstandingList::Kind kind)
{
    KanaListForm::openList([this, kind] { return m_list.open(kind); });
}

void TPrintOutstandingForm::PrintBtnClick()
{
    if (!m_list.hasRows())
        return;
    OutstandingPrint print(m_list, m_context.mainModule.FacilityName, Clock::now());
    PrintoutPreview::show(print.report(), m_context.appDir + u'/' + OutstandingList::TemplateName.toString());
}
