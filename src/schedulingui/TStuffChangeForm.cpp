#include "schedulingui/TStuffChangeForm.h"

#include "core/EraDate.h"
#include "core/StaffDirectory.h"
#include "coreui/EnterKeyGuard.h"
#include "coreui/EraLineEdit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QPushButton>

TStuffChangeForm::TStuffChangeForm(const StaffDirectory &staff, QWidget *parent)
    : SlotDialog(QStringLiteral("StuffChangeForm"), QStringLiteral("担当者変更"), parent), m_staff(staff)
{
    DayEdit = new EraLineEdit(EraLineEdit::Mode::Date, this);
    DayEdit->setObjectName(QStringLiteral("DayEdit"));
    form()->addRow(QStringLiteral("日付"), DayEdit);
    KaigoStuffBox = addStaffBox(staff);
    addTimeRows();
    connect(SetButton, &QPushButton::clicked, this, &TStuffChangeForm::SetButtonClick);
    EnterKeyGuard::install(this);
}

void TStuffChangeForm::showEvent(QShowEvent *event)
{
    DayEdit->setText(FormatEraDate(ReserveDay));
    if (const int index = m_staff.indexOfCode(StuffCode); index >= 0)
        KaigoStuffBox->setCurrentIndex(index);
    showTime(StartTime, QString::number(WorkingMin));
    SlotDialog::showEvent(event);
}

void TStuffChangeForm::SetButtonClick()
{
    const std::optional<TDateTime> day = ParseEraDate(DayEdit->text());
    if (!day) {
        refuse(DayEdit, QStringLiteral("日付けエラーです。"));
        return;
    }
    if (KaigoStuffBox->currentIndex() < 0) {
        refuse(KaigoStuffBox, QStringLiteral("担当者を指定して下さい。"));
        return;
    }
    if (!readTimeAndMinutes())
        return;
    ReserveDay = DateTime::dateOf(*day);
    StuffCode = m_staff.codeAt(KaigoStuffBox->currentIndex());
    done(QDialog::Accepted);
}
