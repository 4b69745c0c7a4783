#include "printingui/PrintWorkForm.h"

#include "core/AppContext.h"
#include "coreui/TMainForm.h"
#include "printingui/TPrintMenuForm.h"

#include <QShowEvent>

PrintWorkForm::PrintWorkForm(AppContext &context, const QString &name, const QString &caption, QSize panelSize,
                             QWidget *parent)
    : QWidget(parent), m_context(context)
{
    setObjectName(name);
    setWindowTitle(caption);
    resize(panelSize + QSize(40, 40));
    MainPanel = new QWidget(this);
    MainPanel->setObjectName(QStringLiteral("MainPanel"));
    MainPanel->setFixedSize(panelSize);
}

void PrintWorkForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (PrintMenuForm)
        PrintMenuForm->hide();
    TMainForm::ApplyWindowState(this, m_context.winState());
    TMainForm::CentrePanel(MainPanel);
    formShown();
}

void PrintWorkForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    TMainForm::CentrePanel(MainPanel);
}

void PrintWorkForm::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    formClosed();
    if (PrintMenuForm)
        PrintMenuForm->show();
}
