#include "schedulingui/TStuffTimeForm.h"

#include "coreui/EnterKeyGuard.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>

TStuffTimeForm::TStuffTimeForm(QWidget *parent)
    : SlotDialog(QStringLiteral("StuffTimeForm"), QStringLiteral("時間枠"), parent)
{
    addTimeRows();
    MenCount = new QSpinBox(this);
    MenCount->setObjectName(QStringLiteral("MenCount"));
    MenCount->setRange(0, 100);
    MenCount->setValue(1);
    auto *counts = new QHBoxLayout;
    counts->addWidget(MenCount);
    for (const auto &[name, value] : {std::pair{u"ZeroButton", 0}, {u"SingleButton", 1}, {u"GroupButton", 40}}) {
        auto *button = new QPushButton(QString::number(value), this);
        button->setObjectName(QString::fromUtf16(name));
        button->setAutoDefault(false);
        button->setFixedWidth(40);
        connect(button, &QPushButton::clicked, MenCount, [this, value] { MenCount->setValue(value); });
        counts->addWidget(button);
    }
    form()->addRow(QStringLiteral("制限人数"), counts);
    connect(SetButton, &QPushButton::clicked, this, [this] {
        if (!readTimeAndMinutes())
            return;
        Capacity = MenCount->value();
        done(QDialog::Accepted);
    });
    EnterKeyGuard::install(this);
}

void TStuffTimeForm::showEvent(QShowEvent *event)
{
    if (NewFrame) {
        showTime(DateTime::None, QString());
    } else {
        showTime(StartTime, QString::number(WorkingMin));
        MenCount->setValue(Capacity);
    }
    SlotDialog::showEvent(event);
}
