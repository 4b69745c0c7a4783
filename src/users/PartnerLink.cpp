#include "users/PartnerLink.h"

#include "core/TRegistory.h"
#include "platform/DbConnection.h"
#include "users/UsersLog.h"

PartnerLink::PartnerLink(TRegistory &registory, DbConnection &hinoriku, DbConnection &access)
    : m_registory(registory), m_hinoriku(hinoriku), m_access(access)
{}

PartnerLink::Values PartnerLink::stored() const
{
    return {m_registory.ServFlg, m_registory.Hinoriku, m_registory.ID, m_registory.Password, m_registory.MDBConnection};
}

bool PartnerLink::apply(const Values &values, QString &message)
{
    m_registory.ServFlg = values.ServFlg;
    m_registory.Hinoriku = values.Hinoriku;
    m_registory.ID = values.ID;
    m_registory.Password = values.Password;
    m_registory.MDBConnection = values.MDBConnection;
    m_hinoriku.close();
    m_access.close();
    m_errorText.clear();

    // The strings as typed, not those held since start-up.
    if (values.ServFlg == Server && !m_hinoriku.open(values.Hinoriku, values.ID, values.Password)) {
        m_errorText = m_hinoriku.errorText();
        m_hinoriku.close();
        message = QStringLiteral("ヒノリク接続に失敗しました。");
    } else if (values.ServFlg == File && !m_access.open(values.MDBConnection)) {
        m_errorText = m_access.errorText();
        m_access.close();
        message = QStringLiteral("Access接続に失敗しました。");
    } else {
        message = QStringLiteral("接続しました。");
        return true;
    }
    qCWarning(lcUsers).noquote() << "partner connection failed:" << m_errorText;
    return false;
}

DbConnection *PartnerLink::partnerConnection() const
{
    switch (m_registory.ServFlg) {
    case Server:
        return &m_hinoriku;
    case File:
        return &m_access;
    default:
        return nullptr;
    }
}
