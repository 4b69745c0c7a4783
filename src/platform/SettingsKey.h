#pragma once

#include "platform/SettingsRead.h"
#include "platform/SettingsValue.h"

#include <QList>

// A key under HKEY_CURRENT_USER with its values, as read from a SettingsStore.
// Writes change this copy only; SettingsStore::save puts it back.
// Value names are matched without regard to case, as the registry does.
class SettingsKey
{
public:
    // path: e.g. "\Software\Orvanta\Tamsolen5"; leading and trailing
    // backslashes are dropped.
    explicit SettingsKey(QStringView path, QList<SettingsValue> values = {});

    [[nodiscard]] const QString &path() const { return m_path; }
    [[nodiscard]] const QList<SettingsValue> &values() const { return m_values; }

    [[nodiscard]] SettingsRead<QString> readString(QStringView name) const;
    [[nodiscard]] SettingsRead<qint32> readInteger(QStringView name) const;
    [[nodiscard]] SettingsRead<QByteArray> readBinary(QStringView name) const;

    // A write replaces a value of the same name whatever its type, keeping
    // its place; a new name goes last.
    void writeString(QStringView name, const QString &value);
    void writeInteger(QStringView name, qint32 value);
    void writeBinary(QStringView name, const QByteArray &value);

    // The path in its canonical form, without leading or trailing backslashes.
    [[nodiscard]] static QString normalizedPath(QStringView path);

private:
    [[nodiscard]] const SettingsValue *find(QStringView name) const;
    void put(SettingsValue value);

    QString m_path;
    QList<SettingsValue> m_values;
};
