#include "printingui/PlanPrintForm.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "coreui/FormParts.h"
#include "platform/DialogService.h"
#include "printingui/PlanPickGrid.h"
#include "printingui/TPrintMenuForm.h"

#include <QCloseEvent>
#include <QPushButton>

#include <algorithm>

PlanPrintForm::PlanPrintForm(AppContext &context, PlanPrintList::Statement statement,
                             std::span<const GridColumn> columns, QString keyField, QWidget *parent)
    : MenuWindow(
          context, [] { return static_cast<QWidget *>(PrintMenuForm); }, -1, 0, parent),
      m_list(context.database, std::move(statement)), m_keyField(std::move(keyField))
{
    resize(960, 680);
    MainPanel->setFixedSize(900, 622);
    NewBtn = FormParts::addButton(MainPanel, QStringLiteral("NewBtn"), QStringLiteral("最新"), QRect(10, 10, 110, 36));
    NewBtn->setToolTip(QStringLiteral("３ヶ月以内の利用者"));
    AllBtn = FormParts::addButton(MainPanel, QStringLiteral("AllBtn"), QStringLiteral("全て"), QRect(130, 10, 110, 36));
    AllBtn->setToolTip(QStringLiteral("全ての利用者"));
    Grid = new PlanPickGrid(m_list, columns, MainPanel);
    Grid->setGeometry(10, 58, 880, 504);
    AllSelectBtn = FormParts::addButton(MainPanel, QStringLiteral("AllSelectBtn"), QStringLiteral("全選択"),
                                        QRect(10, 574, 110, 36));
    EraseBtn =
        FormParts::addButton(MainPanel, QStringLiteral("EraseBtn"), QStringLiteral("全取消"), QRect(130, 574, 110, 36));
    PrintBtn =
        FormParts::addButton(MainPanel, QStringLiteral("PrintBtn"), QStringLiteral("印刷"), QRect(660, 574, 110, 36));
    ReturnButton = FormParts::addButton(MainPanel, QStringLiteral("ReturnButton"), QStringLiteral("戻る"),
                                        QRect(780, 574, 110, 36));

    connect(NewBtn, &QPushButton::clicked, this, &PlanPrintForm::NewBtnClick);
    connect(AllBtn, &QPushButton::clicked, this, &PlanPrintForm::AllBtnClick);
    connect(AllSelectBtn, &QPushButton::clicked, Grid, &PlanPickGrid::selectAll);
    connect(EraseBtn, &QPushButton::clicked, Grid, &PlanPickGrid::clearSelection);
    connect(PrintBtn, &QPushButton::clicked, this, &PlanPrintForm::PrintBtnClick);
    connect(ReturnButton, &QPushButton::clicked, this, &QWidget::close);
    m_listButtons = {AllSelectBtn, EraseBtn, PrintBtn};
    setListButtons(false);
}

void PlanPrintForm::FormShow()
{
    setListButtons(false);
}

void PlanPrintForm::closeEvent(QCloseEvent *event)
{
    MenuWindow::closeEvent(event);
    m_list.close();
    showRows();
}

void PlanPrintForm::setListButtons(bool enabled)
{
    Grid->setButtonsEnabled(enabled);
    for (QPushButton *button : m_listButtons)
        button->setEnabled(enabled);
}

QPushButton *PlanPrintForm::addTwin(QPushButton *first, const QString &name, const QPoint &place)
{
    QPushButton *twin = FormParts::addButton(MainPanel, name, first->text(), QRect(place, first->size()));
    twin->setToolTip(first->toolTip());
    twin->setEnabled(first->isEnabled());
    connect(twin, &QPushButton::clicked, first, &QPushButton::click);
    if (std::find(m_listButtons.begin(), m_listButtons.end(), first) != m_listButtons.end())
        m_listButtons.push_back(twin);
    return twin;
}

void PlanPrintForm::showRows()
{
    Grid->reload();
}

void PlanPrintForm::NewBtnClick()
{
    openList(true);
}

void PlanPrintForm::AllBtnClick()
{
    openList(false);
}

void PlanPrintForm::openList(bool latest)
{
    const bool opened = latest ? m_list.openLatest(Clock::today()) : m_list.openAll();
    showRows();
    if (!opened) {
        setListButtons(false);
        Dialogs::information(QStringLiteral("System Error\n表示に失敗しました。"));
        return;
    }
    setListButtons(m_list.hasRows());
}

void PlanPrintForm::PrintBtnClick()
{
    if (!m_list.Rows.isOpen()) {
        Dialogs::information(notListedMessage());
        return;
    }
    const std::vector<int> keys = m_list.keysAt(Grid->selectedPositions(), m_keyField);
    if (keys.empty()) {
        Dialogs::information(NoSelectionMessage.toString());
        return;
    }
    print(keys);
}
