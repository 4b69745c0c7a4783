#pragma once

// Qt's own texts in Japanese: the standard dialogs (file dialogs, message
// box buttons) and the context menus of the inputs. The system's own texts
// are written in the code and are not translated.
namespace QtTranslations {

// Installs Qt's Japanese translations in the application; false when they
// are not on the machine (Debian's qt6-translations-l10n), and Qt's texts
// stay English.
bool install();

} // namespace QtTranslations
