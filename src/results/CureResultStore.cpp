#include "results/CureResultStore.h"

#include "platform/DbBulkInsert.h"
#include "platform/DbConnection.h"
#include "platform/DbQuery.h"

#include <QStringList>

#include <array>
#include <vector>

namespace {

QStringList writtenColumns()
{
    QStringList columns;
    for (int i = 0; i < CureResult::WrittenColumnCount; ++i)
        columns.append(CureResult::writtenColumn(i).toString());
    return columns;
}

} // namespace

bool CureResultStore::insert(std::span<const CureResult> rows)
{
    DbBulkInsert insert(m_db, QStringLiteral("CureResults"), writtenColumns());
    std::array<DbValue, CureResult::WrittenColumnCount> values;
    for (const CureResult &row : rows) {
        for (int i = 0; i < CureResult::WrittenColumnCount; ++i)
            values[size_t(i)] = row.writtenValue(i);
        if (!insert.add(values)) {
            m_errorText = insert.errorText();
            return false;
        }
    }
    if (!insert.finish()) {
        m_errorText = insert.errorText();
        return false;
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
