#pragma once

#include <QString>

class SettingsStore;

// The engine's own settings in the settings store: below the engine's root
// key, under the application's title.
namespace TrpEngineSettings {

// "\Software\Quernlight"
[[nodiscard]] QString rootKey();
// rootKey() + "\" + the application's title.
[[nodiscard]] QString keyPath(const QString &applicationTitle);

// "GrayButtons": tool-bar glyphs drawn gray until the pointer is over them;
// false when missing or not an integer.
[[nodiscard]] bool grayButtons(const SettingsStore &store, const QString &applicationTitle);
[[nodiscard]] bool setGrayButtons(SettingsStore &store, const QString &applicationTitle, bool value,
                                  QString *errorText = nullptr);

} // namespace TrpEngineSettings
