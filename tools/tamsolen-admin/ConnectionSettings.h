#pragma once

#include <QString>

#include <optional>

class SettingsStore;

// The main database's connection settings as the program reads them at
// start-up: key "\Software\Orvanta\Tamsolen5" with the strings "Connection"
// and "ID" and the enciphered password record "DBSeting".
namespace ConnectionSettings {

// Refuses a connection string that does not parse and a password that does
// not fit the record (56 bytes in Shift-JIS, no character Shift-JIS lacks).
[[nodiscard]] bool write(SettingsStore &store, const QString &connection, const QString &user, const QString &password,
                         QString &errorText);

// The stored connection string; nullopt when the key or value is missing.
[[nodiscard]] std::optional<QString> connection(const SettingsStore &store);

} // namespace ConnectionSettings
