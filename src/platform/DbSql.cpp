#include "platform/DbSql.h"

namespace DbSql {

bool isIdentifier(QStringView name)
{
    if (name.isEmpty())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
        const bool digit = c >= u'0' && c <= u'9';
        if (!letter && !(digit && i > 0))
            return false;
    }
    return true;
}

bool onlyReads(QStringView sql)
{
    return sql.trimmed().startsWith(u"SELECT", Qt::CaseInsensitive);
}

bool writesRows(QStringView sql)
{
    const QStringView start = sql.trimmed();
    return start.startsWith(u"INSERT", Qt::CaseInsensitive) || start.startsWith(u"UPDATE", Qt::CaseInsensitive) ||
           start.startsWith(u"DELETE", Qt::CaseInsensitive);
}

} // namespace DbSql
