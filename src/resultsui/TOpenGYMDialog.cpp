#include "resultsui/TOpenGYMDialog.h"

#include "base/Clock.h"
#include "core/DateHelpers.h"
#include "coreui/EnterKeyGuard.h"
#include "coreui/EraLineEdit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>

TOpenGYMDialog::TOpenGYMDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("OpenGYMDialog"));
    setWindowTitle(QStringLiteral("開く"));
    setFixedSize(330, 150);
    DateLabel = new QLabel(QStringLiteral("利用年月"), this);
    DateLabel->setObjectName(QStringLiteral("DateLabel"));
    DateLabel->setGeometry(20, 24, 70, 24);
    DateEdit = new EraLineEdit(EraLineEdit::Mode::YearMonth, this);
    DateEdit->setObjectName(QStringLiteral("DateEdit"));
    DateEdit->setGeometry(90, 22, 130, 28);
    UpDown = new QWidget(this);
    UpDown->setObjectName(QStringLiteral("UpDown"));
    UpDown->setGeometry(224, 22, 56, 28);
    auto *arrows = new QHBoxLayout(UpDown);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    UpDownLeft = new QToolButton(UpDown);
    UpDownLeft->setArrowType(Qt::LeftArrow);
    UpDownRight = new QToolButton(UpDown);
    UpDownRight->setArrowType(Qt::RightArrow);
    arrows->addWidget(UpDownLeft);
    arrows->addWidget(UpDownRight);
    SeirekiLabel = new QLabel(this);
    SeirekiLabel->setObjectName(QStringLiteral("SeirekiLabel"));
    SeirekiLabel->setGeometry(90, 56, 190, 22);
    OpenButton = new QPushButton(QStringLiteral("開く"), this);
    OpenButton->setObjectName(QStringLiteral("OpenButton"));
    OpenButton->setGeometry(80, 98, 100, 32);
    OpenButton->setAutoDefault(false);
    CancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(190, 98, 100, 32);
    CancelButton->setAutoDefault(false);

    connect(DateEdit, &QLineEdit::returnPressed, this, &TOpenGYMDialog::readField);
    connect(UpDownLeft, &QToolButton::clicked, this, [this] { step(-1); });
    connect(UpDownRight, &QToolButton::clicked, this, [this] { step(1); });
    // A typed month that reads is the one opened, Enter or not.
    connect(OpenButton, &QPushButton::clicked, this, [this] {
        if (DateEdit->value())
            readField();
        done(1);
    });
    connect(CancelButton, &QPushButton::clicked, this, [this] { done(2); });
    EnterKeyGuard::install(this);
}

void TOpenGYMDialog::showEvent(QShowEvent *event)
{
    YearMonth = FirstDayOfMonth(Clock::today());
    DateEdit->setEmpty();
    DateEdit->setFocus();
    showMonth(false);
    QDialog::showEvent(event);
}

bool TOpenGYMDialog::readField()
{
    const auto value = DateEdit->value();
    if (!value) {
        showMonth(true);
        return false;
    }
    YearMonth = FirstDayOfMonth(*value);
    showMonth(false);
    return true;
}

void TOpenGYMDialog::step(int months)
{
    if (!readField())
        return;
    YearMonth = DateTime::fromDate(DateTime::toDate(YearMonth).addMonths(months));
    DateEdit->setValue(YearMonth);
    showMonth(false);
}

void TOpenGYMDialog::showMonth(bool error)
{
    SeirekiLabel->setStyleSheet(error ? QStringLiteral("color: red") : QStringLiteral("color: black"));
    SeirekiLabel->setText(error ? QStringLiteral("利用年月エラー") : DateTime::format(u"yyyy/mm", YearMonth));
}
