#include "results/CureResultStore.h"

#include "platform/DbConnection.h"
#include "platform/DbQuery.h"

#include <QStringList>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

QString insertStatement(qsizetype rows)
{
    QStringList columns;
    for (int i = 0; i < CureResult::WrittenColumnCount; ++i)
        columns.append(CureResult::writtenColumn(i).toString());
    const QString row = QLatin1Char('(') + QStringList(CureResult::WrittenColumnCount, QStringLiteral("?")).join(u',') +
                        QLatin1Char(')');
    return QStringLiteral("INSERT INTO CureResults (") + columns.join(u", ") + QStringLiteral(") VALUES ") +
           QStringList(rows, row).join(u", ");
}

} // namespace

bool CureResultStore::insert(std::span<const CureResult> rows)
{
    // A statement prepared once and run for every few rows: on a server
    // several rows share a round trip; SQLite, which binds each parameter
    // by a search over all of them, takes one row at a time.
    const size_t perRun = m_db.kind() == DbKind::PostgreSQL ? 25 : 1;
    std::unique_ptr<DbQuery> full;
    for (size_t start = 0; start < rows.size(); start += perRun) {
        const auto chunk = rows.subspan(start, std::min(perRun, rows.size() - start));
        std::unique_ptr<DbQuery> last;
        DbQuery *query = nullptr;
        if (chunk.size() == perRun) {
            if (!full) {
                full = std::make_unique<DbQuery>(m_db, insertStatement(qsizetype(perRun)));
                full->keepPrepared();
            }
            query = full.get();
        } else {
            last = std::make_unique<DbQuery>(m_db, insertStatement(qsizetype(chunk.size())));
            query = last.get();
        }
        query->clearBindings();
        for (const CureResult &row : chunk) {
            for (int i = 0; i < CureResult::WrittenColumnCount; ++i)
                query->addBind(row.writtenValue(i));
        }
        if (!query->exec()) {
            m_errorText = query->errorText();
            return false;
        }
    }
    return true;
}

bool CureResultStore::overwriteKeepingComment(int resultNo, const CureResult &row)
{
    QStringList sets;
    std::vector<DbValue> values;
    for (int i = 0; i < CureResult::WrittenColumnCount; ++i) {
        if (CureResult::writtenColumn(i) == u"Comment")
            continue;
        sets.append(CureResult::writtenColumn(i).toString() + QStringLiteral(" = ?"));
        values.push_back(row.writtenValue(i));
    }
    DbQuery update(m_db, QStringLiteral("UPDATE CureResults SET ") + sets.join(u", ") +
                             QStringLiteral(" WHERE ResultNo = ?"));
    for (const DbValue &value : values)
        update.addBind(value);
    update.addBind(DbValue(resultNo));
    if (!update.exec()) {
        m_errorText = update.errorText();
        return false;
    }
    return true;
}
