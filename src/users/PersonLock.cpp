#include "users/PersonLock.h"

#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"

namespace PersonLock {

bool hold(DbConnection &database, int cureNo, const QString &table, QString &errorText)
{
    // Without row locks (SQLite) the write transaction holds the whole file.
    if (database.lockRowsClause().isEmpty())
        return true;
    DbQuery query(database,
                  QStringLiteral("SELECT CureNo FROM Person WHERE CureNo = :cureNo") + database.lockRowsClause());
    query.bind(u"cureNo", cureNo);
    DbDataSet row;
    if (!row.open(query)) {
        errorText = row.errorText();
        return false;
    }
    if (!row.isEmpty() || database.lockTableForWriting(table))
        return true;
    errorText = database.errorText();
    return false;
}

} // namespace PersonLock
