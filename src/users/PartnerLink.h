#pragma once

#include <QString>

class DbConnection;
class TRegistory;

// The partner link's settings and connections, as the link settings window
// confirms them: the values go into the settings (saved when the program
// ends), both partner connections are closed, and the one the link kind
// names is opened with the strings as typed.
class PartnerLink
{
public:
    // ServFlg: 0 no link, 1 the partner's server, 2 the partner's file database.
    enum Kind { None = 0, Server = 1, File = 2 };

    struct Values
    {
        int ServFlg = None;
        QString Hinoriku;
        QString ID;
        QString Password;
        QString MDBConnection;
    };

    PartnerLink(TRegistory &registory, DbConnection &hinoriku, DbConnection &access);

    [[nodiscard]] Values stored() const;
    // Stores the values and connects; the message to show: "接続しました。"
    // when connected (or when there is no link), else the failure's.
    [[nodiscard]] bool apply(const Values &values, QString &message);
    // The connection the picker reads for the stored link kind, or null
    // when there is no link.
    [[nodiscard]] DbConnection *partnerConnection() const;

    // The driver's text of the last failure, for the log.
    [[nodiscard]] const QString &errorText() const { return m_errorText; }

private:
    TRegistory &m_registory;
    DbConnection &m_hinoriku;
    DbConnection &m_access;
    QString m_errorText;
};
