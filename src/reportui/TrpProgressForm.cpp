#include "reportui/TrpProgressForm.h"

#include "platform/DialogService.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TrpProgressForm::TrpProgressForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("rpProgressForm"));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setMinimumWidth(300);
    Button1 = new QPushButton(QStringLiteral("Cancel"), this);
    Button1->setMinimumWidth(96);
    Button1->setObjectName(QStringLiteral("Button1"));
    connect(Button1, &QPushButton::clicked, this, &TrpProgressForm::reject);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(16);
    layout->addWidget(Label1);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    setFixedSize(sizeHint());
}

bool TrpProgressForm::run(const QString &caption, const QString &label, const std::function<void()> &work)
{
    setWindowTitle(caption);
    setLabel(label);
    m_work = work;
    m_terminated = false;
    m_running = true;
    const int result = Dialogs::exec(this);
    m_running = false;
    m_work = nullptr;
    return result == QDialog::Accepted && !m_terminated;
}

void TrpProgressForm::setLabel(const QString &label)
{
    Label1->setText(label);
}

bool TrpProgressForm::cancelRequested()
{
    QCoreApplication::processEvents();
    return m_terminated;
}

void TrpProgressForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The work runs once the modal loop is going, so that Cancel reaches it.
    if (m_work)
        QMetaObject::invokeMethod(this, &TrpProgressForm::runWork, Qt::QueuedConnection);
}

void TrpProgressForm::runWork()
{
    const std::function<void()> work = std::exchange(m_work, nullptr);
    if (!work)
        return;
    work();
    if (isVisible())
        done(m_terminated ? QDialog::Rejected : QDialog::Accepted);
}

void TrpProgressForm::reject()
{
    m_terminated = true;
    QDialog::reject();
}
