#include "schedulingui/TStuffAllChangeForm.h"

#include "core/StaffDirectory.h"
#include "coreui/EnterKeyGuard.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

TStuffAllChangeForm::TStuffAllChangeForm(const StaffDirectory &staff, QWidget *parent)
    : SlotDialog(QStringLiteral("StuffAllChangeForm"), QStringLiteral("担当者一括変更"), parent), m_staff(staff)
{
    KaigoStuffBox = addStaffBox(staff);
    connect(SetButton, &QPushButton::clicked, this, [this] {
        ErrorLabel->clear();
        if (KaigoStuffBox->currentIndex() < 0) {
            refuse(KaigoStuffBox, QStringLiteral("担当者を指定して下さい。"));
            return;
        }
        StuffCode = m_staff.codeAt(KaigoStuffBox->currentIndex());
        done(QDialog::Accepted);
    });
    EnterKeyGuard::install(this);
}

void TStuffAllChangeForm::showEvent(QShowEvent *event)
{
    ErrorLabel->clear();
    SlotDialog::showEvent(event);
}
