#include "core/TDBSeting.h"

#include "base/PasswordCipher.h"

TDBSeting::TDBSeting(SettingsStore store) : Password(PasswordCipher::defaultPassword()), m_store(std::move(store)) {}

void TDBSeting::LoadSettings()
{
    const std::optional<SettingsKey> key = m_store.openKey(KeyPath);
    if (!key)
        return;
    Connection = key->readString(u"Connection").valueOr(QString());
    ID = key->readString(u"ID").valueOr(QString());
    // Anything but a binary value of exactly one record keeps the built-in password.
    const SettingsRead<QByteArray> record = key->readBinary(u"DBSeting");
    if (!record.isPresent())
        return;
    if (std::optional<QString> password = PasswordCipher::decipher(record.value))
        Password = std::move(*password);
}

QString TDBSeting::GetPassword() const
{
    return Password;
}
