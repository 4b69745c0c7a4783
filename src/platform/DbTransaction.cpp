#include "platform/DbTransaction.h"

#include "platform/DbConnection.h"
#include "platform/DbLog.h"

DbTransaction::DbTransaction(DbConnection &connection) : DbTransaction(connection, false) {}

DbTransaction::DbTransaction(DbConnection &connection, bool forWriting) : m_connection(connection)
{
    m_active = m_connection.beginTransaction(forWriting ? DbConnection::TransactionMode::Write
                                                        : DbConnection::TransactionMode::Read);
    m_depth = m_connection.transactionDepth();
}

DbTransaction::~DbTransaction()
{
    rollback();
}

bool DbTransaction::commit()
{
    if (!m_active)
        return false;
    m_active = false;
    if (m_connection.transactionDepth() != m_depth) {
        qCWarning(lcDb) << "transaction levels ended out of order";
        return false;
    }
    return m_connection.commit();
}

void DbTransaction::rollback()
{
    if (!m_active)
        return;
    m_active = false;
    if (m_connection.transactionDepth() != m_depth) {
        qCWarning(lcDb) << "transaction levels ended out of order";
        return;
    }
    m_connection.rollback();
}
