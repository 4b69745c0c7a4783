#pragma once

#include "platform/SettingsStore.h"

#include <QString>

// The main database connection settings. The program only reads them; the
// set-up tool writes them, the password enciphered (PasswordCipher).
class TDBSeting
{
public:
    static constexpr QStringView KeyPath = u"\\Software\\Orvanta\\Tamsolen5";

    // Connection and ID empty, the built-in password; the settings are read from store.
    explicit TDBSeting(SettingsStore store = SettingsStore());

    // Without the key the built-in values stay. The password is taken from
    // the binary value "DBSeting" only when it is exactly 57 bytes.
    void LoadSettings();
    [[nodiscard]] QString GetPassword() const;

    QString Connection;
    QString ID;
    // At most 56 bytes in Shift-JIS.
    QString Password;

private:
    SettingsStore m_store;
};
