#include "ConnectionSettings.h"

#include "base/PasswordCipher.h"
#include "base/Sjis.h"
#include "platform/DbConnectionString.h"
#include "platform/SettingsStore.h"

namespace {

const QString KeyPath = QStringLiteral("\\Software\\Orvanta\\Tamsolen5");

} // namespace

namespace ConnectionSettings {

bool write(SettingsStore &store, const QString &connection, const QString &user, const QString &password,
           QString &errorText)
{
    const std::optional<DbConnectionString> parts = DbConnectionString::parse(connection, &errorText);
    if (!parts)
        return false;
    if (parts->kind == DbKind::Odbc) {
        errorText = QStringLiteral("the main database is SQLite or PostgreSQL; ODBC is for the partner link");
        return false;
    }
    if (!Sjis::holds(password)) {
        errorText = QStringLiteral("the password holds a character that Shift-JIS cannot store");
        return false;
    }
    const std::optional<QByteArray> record = PasswordCipher::encipher(password);
    if (!record) {
        errorText = QStringLiteral("the password takes more than %1 bytes").arg(PasswordCipher::MaxPasswordBytes);
        return false;
    }
    SettingsKey key = store.createKey(KeyPath);
    key.writeString(u"Connection", connection);
    key.writeString(u"ID", user);
    key.writeBinary(u"DBSeting", *record);
    return store.save(key, &errorText);
}

std::optional<QString> connection(const SettingsStore &store)
{
    const std::optional<SettingsKey> key = store.openKey(KeyPath);
    if (!key)
        return std::nullopt;
    const SettingsRead<QString> value = key->readString(u"Connection");
    return value.isPresent() ? std::optional<QString>(value.value) : std::nullopt;
}

} // namespace ConnectionSettings
