#pragma once

#include "platform/DbQuery.h"

#include <QString>

#include <vector>

class DbConnection;

// A SELECT read a page at a time, in the order of its keys. Every page is a
// statement of its own that goes on after the key values of the last row
// read, so nothing stays open on the database between pages (no cursor, no
// lock) and a long list costs only the rows someone looks at:
//
//     DbPagedQuery users(db, QStringLiteral("SELECT CureNo, Name FROM Person"),
//                        QStringLiteral("Name LIKE :prefix"));
//     users.bind(u"prefix", prefix).addKey(QStringLiteral("CureNo"));
//     rows.open(users);
//
// The keys together tell every row apart and are never NULL; each is sorted
// ascending. Parameters are bound by name.
class DbPagedQuery
{
public:
    struct Key
    {
        QString column; // the result column that holds the key's value
        QString term;   // what the statement orders by and compares
    };

    // `select` is "SELECT ... FROM ..." without WHERE or ORDER BY;
    // `condition` the rows' WHERE condition, if any.
    DbPagedQuery(DbConnection &connection, QString select, QString condition = {});

    DbPagedQuery &bind(QStringView name, const DbValue &value);
    // Adds the next key; the term defaults to the column.
    DbPagedQuery &addKey(const QString &column, const QString &term = {});
    // The rows of the first page; each later page holds twice as many as
    // the one before, up to MaxPageSize.
    DbPagedQuery &setFirstPageSize(int rows);

    [[nodiscard]] DbConnection &connection() const { return *m_connection; }
    [[nodiscard]] const std::vector<Key> &keys() const { return m_keys; }
    [[nodiscard]] int firstPageSize() const { return m_firstPageSize; }

    // The statement of a page of at most `rows` rows following the key
    // values `after` (one per key), or of the first page when it is empty.
    [[nodiscard]] DbQuery page(const std::vector<DbValue> &after, int rows) const;

    static constexpr int MaxPageSize = 4096;

private:
    DbConnection *m_connection;
    QString m_select;
    QString m_condition;
    std::vector<DbQuery::Binding> m_bindings;
    std::vector<Key> m_keys;
    int m_firstPageSize = 100;
};
