#pragma once

#include "platform/SettingsKey.h"

#include <optional>

// The stand-in for the registry of HKEY_CURRENT_USER: a folder of text files
// in regedit's export form (".reg"), so that keys exported on a Windows
// workstation can be dropped in as they are. Every *.reg file of the folder
// is read; a key held by more than one file is taken from the last one in
// name order, and saving writes it back there. A key that no file holds yet
// is saved into a file named after its path ("Software-Orvanta-Tamsolen5.reg").
//
// The store keeps nothing in memory: each call reads the files as they are
// now. Saving rewrites the one file atomically (temporary file, then rename)
// under a lock, removing temporary files that a killed save left. The folder
// is private to its user (mode 700) and so is every file saved (600), since
// the settings hold the enciphered database password.
class SettingsStore
{
public:
    // The user's store: $XDG_CONFIG_HOME/tamsolen.
    SettingsStore();
    explicit SettingsStore(QString folder);

    [[nodiscard]] static QString defaultFolder();
    [[nodiscard]] const QString &folder() const { return m_folder; }

    // The key with its stored values; nullopt when no file holds it
    // ("cannot be opened").
    [[nodiscard]] std::optional<SettingsKey> openKey(QStringView path) const;
    // The key with its stored values, or a new key without values.
    [[nodiscard]] SettingsKey createKey(QStringView path) const;

    // Replaces the stored values of the key with the key's values. On
    // failure the file stays as it was and errorText (when given) says why.
    [[nodiscard]] bool save(const SettingsKey &key, QString *errorText = nullptr);

private:
    [[nodiscard]] bool makeFolder(QString *errorText) const;
    [[nodiscard]] static bool writeFile(const QString &fileName, const QByteArray &bytes, QString *errorText);

    QString m_folder;
};
