#pragma once

#include "platform/SettingsStore.h"

#include <QString>

// The per-user settings that the program changes while it runs (CSV folders,
// partner link, window state); read once at start-up, written back at the end.
class TRegistory
{
public:
    static constexpr QStringView KeyPath = u"\\Software\\Orvanta\\Tamsolen5Free";

    // Every field at its default; the settings are read from and written to store.
    explicit TRegistory(SettingsStore store = SettingsStore());

    void SetDefaults();
    // Without the key every field takes its default; a value missing from the
    // key, or stored with another type, reads as empty text (ServFlg as 0).
    void LoadSettings();
    // Writes every field; a failure is logged, not reported.
    void SaveSettings();

    QString Import;
    QString Export;
    QString Toukei0;
    QString Toukei1;
    QString Toukei2;
    QString AllUser;
    QString Keitai;
    QString PrnSch;
    qint32 ServFlg = 0;
    QString Hinoriku;
    QString ID;
    QString Password;
    QString MDBConnection;
    QString WinState;

private:
    SettingsStore m_store;
};
