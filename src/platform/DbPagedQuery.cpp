#include "platform/DbPagedQuery.h"

#include <QStringList>

#include <algorithm>

namespace {

QString afterName(size_t key)
{
    return QStringLiteral(":pageAfter%1").arg(key);
}

} // namespace

DbPagedQuery::DbPagedQuery(DbConnection &connection, QString select, QString condition)
    : m_connection(&connection), m_select(std::move(select)), m_condition(std::move(condition))
{}

DbPagedQuery &DbPagedQuery::bind(QStringView name, const DbValue &value)
{
    m_bindings.push_back({name.toString(), value});
    return *this;
}

DbPagedQuery &DbPagedQuery::addKey(const QString &column, const QString &term)
{
    m_keys.push_back({column, term.isEmpty() ? column : term});
    return *this;
}

DbPagedQuery &DbPagedQuery::setFirstPageSize(int rows)
{
    m_firstPageSize = std::clamp(rows, 1, MaxPageSize);
    return *this;
}

DbQuery DbPagedQuery::page(const std::vector<DbValue> &after, int rows) const
{
    QStringList terms;
    QStringList values;
    for (size_t key = 0; key < m_keys.size(); ++key) {
        terms.append(m_keys[key].term);
        values.append(afterName(key));
    }
    QStringList conditions;
    if (!m_condition.isEmpty())
        conditions.append(QLatin1Char('(') + m_condition + QLatin1Char(')'));
    // A comparison of rows: the index on the keys serves it on both databases.
    if (!after.empty()) {
        conditions.append(terms.size() == 1
                              ? terms[0] + QStringLiteral(" > ") + values[0]
                              : QStringLiteral("(%1) > (%2)")
                                    .arg(terms.join(QStringLiteral(", ")), values.join(QStringLiteral(", "))));
    }
    QString sql = m_select;
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY %1 LIMIT %2").arg(terms.join(QStringLiteral(", "))).arg(rows);

    DbQuery query(*m_connection, sql);
    for (const DbQuery::Binding &binding : m_bindings)
        query.bind(binding.name, binding.value);
    for (size_t key = 0; key < after.size() && key < m_keys.size(); ++key)
        query.bind(afterName(key), after[key]);
    return query;
}
