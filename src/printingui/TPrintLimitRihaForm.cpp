#include "printingui/TPrintLimitRihaForm.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "core/TMainModule.h"
#include "coreui/FormParts.h"
#include "platform/DialogService.h"
#include "printing/ListPrint.h"
#include "printingui/KanaRowButtons.h"
#include "printingui/TPrintMenuForm.h"
#include "reportui/PrintoutPreview.h"
#include "users/DataSetGridModel.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>

TPrintLimitRihaForm *PrintLimitRihaForm = nullptr;

namespace {

class PlanLimitGridModel : public DataSetGridModel
{
public:
    PlanLimitGridModel(const DbDataSet &rows, QObject *parent) : DataSetGridModel(rows, PlanLimitList::Columns, parent)
    {}

protected:
    [[nodiscard]] QString text(int column, const DbValue &value) const override
    {
        return PlanLimitList::cellText(column, value);
    }
};

} // namespace

TPrintLimitRihaForm::TPrintLimitRihaForm(AppContext &context, QWidget *parent)
    : MenuWindow(
          context, [] { return static_cast<QWidget *>(PrintMenuForm); }, -1, 0, parent),
      m_list(context.database, context.mainModule.FacilityName)
{
    setObjectName(QStringLiteral("PrintLimitRihaForm"));
    setWindowTitle(QStringLiteral("計画書期限参照（印刷）"));
    resize(960, 680);
    MainPanel->setFixedSize(900, 620);
    PlanBtn = FormParts::addButton(MainPanel, QStringLiteral("PlanBtn"), QStringLiteral("リハビリ治療計画書表示"),
                                   QRect(10, 10, 220, 36));
    PractBtn = FormParts::addButton(MainPanel, QStringLiteral("PractBtn"), QStringLiteral("リハビリ実施計画書表示"),
                                    QRect(240, 10, 220, 36));
    KanaBtn = KanaRowButtons::add(MainPanel, QPoint(10, 56), QSize(40, 30), 44, [this](UserSearch::KanaRow row) {
        m_list.filterByKanaRow(row);
        reload();
    });
    AllDispBtn =
        FormParts::addButton(MainPanel, QStringLiteral("AllDispBtn"), QStringLiteral("全て"), QRect(454, 56, 60, 30));
    m_model = new PlanLimitGridModel(m_list.PrintLimitRihaQuery, this);
    DBGrid1 = new QTableView(MainPanel);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setGeometry(10, 96, 880, 470);
    DBGrid1->setModel(m_model);
    for (int c = 0; c < int(PlanLimitList::Columns.size()); ++c)
        DBGrid1->setColumnWidth(c, PlanLimitList::Columns[size_t(c)].width);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->verticalHeader()->hide();
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::MultiSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PrintBtn =
        FormParts::addButton(MainPanel, QStringLiteral("PrintBtn"), QStringLiteral("印刷"), QRect(660, 576, 110, 36));
    ReturnButton = FormParts::addButton(MainPanel, QStringLiteral("ReturnButton"), QStringLiteral("戻る"),
                                        QRect(780, 576, 110, 36));

    connect(PlanBtn, &QPushButton::clicked, this, &TPrintLimitRihaForm::PlanBtnClick);
    connect(PractBtn, &QPushButton::clicked, this, &TPrintLimitRihaForm::PractBtnClick);
    connect(AllDispBtn, &QPushButton::clicked, this, [this] {
        m_list.showAll();
        reload();
    });
    connect(PrintBtn, &QPushButton::clicked, this, &TPrintLimitRihaForm::PrintBtnClick);
    connect(ReturnButton, &QPushButton::clicked, this, &QWidget::close);
    setListButtons(false);
}

TPrintLimitRihaForm::~TPrintLimitRihaForm() = default;

void TPrintLimitRihaForm::FormShow()
{
    setListButtons(false);
}

void TPrintLimitRihaForm::closeEvent(QCloseEvent *event)
{
    MenuWindow::closeEvent(event);
    if (!event->isAccepted())
        return;
    m_list.close();
    m_model->reload();
}

void TPrintLimitRihaForm::setListButtons(bool enabled)
{
    for (QPushButton *button : KanaBtn)
        button->setEnabled(enabled);
    AllDispBtn->setEnabled(enabled);
    PrintBtn->setEnabled(enabled);
}

void TPrintLimitRihaForm::reload()
{
    DBGrid1->clearSelection();
    m_model->reload();
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
    setListButtons(false);
    const bool opened = m_list.open(kind, Clock::today());
    reload();
    if (!opened) {
        Dialogs::information(QStringLiteral("System Error\n表示に失敗しました。"));
        return;
    }
    setListButtons(m_list.hasRows());
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
