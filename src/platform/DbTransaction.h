#pragma once

class DbConnection;

// Begins a transaction (or a nested level) on construction and rolls it back
// on destruction unless it was committed:
//
//     DbTransaction transaction(connection);
//     if (!transaction.isActive()) ...          // could not begin
//     ... write ...
//     if (!transaction.commit()) ...            // nothing was written
class DbTransaction
{
public:
    explicit DbTransaction(DbConnection &connection);
    // A Write transaction holds what it reads against other connections
    // until it ends (see DbConnection::TransactionMode).
    DbTransaction(DbConnection &connection, bool forWriting);
    ~DbTransaction();
    DbTransaction(const DbTransaction &) = delete;
    DbTransaction &operator=(const DbTransaction &) = delete;

    // Begun and not yet committed or rolled back.
    [[nodiscard]] bool isActive() const { return m_active; }
    // False when not active or when the commit failed (then rolled back).
    [[nodiscard]] bool commit();
    void rollback();

private:
    DbConnection &m_connection;
    int m_depth = 0;
    bool m_active = false;
};
