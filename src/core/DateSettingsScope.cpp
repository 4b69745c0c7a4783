#include "core/DateSettingsScope.h"

#include "base/DateTime.h"

DateSettingsScope::DateSettingsScope()
    : m_savedDateSeparator(DateTime::dateSeparator()), m_savedShortDateFormat(DateTime::shortDateFormat())
{
    DateTime::setDateSeparator(QLatin1Char('/'));
    DateTime::setShortDateFormat(QStringLiteral("yyyy/mm/dd"));
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
}

DateSettingsScope::~DateSettingsScope()
{
    DateTime::setDateSeparator(m_savedDateSeparator);
    DateTime::setShortDateFormat(m_savedShortDateFormat);
    QLocale::setDefault(m_savedLocale);
}
