#pragma once

#include <QChar>
#include <QString>

// The owner of the process-wide date settings while the program runs: it
// sets the program's date separator and short date format and puts back the
// ones it found when it ends. main() holds the one instance.
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
};
