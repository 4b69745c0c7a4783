#include "results/CureResultStore.h"

#include "platform/DbQuery.h"

#include <QStringList>

#include <algorithm>
#include <vector>

namespace {

// 8 rows of 42 values: few statements, and few enough parameters that
// binding them (a linear search per parameter in SQLite) stays cheap.
constexpr qsizetype RowsPerStatement = 8;

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
    const QString full = insertStatement(RowsPerStatement);
    for (size_t start = 0; start < rows.size(); start += RowsPerStatement) {
        const auto chunk = rows.subspan(start, std::min<size_t>(RowsPerStatement, rows.size() - start));
        DbQuery query(m_db, qsizetype(chunk.size()) == RowsPerStatement ? full : insertStatement(qsizetype(chunk.size())));
        for (const CureResult &row : chunk) {
            for (int i = 0; i < CureResult::WrittenColumnCount; ++i)
                query.addBind(row.writtenValue(i));
        }
        if (!query.exec()) {
            m_errorText = query.errorText();
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
