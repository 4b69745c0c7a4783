#include "usersui/PartnerPickButton.h"

#include "core/AppContext.h"
#include "core/TRegistory.h"
#include "coreui/EraLineEdit.h"
#include "coreui/KanaLineEdit.h"
#include "platform/DialogService.h"
#include "users/PartnerLink.h"
#include "usersui/THinorikuUserForm.h"
#include "usersui/TUserRegistForm.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QLineEdit>

PartnerPickButton::PartnerPickButton(AppContext &context, TUserRegistForm &form, QWidget *parent)
    : QPushButton(QStringLiteral("ヒノリク検索"), parent), m_context(context), m_form(form)
{
    setObjectName(QStringLiteral("HinorikuUserBtn"));
    setAutoDefault(false);
    // The link may be set or dropped while the program runs.
    parent->installEventFilter(this);
    connect(this, &QPushButton::clicked, this, &PartnerPickButton::pick);
}

bool PartnerPickButton::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Show) {
        const int kind = m_context.registory.ServFlg;
        setVisible(kind == PartnerLink::Server || kind == PartnerLink::File);
    }
    return QPushButton::eventFilter(watched, event);
}

void PartnerPickButton::pick()
{
    if (!HinorikuUserForm || Dialogs::exec(HinorikuUserForm) != QDialog::Accepted)
        return;
    const PartnerUser &partner = HinorikuUserForm->Partner;
    m_form.JupterUserNo->setText(QString::number(HinorikuUserForm->PartnerUserNo));
    if (m_form.EditMode == TUserRegistForm::EditNew) {
        if (m_form.RegistName->text().trimmed().isEmpty())
            m_form.RegistName->setText(partner.Jname.trimmed());
        if (m_form.RegistKanaName->text().trimmed().isEmpty())
            m_form.RegistKanaName->setText(partner.Kname.trimmed());
        if (m_form.SexBox->currentIndex() < 0)
            m_form.SexBox->setCurrentIndex(HinorikuUserForm->PartnerSex);
        if (!m_form.BirthDay->value() && partner.Birth != DateTime::None) {
            m_form.BirthDay->setValue(partner.Birth);
            const QSignalBlocker blocker(m_form.BirthDatePicker);
            m_form.BirthDatePicker->setDate(DateTime::toDate(partner.Birth));
        }
    }
    m_form.Modified = true;
}
