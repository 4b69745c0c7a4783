#include "plansui/TPaperMenuForm.h"

#include "core/AppContext.h"
#include "coreui/TMainForm.h"
#include "platform/DialogService.h"

#include <QCloseEvent>
#include <QDialog>
#include <QPushButton>

TPaperMenuForm *PaperMenuForm = nullptr;

TPaperMenuForm::TPaperMenuForm(AppContext &context, QWidget *parent) : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("PaperMenuForm"));
    setWindowTitle(QStringLiteral("書卓"));
    resize(800, 600);
    MenuPanel = new QWidget(this);
    MenuPanel->setObjectName(QStringLiteral("MenuPanel"));
    MenuPanel->setFixedSize(420, 330);

    const auto entry = [this](const QString &name, const QString &caption, int top) {
        auto *button = new QPushButton(caption, MenuPanel);
        button->setObjectName(name);
        button->setGeometry(40, top, 340, 56);
        QFont font = button->font();
        font.setPointSizeF(font.pointSizeF() * 1.3);
        font.setBold(true);
        button->setFont(font);
        return button;
    };
    CurePlanBtn = entry(QStringLiteral("CurePlanBtn"), QStringLiteral("リハビリ治療計画書"), 20);
    PracticePlanBtn = entry(QStringLiteral("PracticePlanBtn"), QStringLiteral("リハビリ実施計画書"), 96);
    MissingListBtn = entry(QStringLiteral("MissingListBtn"), QStringLiteral("未登録リスト"), 172);
    ReturnBtn = entry(QStringLiteral("ReturnBtn"), QStringLiteral("戻る"), 254);

    connect(CurePlanBtn, &QPushButton::clicked, this, [this] {
        if (m_curePlan)
            m_curePlan->show();
    });
    connect(PracticePlanBtn, &QPushButton::clicked, this, [this] {
        if (auto *dialog = qobject_cast<QDialog *>(m_practicePlan))
            Dialogs::exec(dialog);
    });
    connect(MissingListBtn, &QPushButton::clicked, this, [this] {
        if (m_missingPlans)
            m_missingPlans->show();
    });
    connect(ReturnBtn, &QPushButton::clicked, this, &QWidget::close);
    SetForms(nullptr, nullptr, nullptr);
}

void TPaperMenuForm::SetForms(QWidget *curePlan, QWidget *practicePlan, QWidget *missingPlans)
{
    m_curePlan = curePlan;
    m_practicePlan = practicePlan;
    m_missingPlans = missingPlans;
    CurePlanBtn->setEnabled(curePlan != nullptr);
    PracticePlanBtn->setEnabled(qobject_cast<QDialog *>(practicePlan) != nullptr);
    MissingListBtn->setEnabled(missingPlans != nullptr);
}

void TPaperMenuForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (MainForm)
        MainForm->hide();
    TMainForm::ApplyWindowState(this, m_context.winState());
    TMainForm::CentrePanel(MenuPanel);
}

void TPaperMenuForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    TMainForm::CentrePanel(MenuPanel);
}

void TPaperMenuForm::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted() && MainForm)
        MainForm->show();
}
