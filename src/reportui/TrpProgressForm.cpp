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
    Label1->setMinimumWidth(260);
    Button1 = new QPushButton(QStringLiteral("Cancel"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    connect(Button1, &QPushButton::clicked, this, &TrpProgressForm::Button1Click);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    setFixedSize(sizeHint());
}

int TrpProgressForm::run(const QString &caption, const QString &text, Job job)
{
    setWindowTitle(caption);
    setText(text);
    m_job = std::move(job);
    m_terminated = false;
    return Dialogs::exec(this);
}

void TrpProgressForm::setText(const QString &text)
{
    Label1->setText(text);
}

void TrpProgressForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The job runs once the modal loop is going, so that Cancel reaches it.
    if (m_job)
        QMetaObject::invokeMethod(this, &TrpProgressForm::runJob, Qt::QueuedConnection);
}

void TrpProgressForm::runJob()
{
    Job job = std::exchange(m_job, Job());
    if (!job)
        return;
    job();
    if (isVisible())
        finish();
}

void TrpProgressForm::finish()
{
    done(m_terminated ? QDialog::Rejected : QDialog::Accepted);
}

void TrpProgressForm::Button1Click()
{
    m_terminated = true;
    done(QDialog::Rejected);
}
