#include "coreui/TSystemMenuForm.h"

#include "core/AppContext.h"
#include "coreui/TMainForm.h"
#include "platform/DialogService.h"

#include <QDialog>
#include <QPushButton>

TSystemMenuForm *SystemMenuForm = nullptr;

namespace {

QPushButton *addPanelButton(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry,
                            int pixelSize)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    QFont font = button->font();
    font.setBold(true);
    font.setPixelSize(pixelSize);
    button->setFont(font);
    return button;
}

} // namespace

TSystemMenuForm::TSystemMenuForm(AppContext &context, QWidget *parent) : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("SystemMenuForm"));
    setWindowTitle(QStringLiteral("システム設定"));
    resize(800, 600);
    MenuPanel = new QWidget(this);
    MenuPanel->setObjectName(QStringLiteral("MenuPanel"));
    MenuPanel->resize(420, 330);
    GamenSizeChange = addPanelButton(MenuPanel, QStringLiteral("GamenSizeChange"), QStringLiteral("画面表示"),
                                     {20, 20, 380, 100}, 20);
    connect(GamenSizeChange, &QPushButton::clicked, this, &TSystemMenuForm::GamenSizeChangeClick);
    ImPanel = addPanelButton(MenuPanel, QStringLiteral("ImPanel"), QStringLiteral("他システムデータ取り込み"),
                             {20, 134, 380, 100}, 20);
    connect(ImPanel, &QPushButton::clicked, this, &TSystemMenuForm::ImPanelClick);
    Button2 = addPanelButton(MenuPanel, QStringLiteral("Button2"), QStringLiteral("閉じる"), {110, 260, 200, 50}, 14);
    connect(Button2, &QPushButton::clicked, this, &QWidget::close);
}

void TSystemMenuForm::showEvent(QShowEvent *event)
{
    if (MainForm)
        MainForm->hide();
    TMainForm::ApplyWindowState(this, m_context.winState());
    QWidget::showEvent(event);
    centreMenuPanel();
}

void TSystemMenuForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    centreMenuPanel();
}

void TSystemMenuForm::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (MainForm)
        MainForm->show();
}

void TSystemMenuForm::centreMenuPanel()
{
    const QSize outer = frameGeometry().size();
    MenuPanel->move((outer.width() - MenuPanel->width()) / 2, (outer.height() - MenuPanel->height()) / 2);
}

void TSystemMenuForm::GamenSizeChangeClick()
{
    const bool maximise = !isMaximized();
    m_context.registory.WinState = maximise ? QStringLiteral("wsMaximized") : QStringLiteral("wsNormal");
    TMainForm::ApplyWindowState(this, m_context.registory.WinState);
    close();
}

void TSystemMenuForm::ImPanelClick()
{
    if (m_partnerForm)
        Dialogs::exec(m_partnerForm);
}
