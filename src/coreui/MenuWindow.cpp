#include "coreui/MenuWindow.h"

#include "core/AppContext.h"
#include "coreui/TMainForm.h"

#include <QCloseEvent>
#include <QShowEvent>

#include <algorithm>

MenuWindow::MenuWindow(AppContext &context, std::function<QWidget *()> opener, int panelTop, int topReserve,
                       QWidget *parent)
    : QMainWindow(parent), m_context(context), m_opener(std::move(opener)), m_panelTop(panelTop),
      m_topReserve(topReserve)
{
    auto *client = new QWidget(this);
    setCentralWidget(client);
    MainPanel = new QWidget(client);
    MainPanel->setObjectName(QStringLiteral("MainPanel"));
}

void MenuWindow::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        QWidget *opener = m_opener ? m_opener() : nullptr;
        TMainForm::ApplyWindowState(this, m_context.winState(), opener);
        if (opener)
            opener->hide();
        FormShow();
    }
    QMainWindow::showEvent(event);
    placePanel();
}

void MenuWindow::closeEvent(QCloseEvent *event)
{
    if (!CanClose()) {
        event->ignore();
        return;
    }
    if (QWidget *opener = m_opener ? m_opener() : nullptr)
        opener->show();
    QMainWindow::closeEvent(event);
}

void MenuWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    placePanel();
}

void MenuWindow::placePanel()
{
    const QWidget *client = centralWidget();
    const int left = std::max(0, (client->width() - MainPanel->width()) / 2);
    const int top =
        m_panelTop >= 0 ? m_panelTop : std::max(0, (client->height() - MainPanel->height() - m_topReserve) / 2);
    MainPanel->move(left, top);
}
