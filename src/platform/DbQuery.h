#pragma once

#include "platform/DbValue.h"

#include <QString>

#include <memory>
#include <vector>

class DbConnection;
class QSqlQuery;
struct sqlite3_stmt;

// One SQL statement with its parameters, bound by name (":name") or by
// position ("?"), never both in one statement. Values reach the database
// only as bound parameters; dates go in as DbDate.
//
// exec() runs a statement that returns no rows; DbDataSet::open runs one
// that does. The connection must stay open while the query runs.
class DbQuery
{
public:
    struct Binding
    {
        QString name; // ":name"; empty for a positional parameter
        DbValue value;
    };

    DbQuery(DbConnection &connection, QString sql);

    // Binds a named parameter; the name may be given with or without its
    // colon. Binding a name again replaces its value.
    DbQuery &bind(QStringView name, const DbValue &value);
    // Binds the next positional parameter.
    DbQuery &addBind(const DbValue &value);
    void clearBindings() { m_bindings.clear(); }

    [[nodiscard]] bool exec();
    // Keeps the statement prepared from one exec() to the next, for a
    // statement run many times in a row with new values (clearBindings,
    // then bind or addBind the same parameters again).
    void keepPrepared() { m_keepPrepared = true; }
    // Rows changed by the last exec().
    [[nodiscard]] int rowsAffected() const { return m_rowsAffected; }
    [[nodiscard]] const QString &errorText() const { return m_errorText; }

    [[nodiscard]] DbConnection &connection() const { return *m_connection; }
    [[nodiscard]] const QString &sql() const { return m_sql; }
    [[nodiscard]] const std::vector<Binding> &bindings() const { return m_bindings; }

    // For the layer's readers: checks the bindings against the statement
    // (no mix of named and positional, every name used in the text, dates
    // valid); false with the reason in errorText.
    [[nodiscard]] bool checkBindings(QString &errorText) const;
    // Runs the statement on a Qt query: prepared with its values bound, or
    // as it is when it has none (PostgreSQL prepares no DDL).
    [[nodiscard]] bool execOn(QSqlQuery &query, QString &errorText) const;

private:
    [[nodiscard]] bool execOnce(QString &errorText);
    [[nodiscard]] bool execPrepared(QString &errorText);

    DbConnection *m_connection;
    QString m_sql;
    std::vector<Binding> m_bindings;
    int m_rowsAffected = 0;
    bool m_keepPrepared = false;
    std::shared_ptr<QSqlQuery> m_prepared;
    // On SQLite the statement is kept on the library's own handle: Qt's
    // binding names every parameter anew on each run.
    std::shared_ptr<sqlite3_stmt> m_sqlitePrepared;
    QString m_errorText;
};
