#include "schedulingui/SlotDialog.h"

#include "core/StaffDirectory.h"
#include "coreui/EraLineEdit.h"
#include "scheduling/SlotEntryCheck.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

SlotDialog::SlotDialog(const QString &name, const QString &caption, QWidget *parent) : QDialog(parent)
{
    setObjectName(name);
    setWindowTitle(caption);
    m_form = new QFormLayout;
    ErrorLabel = new QLabel(this);
    ErrorLabel->setObjectName(QStringLiteral("ErrorLabel"));
    ErrorLabel->setStyleSheet(QStringLiteral("color: #c00000;"));
    ErrorLabel->setMinimumWidth(260);
    SetButton = new QPushButton(QStringLiteral("設定"), this);
    SetButton->setObjectName(QStringLiteral("SetButton"));
    SetButton->setAutoDefault(false);
    CancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setAutoDefault(false);
    connect(CancelButton, &QPushButton::clicked, this, [this] { done(2); });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(SetButton);
    buttons->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(m_form);
    layout->addWidget(ErrorLabel);
    layout->addLayout(buttons);
}

void SlotDialog::addTimeRows()
{
    StartTimeEdit = new EraLineEdit(EraLineEdit::Mode::Time, this);
    StartTimeEdit->setObjectName(QStringLiteral("StartTimeEdit"));
    FunnEdit = new QLineEdit(this);
    FunnEdit->setObjectName(QStringLiteral("FunnEdit"));
    FunnEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    connect(StartTimeEdit, &QLineEdit::returnPressed, FunnEdit, qOverload<>(&QWidget::setFocus));
    m_form->addRow(QStringLiteral("作業開始時刻"), StartTimeEdit);
    m_form->addRow(QStringLiteral("作業時間(分)"), FunnEdit);
}

QComboBox *SlotDialog::addStaffBox(const StaffDirectory &staff)
{
    auto *box = new QComboBox(this);
    box->setObjectName(QStringLiteral("KaigoStuffBox"));
    box->addItems(staff.names());
    box->setCurrentIndex(-1);
    box->setMinimumWidth(200);
    m_form->addRow(QStringLiteral("担当者"), box);
    return box;
}

bool SlotDialog::refuse(QWidget *box, const QString &message)
{
    ErrorLabel->setText(message);
    box->setFocus();
    return false;
}

bool SlotDialog::readTimeAndMinutes()
{
    const std::optional<TDateTime> start = SlotEntryCheck::startTime(StartTimeEdit->text());
    if (!start)
        return refuse(StartTimeEdit, QString::fromUtf16(SlotEntryCheck::StartTimeError));
    int minutes = 0;
    if (const QString error = SlotEntryCheck::minutesError(FunnEdit->text(), minutes); !error.isEmpty())
        return refuse(FunnEdit, error);
    if (const QString error = SlotEntryCheck::endError(*start, minutes); !error.isEmpty())
        return refuse(FunnEdit, error);
    StartTime = *start;
    WorkingMin = minutes;
    return true;
}

void SlotDialog::showTime(TDateTime start, const QString &minutes)
{
    if (start == DateTime::None && minutes.isEmpty())
        StartTimeEdit->setEmpty();
    else
        StartTimeEdit->setValue(start);
    FunnEdit->setText(minutes);
    ErrorLabel->clear();
    StartTimeEdit->setFocus();
}
