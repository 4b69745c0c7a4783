#pragma once

#include <QChar>
#include <QLocale>
#include <QString>

// The owner of the process-wide date settings while the program runs: it
// sets the program's date separator and short date format, and the Japanese
// locale (month and weekday names, weeks from Sunday in the calendars)
// whatever the machine's, and puts back what it found when it ends. main()
// holds the one instance, made before any window.
class DateSettingsScope
{
public:
    DateSettingsScope();
    ~DateSettingsScope();
    DateSettingsScope(const DateSettingsScope &) = delete;
    DateSettingsScope &operator=(const DateSettingsScope &) = delete;

    [[nodiscard]] QChar savedDateSeparator() const { return m_savedDateSeparator; }
    [[nodiscard]] const QString &savedShortDateFormat() const { return m_savedShortDateFormat; }

private:
    QChar m_savedDateSeparator;
    QString m_savedShortDateFormat;
    QLocale m_savedLocale;
};
