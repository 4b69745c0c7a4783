#include "platform/SettingsKey.h"

#include <QStringList>

SettingsKey::SettingsKey(QStringView path, QList<SettingsValue> values)
    : m_path(normalizedPath(path)), m_values(std::move(values))
{}

QString SettingsKey::normalizedPath(QStringView path)
{
    QStringList parts;
    for (const QStringView part : path.split(u'\\', Qt::SkipEmptyParts))
        parts.append(part.toString());
    return parts.join(u'\\');
}

const SettingsValue *SettingsKey::find(QStringView name) const
{
    for (const SettingsValue &value : m_values) {
        if (value.name.compare(name, Qt::CaseInsensitive) == 0)
            return &value;
    }
    return nullptr;
}

SettingsRead<QString> SettingsKey::readString(QStringView name) const
{
    const SettingsValue *value = find(name);
    if (!value)
        return {};
    if (value->type != SettingsValue::Type::String)
        return {SettingsStatus::WrongType, {}};
    return {SettingsStatus::Present, value->text};
}

SettingsRead<qint32> SettingsKey::readInteger(QStringView name) const
{
    const SettingsValue *value = find(name);
    if (!value)
        return {};
    if (value->type != SettingsValue::Type::Integer)
        return {SettingsStatus::WrongType, 0};
    return {SettingsStatus::Present, value->integer};
}

SettingsRead<QByteArray> SettingsKey::readBinary(QStringView name) const
{
    const SettingsValue *value = find(name);
    if (!value)
        return {};
    if (value->type != SettingsValue::Type::Binary)
        return {SettingsStatus::WrongType, {}};
    return {SettingsStatus::Present, value->bytes};
}

void SettingsKey::put(SettingsValue value)
{
    for (SettingsValue &stored : m_values) {
        if (stored.name.compare(value.name, Qt::CaseInsensitive) == 0) {
            // The stored spelling of the name stays, as the registry keeps it.
            value.name = stored.name;
            stored = std::move(value);
            return;
        }
    }
    m_values.append(std::move(value));
}

void SettingsKey::writeString(QStringView name, const QString &value)
{
    SettingsValue stored;
    stored.name = name.toString();
    stored.type = SettingsValue::Type::String;
    stored.text = value;
    put(std::move(stored));
}

void SettingsKey::writeInteger(QStringView name, qint32 value)
{
    SettingsValue stored;
    stored.name = name.toString();
    stored.type = SettingsValue::Type::Integer;
    stored.integer = value;
    put(std::move(stored));
}

void SettingsKey::writeBinary(QStringView name, const QByteArray &value)
{
    SettingsValue stored;
    stored.name = name.toString();
    stored.type = SettingsValue::Type::Binary;
    stored.bytes = value;
    put(std::move(stored));
}
