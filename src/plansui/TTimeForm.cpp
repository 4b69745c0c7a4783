#include "plansui/TTimeForm.h"

#include "coreui/EnterKeyGuard.h"
#include "plans/PracticeRules.h"

#include <QLabel>
#include <QPushButton>

TTimeForm *TimeForm = nullptr;

TTimeForm::TTimeForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TimeForm"));
    setWindowTitle(QStringLiteral("到達時期"));
    setFixedSize(212, 268);
    NumLabel = new QLabel(this);
    NumLabel->setObjectName(QStringLiteral("NumLabel"));
    NumLabel->setGeometry(12, 12, 188, 32);
    NumLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    NumLabel->setFrameShape(QFrame::Panel);
    NumLabel->setFrameShadow(QFrame::Sunken);
    QFont big = NumLabel->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    NumLabel->setFont(big);
    const QString fullDigits = QStringLiteral("０１２３４５６７８９");
    for (int digit = 0; digit <= 9; ++digit) {
        auto *button = new QPushButton(fullDigits.at(digit), this);
        button->setObjectName(QStringLiteral("Num%1Button").arg(digit));
        // 7 8 9 / 4 5 6 / 1 2 3 / 0, as on a keypad.
        const int row = digit == 0 ? 3 : 2 - (digit - 1) / 3;
        const int column = digit == 0 ? 0 : (digit - 1) % 3;
        button->setGeometry(12 + column * 64, 56 + row * 44, 60, 40);
        connect(button, &QPushButton::clicked, this,
                [this, digit] { NumLabel->setText(NumLabel->text() + QString::number(digit)); });
    }
    ClearButton = new QPushButton(QStringLiteral("クリア"), this);
    ClearButton->setObjectName(QStringLiteral("ClearButton"));
    ClearButton->setGeometry(76, 188, 124, 40);
    MButton = new QPushButton(QStringLiteral("月"), this);
    MButton->setObjectName(QStringLiteral("MButton"));
    MButton->setGeometry(12, 232, 92, 30);
    KButton = new QPushButton(QStringLiteral("カ月"), this);
    KButton->setObjectName(QStringLiteral("KButton"));
    KButton->setGeometry(108, 232, 92, 30);
    connect(ClearButton, &QPushButton::clicked, NumLabel, &QLabel::clear);
    connect(MButton, &QPushButton::clicked, this, [this] { done(MonthResult); });
    connect(KButton, &QPushButton::clicked, this, &QDialog::accept);
    EnterKeyGuard::install(this);
}

void TTimeForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    NumLabel->clear();
}

void TTimeForm::done(int result)
{
    Value = PracticeRules::keypadValue(NumLabel->text());
    QDialog::done(result);
}
