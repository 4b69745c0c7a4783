#include "platform/DbQuery.h"

#include "platform/DbConnection.h"
#include "platform/DbSqliteReader.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

// Whether the placeholder occurs in the text as a whole name.
bool mentions(const QString &sql, const QString &name)
{
    for (qsizetype at = sql.indexOf(name); at >= 0; at = sql.indexOf(name, at + 1)) {
        const qsizetype end = at + name.size();
        if (end == sql.size() || !isNameChar(sql[end]))
            return true;
    }
    return false;
}

QVariant toVariant(const DbValue &value)
{
    switch (value.type()) {
    case DbType::Null:
        return {};
    case DbType::Integer:
        return QVariant(qlonglong(value.asLargeInt()));
    case DbType::Double:
        return value.asDouble();
    case DbType::Boolean:
        return value.asBoolean();
    case DbType::Text:
        return value.asString();
    case DbType::DateTime:
        return DbDate{value.asDateTime()}.text();
    case DbType::Blob:
        return value.asBytes();
    }
    return {};
}

} // namespace

DbQuery::DbQuery(DbConnection &connection, QString sql) : m_connection(&connection), m_sql(std::move(sql)) {}

DbQuery &DbQuery::bind(QStringView name, const DbValue &value)
{
    const QString key = name.startsWith(u':') ? name.toString() : name.toString().prepend(u':');
    for (Binding &binding : m_bindings) {
        if (binding.name == key) {
            binding.value = value;
            return *this;
        }
    }
    m_bindings.push_back({key, value});
    return *this;
}

DbQuery &DbQuery::addBind(const DbValue &value)
{
    m_bindings.push_back({QString(), value});
    return *this;
}

bool DbQuery::checkBindings(QString &errorText) const
{
    bool named = false;
    bool positional = false;
    for (const Binding &binding : m_bindings) {
        (binding.name.isEmpty() ? positional : named) = true;
        if (!binding.name.isEmpty() && !mentions(m_sql, binding.name)) {
            errorText = QStringLiteral("the statement has no parameter %1").arg(binding.name);
            return false;
        }
        if (binding.value.type() == DbType::DateTime && !DbDate{binding.value.asDateTime()}.isValid()) {
            errorText = QStringLiteral("date value %1 is out of range").arg(binding.value.asDateTime());
            return false;
        }
    }
    if (named && positional) {
        errorText = QStringLiteral("named and positional parameters are mixed");
        return false;
    }
    return true;
}

bool DbQuery::execOn(QSqlQuery &query, QString &errorText) const
{
    if (!checkBindings(errorText))
        return false;
    bool ok = false;
    if (m_bindings.empty()) {
        ok = query.exec(m_sql);
    } else if (query.prepare(m_sql)) {
        for (const Binding &binding : m_bindings) {
            if (binding.name.isEmpty())
                query.addBindValue(toVariant(binding.value));
            else
                query.bindValue(binding.name, toVariant(binding.value));
        }
        ok = query.exec();
    }
    if (!ok)
        errorText = query.lastError().text();
    return ok;
}

bool DbQuery::exec()
{
    m_errorText.clear();
    m_rowsAffected = 0;
    return m_connection->run(
        m_sql, true, [this](QString &errorText) { return execOnce(errorText); }, m_errorText);
}

bool DbQuery::execOnce(QString &errorText)
{
    if (m_keepPrepared && !m_bindings.empty())
        return execPrepared(errorText);
    QSqlQuery query(m_connection->sqlDatabase());
    query.setForwardOnly(true);
    if (!execOn(query, errorText))
        return false;
    m_rowsAffected = query.numRowsAffected();
    return true;
}

bool DbQuery::execPrepared(QString &errorText)
{
    if (!checkBindings(errorText))
        return false;
    if (m_connection->kind() == DbKind::SQLite && m_connection->clientLibraryShared())
        return DbSqliteReader::execute(*this, m_sqlitePrepared, m_rowsAffected, errorText);
    if (!m_prepared) {
        auto query = std::make_shared<QSqlQuery>(m_connection->sqlDatabase());
        query->setForwardOnly(true);
        if (!query->prepare(m_sql)) {
            errorText = query->lastError().text();
            return false;
        }
        m_prepared = std::move(query);
    }
    for (int i = 0; i < int(m_bindings.size()); ++i) {
        const Binding &binding = m_bindings[size_t(i)];
        if (binding.name.isEmpty())
            m_prepared->bindValue(i, toVariant(binding.value));
        else
            m_prepared->bindValue(binding.name, toVariant(binding.value));
    }
    if (!m_prepared->exec()) {
        errorText = m_prepared->lastError().text();
        return false;
    }
    m_rowsAffected = m_prepared->numRowsAffected();
    return true;
}
