#include "schedulingui/TPersonPropertyForm.h"

#include "coreui/EnterKeyGuard.h"

#include "core/TKubun.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *valueLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setMinimumWidth(220);
    label->setFrameShape(QFrame::StyledPanel);
    return label;
}

} // namespace

TPersonPropertyForm::TPersonPropertyForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PersonPropertyForm"));
    setWindowTitle(QStringLiteral("利用者情報"));
    auto *form = new QFormLayout;
    UserNoLabel = valueLabel(QStringLiteral("UserNoLabel"), this);
    UserNameLabel = valueLabel(QStringLiteral("UserNameLabel"), this);
    NyushoDateLabel = valueLabel(QStringLiteral("NyushoDateLabel"), this);
    TaishoDateLabel = valueLabel(QStringLiteral("TaishoDateLabel"), this);
    UserRihaTypeLabel = valueLabel(QStringLiteral("UserRihaTypeLabel"), this);
    UserKubunLabel = valueLabel(QStringLiteral("UserKubunLabel"), this);
    form->addRow(QStringLiteral("利用者番号"), UserNoLabel);
    form->addRow(QStringLiteral("氏名"), UserNameLabel);
    form->addRow(QStringLiteral("入所(開始)日"), NyushoDateLabel);
    form->addRow(QStringLiteral("退所(終了)日"), TaishoDateLabel);
    form->addRow(QStringLiteral("リハビリ形態"), UserRihaTypeLabel);
    form->addRow(QStringLiteral("区分"), UserKubunLabel);
    auto *close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(close, 0, Qt::AlignRight);
    EnterKeyGuard::install(this);
}

void TPersonPropertyForm::showEvent(QShowEvent *event)
{
    TKubun kubun;
    kubun.SetCode(KubunCode);
    UserNoLabel->setText(QString::number(CureNo));
    UserNameLabel->setText(UserName);
    NyushoDateLabel->setText(DateTime::shortDate(NyushoDate));
    TaishoDateLabel->setText(TaishoDate == DateTime::None ? QString() : DateTime::shortDate(TaishoDate));
    UserRihaTypeLabel->setText(RihaTypeName);
    UserKubunLabel->setText(kubun.LongText());
    QDialog::showEvent(event);
}
