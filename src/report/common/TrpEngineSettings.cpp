#include "report/common/TrpEngineSettings.h"

#include "platform/SettingsStore.h"

namespace {

const QString GrayButtons = QStringLiteral("GrayButtons");

} // namespace

namespace TrpEngineSettings {

QString rootKey()
{
    return QStringLiteral("\\Software\\Quernlight");
}

QString keyPath(const QString &applicationTitle)
{
    return rootKey() + QLatin1Char('\\') + applicationTitle;
}

bool grayButtons(const SettingsStore &store, const QString &applicationTitle)
{
    const std::optional<SettingsKey> key = store.openKey(keyPath(applicationTitle));
    return key && key->readInteger(GrayButtons).valueOr(0) != 0;
}

bool setGrayButtons(SettingsStore &store, const QString &applicationTitle, bool value, QString *errorText)
{
    SettingsKey key = store.createKey(keyPath(applicationTitle));
    key.writeInteger(GrayButtons, value ? 1 : 0);
    return store.save(key, errorText);
}

} // namespace TrpEngineSettings
