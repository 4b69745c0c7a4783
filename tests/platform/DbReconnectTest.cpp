#include "RestartingServerFixture.h"

#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbPagedQuery.h"
#include "platform/DbQuery.h"
#include "platform/DbTransaction.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

// A PostgreSQL server that stops and starts again while a connection to it
// is open, as a facility's server does for an update.
class DbReconnectTest : public RestartingServerFixture
{
protected:
    void SetUp() override
    {
        RestartingServerFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(exec(QStringLiteral("CREATE TABLE Kept (ID integer PRIMARY KEY, Name varchar(20))")));
        ASSERT_TRUE(exec(QStringLiteral("INSERT INTO Kept SELECT n, 'row ' || n FROM generate_series(1, 10) n")));
    }

    [[nodiscard]] bool exec(const QString &sql)
    {
        DbQuery query(m_db, sql);
        const bool ok = query.exec();
        m_errorText = query.errorText();
        return ok;
    }

    // The IDs of Kept in order; empty (errorText says why) when unreadable.
    [[nodiscard]] std::vector<int> ids()
    {
        DbDataSet rows;
        std::vector<int> found;
        if (!rows.open(DbQuery(m_db, QStringLiteral("SELECT ID FROM Kept ORDER BY ID"))))
            m_errorText = rows.errorText();
        // The rows are held whole, not paged: a move cannot fail.
        for (; !rows.eof(); (void)rows.next())
            found.push_back(rows.field(u"ID").asInteger());
        return found;
    }

    QString m_errorText;
};

const std::vector<int> TenRows{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

TEST_F(DbReconnectTest, ReadsAndNewTransactionsRunAfterARestart)
{
    restart();
    EXPECT_EQ(ids(), TenRows) << m_errorText.toStdString();

    restart();
    {
        DbTransaction transaction(m_db, true);
        ASSERT_TRUE(transaction.isActive()) << m_db.errorText().toStdString();
        ASSERT_TRUE(exec(QStringLiteral("INSERT INTO Kept VALUES (11, 'new')"))) << m_errorText.toStdString();
        ASSERT_TRUE(transaction.commit()) << m_db.errorText().toStdString();
    }
    EXPECT_EQ(ids().size(), 11u);

    // A list read a page at a time reads on after the restart.
    DbDataSet paged;
    DbPagedQuery query(m_db, QStringLiteral("SELECT ID FROM Kept"));
    query.addKey(QStringLiteral("ID")).setFirstPageSize(4);
    ASSERT_TRUE(paged.open(query)) << paged.errorText().toStdString();
    restart();
    EXPECT_TRUE(paged.last()) << paged.errorText().toStdString();
    EXPECT_EQ(paged.recordCount(), 11);
    EXPECT_FALSE(paged.readFailed());
}

TEST_F(DbReconnectTest, AWriteCutOffFailsAndLeavesNothing)
{
    {
        DbTransaction transaction(m_db, true);
        ASSERT_TRUE(exec(QStringLiteral("INSERT INTO Kept VALUES (11, 'first')")));
        restart();
        EXPECT_FALSE(exec(QStringLiteral("INSERT INTO Kept VALUES (12, 'second')")));
        EXPECT_FALSE(transaction.commit());
    }
    EXPECT_EQ(m_db.transactionDepth(), 0);
    EXPECT_EQ(ids(), TenRows) << m_errorText.toStdString();

    // A write outside a transaction cut off while the server runs it may
    // have reached the server: it fails, and it is not run again on the
    // connection opened again, though the server answers at once.
    std::thread cutter([this] {
        DbConnection other;
        ASSERT_TRUE(other.open(m_server.connectionString(), QStringLiteral("postgres")))
            << other.errorText().toStdString();
        DbQuery cut(other, QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                                          "WHERE state = 'active' AND query LIKE 'INSERT INTO Kept SELECT 13%'"));
        DbDataSet done;
        for (int tries = 0; tries < 200 && done.recordCount() == 0; ++tries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            ASSERT_TRUE(done.open(cut)) << done.errorText().toStdString();
        }
        EXPECT_EQ(done.recordCount(), 1);
    });
    EXPECT_FALSE(exec(QStringLiteral("INSERT INTO Kept SELECT 13, 'cut' FROM pg_sleep(3)")));
    cutter.join();
    EXPECT_EQ(ids(), TenRows) << m_errorText.toStdString();
}

TEST_F(DbReconnectTest, AWriteAloneAfterARestartIsStoredOnce)
{
    restart();
    EXPECT_TRUE(exec(QStringLiteral("INSERT INTO Kept VALUES (11, 'new')"))) << m_errorText.toStdString();
    restart();
    EXPECT_TRUE(exec(QStringLiteral("UPDATE Kept SET Name = 'changed' WHERE ID = 11"))) << m_errorText.toStdString();
    restart();
    EXPECT_TRUE(exec(QStringLiteral("DELETE FROM Kept WHERE ID = 1"))) << m_errorText.toStdString();
    EXPECT_EQ(ids(), (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11})) << m_errorText.toStdString();
    EXPECT_EQ(m_db.transactionDepth(), 0);

    // Refused by the server, it fails as before and leaves the connection usable.
    EXPECT_FALSE(exec(QStringLiteral("INSERT INTO Kept VALUES (2, 'twice')")));
    EXPECT_EQ(m_db.transactionDepth(), 0);
    EXPECT_TRUE(exec(QStringLiteral("INSERT INTO Kept VALUES (12, 'after')"))) << m_errorText.toStdString();
}

TEST_F(DbReconnectTest, WhileTheServerIsDownActionsFailAndThenRunAgain)
{
    QString error;
    ASSERT_TRUE(m_server.stop(error)) << error.toStdString();
    EXPECT_TRUE(ids().empty());
    EXPECT_FALSE(m_errorText.isEmpty());
    DbTransaction refused(m_db, true);
    EXPECT_FALSE(refused.isActive());
    EXPECT_TRUE(ids().empty());

    ASSERT_TRUE(m_server.start(error)) << error.toStdString();
    EXPECT_EQ(ids(), TenRows) << m_errorText.toStdString();
    EXPECT_TRUE(m_db.isOpen());
}

} // namespace
