#include "schedulingui/TStuffSelectForm.h"

#include "core/StaffDirectory.h"
#include "coreui/EnterKeyGuard.h"

#include <QComboBox>
#include <QPushButton>

TStuffSelectForm::TStuffSelectForm(const StaffDirectory &staff, QWidget *parent)
    : SlotDialog(QStringLiteral("StuffSelectForm"), QStringLiteral("スタックの指定"), parent), m_staff(staff)
{
    KaigoStuffBox = addStaffBox(m_staff);
    connect(SetButton, &QPushButton::clicked, this, [this] {
        const int index = KaigoStuffBox->currentIndex();
        if (index < 0) {
            KaigoStuffBox->setFocus();
            return;
        }
        StuffCode = m_staff.codeAt(index);
        StuffName = m_staff.nameAt(index);
        done(QDialog::Accepted);
    });
    EnterKeyGuard::install(this);
}
