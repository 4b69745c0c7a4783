#pragma once

#include <QByteArray>
#include <QString>

// One named value of a settings key, as a registry value holds it.
struct SettingsValue
{
    enum class Type {
        String,  // REG_SZ
        Integer, // REG_DWORD
        Binary,  // REG_BINARY
        Other    // any other registry type, kept as its raw bytes
    };

    QString name; // empty for the key's default value ("@")
    Type type = Type::String;
    QString text;       // String
    qint32 integer = 0; // Integer: the 32 bits of the DWORD
    QByteArray bytes;   // Binary and Other
    int otherType = 0;  // Other: the registry type number ("hex(N)")
};
