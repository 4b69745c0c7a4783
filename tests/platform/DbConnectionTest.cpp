#include "DatabaseFixture.h"

#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "platform/DbTransaction.h"

#include <QElapsedTimer>
#include <QSemaphore>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <thread>

TEST(DbConnectionString, RefusesWhatItCannotOpen)
{
    const char *bad[] = {
        "",
        "Provider=SQLNCLI11.1;Data Source=x",
        "Data Source=/tmp/x.sqlite",
        "Provider=SQLite",
        "Provider=SQLite;Data Source=",
        "Provider=SQLite;Data Source=x;Host=h",
        "Provider=PostgreSQL;Host=h",
        "Provider=PostgreSQL;Database=d;Port=70000",
        "Provider=PostgreSQL;Database=d;Schema=x;drop",
        "Provider=PostgreSQL;Database=d;Schema=a b",
        "Provider=PostgreSQL;Database=d;User ID=sa",
        "Provider=ODBC;",
        "Provider=ODBCX;Driver=x",
    };
    for (const char *text : bad) {
        QString error;
        EXPECT_FALSE(DbConnectionString::parse(QString::fromUtf8(text), &error)) << text;
        EXPECT_FALSE(error.isEmpty()) << text;
        DbConnection connection;
        EXPECT_FALSE(connection.open(QString::fromUtf8(text))) << text;
        EXPECT_FALSE(connection.isOpen());
        EXPECT_FALSE(connection.errorText().isEmpty()) << text;
    }
}

TEST(DbConnectionString, ReadsBothProvidersWithoutRegardToCase)
{
    const auto sqlite = DbConnectionString::parse(u"provider=sqlite; DATA SOURCE = /var/lib/t s.sqlite ;");
    ASSERT_TRUE(sqlite);
    EXPECT_EQ(sqlite->kind, DbKind::SQLite);
    EXPECT_EQ(sqlite->file, u"/var/lib/t s.sqlite");

    const auto pg = DbConnectionString::parse(u"Provider=PostgreSQL;Host=db.local;Port=5433;Database=tamsolen");
    ASSERT_TRUE(pg);
    EXPECT_EQ(pg->kind, DbKind::PostgreSQL);
    EXPECT_EQ(pg->host, u"db.local");
    EXPECT_EQ(pg->port, 5433);
    EXPECT_EQ(pg->database, u"tamsolen");
    EXPECT_EQ(DbConnectionString::parse(pg->text())->text(), pg->text());

    // An ODBC string is the driver's, braces and all.
    const auto odbc = DbConnectionString::parse(u" provider = odbc ;Driver={MDBTools};DBQ={/srv/a;b.mdb}");
    ASSERT_TRUE(odbc);
    EXPECT_EQ(odbc->kind, DbKind::Odbc);
    EXPECT_EQ(odbc->odbc, u"Driver={MDBTools};DBQ={/srv/a;b.mdb}");
    EXPECT_EQ(odbc->text(), u"Provider=ODBC;Driver={MDBTools};DBQ={/srv/a;b.mdb}");
}

TEST(DbConnection, MissingSqliteFileIsNotCreatedUnlessAsked)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("missing.sqlite"));
    const QString text = QStringLiteral("Provider=SQLite;Data Source=") + path;
    DbConnection connection;
    EXPECT_FALSE(connection.open(text));
    EXPECT_FALSE(QFile::exists(path));
    ASSERT_TRUE(connection.open(text, {}, {}, DbConnection::OpenMode::Create));
    EXPECT_TRUE(QFile::exists(path));
}

TEST(DbConnection, AFileThatIsNoDatabaseFailsToOpen)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("notes.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    DbConnection connection;
    EXPECT_FALSE(connection.open(QStringLiteral("Provider=SQLite;Data Source=") + path));
    EXPECT_FALSE(connection.isOpen());
    EXPECT_FALSE(connection.errorText().isEmpty());
}

TEST(DbConnection, ConnectionsHaveTheirOwnNamesAndReleaseThem)
{
    QTemporaryDir folder;
    const QString text = QStringLiteral("Provider=SQLite;Data Source=") + folder.filePath(QStringLiteral("a.sqlite"));
    const QStringList before = QSqlDatabase::connectionNames();
    {
        DbConnection first;
        DbConnection second;
        ASSERT_TRUE(first.open(text, {}, {}, DbConnection::OpenMode::Create));
        ASSERT_TRUE(second.open(text));
        EXPECT_EQ(QSqlDatabase::connectionNames().size(), before.size() + 2);
        DbDataSet rows;
        ASSERT_TRUE(rows.open(DbQuery(first, QStringLiteral("SELECT 1 AS One"))));
        first.close();
        EXPECT_FALSE(first.isOpen());
        EXPECT_TRUE(second.isOpen());
        EXPECT_EQ(QSqlDatabase::connectionNames().size(), before.size() + 1);
    }
    EXPECT_EQ(QSqlDatabase::connectionNames(), before);
}

class DbTransactionTest : public DatabaseFixture
{
protected:
    int staffCount()
    {
        DbDataSet rows;
        EXPECT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT CD FROM KaigoStuff"))))
            << rows.errorText().toStdString();
        return rows.recordCount();
    }
    ::testing::AssertionResult addStaff(int code)
    {
        DbQuery query(db(), QStringLiteral("INSERT INTO KaigoStuff (CD, StuffName) VALUES (:cd, :name)"));
        query.bind(u"cd", code).bind(u"name", QStringLiteral("職員%1").arg(code));
        return exec(query);
    }
};

TEST_P(DbTransactionTest, GuardRollsBackUnlessCommitted)
{
    {
        DbTransaction transaction(db());
        ASSERT_TRUE(transaction.isActive());
        EXPECT_TRUE(db().inTransaction());
        ASSERT_TRUE(addStaff(1));
    }
    EXPECT_FALSE(db().inTransaction());
    EXPECT_EQ(staffCount(), 0);

    DbTransaction transaction(db());
    ASSERT_TRUE(addStaff(2));
    ASSERT_TRUE(transaction.commit());
    EXPECT_FALSE(transaction.isActive());
    EXPECT_EQ(db().transactionDepth(), 0);
    EXPECT_EQ(staffCount(), 1);
}

TEST_P(DbTransactionTest, KeptPreparedStatementTakesNewValuesEachRun)
{
    for (const bool named : {false, true}) {
        DbQuery query(db(), named ? QStringLiteral("INSERT INTO KaigoStuff (CD, StuffName) VALUES (:cd, :name)")
                                  : QStringLiteral("INSERT INTO KaigoStuff (CD, StuffName) VALUES (?, ?)"));
        query.keepPrepared();
        for (int code = 1; code <= 3; ++code) {
            query.clearBindings();
            if (named)
                query.bind(u"cd", code + 10).bind(u"name", QStringLiteral("職員%1").arg(code));
            else
                query.addBind(code).addBind(QStringLiteral("職員%1").arg(code));
            ASSERT_TRUE(query.exec()) << query.errorText().toStdString();
            EXPECT_EQ(query.rowsAffected(), 1);
        }
        // A failing run reports the database's reason; the next one runs.
        query.clearBindings();
        if (named)
            query.bind(u"cd", 11).bind(u"name", QStringLiteral("重複"));
        else
            query.addBind(1).addBind(QStringLiteral("重複"));
        EXPECT_FALSE(query.exec());
        EXPECT_FALSE(query.errorText().isEmpty());
        query.clearBindings();
        if (named)
            query.bind(u"cd", 14).bind(u"name", QStringLiteral("職員4"));
        else
            query.addBind(4).addBind(QStringLiteral("職員4"));
        ASSERT_TRUE(query.exec()) << query.errorText().toStdString();
        EXPECT_EQ(query.rowsAffected(), 1);
    }
    DbDataSet rows;
    ASSERT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT CD, StuffName FROM KaigoStuff ORDER BY CD"))));
    ASSERT_EQ(rows.recordCount(), 8);
    ASSERT_TRUE(rows.last());
    EXPECT_EQ(rows.field(u"CD").asInteger(), 14);
    EXPECT_EQ(rows.field(u"StuffName").asString(), QStringLiteral("職員4"));
}

TEST_P(DbTransactionTest, NestedLevelsRollBackOnlyTheirOwnPart)
{
    DbTransaction outer(db());
    ASSERT_TRUE(addStaff(1));
    {
        DbTransaction inner(db());
        ASSERT_TRUE(inner.isActive());
        EXPECT_EQ(db().transactionDepth(), 2);
        ASSERT_TRUE(addStaff(2));
    }
    EXPECT_EQ(db().transactionDepth(), 1);
    {
        DbTransaction inner(db());
        ASSERT_TRUE(addStaff(3));
        ASSERT_TRUE(inner.commit());
    }
    // A failed statement inside a level is undone with the level, and the
    // outer transaction goes on (PostgreSQL would refuse everything after it).
    {
        DbTransaction inner(db());
        EXPECT_FALSE(addStaff(1));
    }
    ASSERT_TRUE(outer.commit());
    DbDataSet rows;
    ASSERT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT CD FROM KaigoStuff ORDER BY CD"))));
    ASSERT_EQ(rows.recordCount(), 2);
    EXPECT_EQ(rows.field(u"CD").asInteger(), 1);
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.field(u"CD").asInteger(), 3);
}

TEST_P(DbTransactionTest, CommitWithoutTransactionFailsAndCloseRollsBack)
{
    EXPECT_FALSE(db().commit());
    ASSERT_TRUE(db().beginTransaction());
    ASSERT_TRUE(addStaff(7));
    db().close();
    EXPECT_EQ(db().transactionDepth(), 0);
    ASSERT_TRUE(db().open(connectionString(), user(), password()));
    EXPECT_EQ(staffCount(), 0);
}

// What a write transaction read under its lock stays as read: another
// connection that wants to write it waits (here: gives up) until it ends.
TEST_P(DbTransactionTest, WriteTransactionHoldsWhatItReadAgainstOtherConnections)
{
    ASSERT_TRUE(addStaff(1));
    DbConnection other;
    ASSERT_TRUE(other.open(connectionString(), user(), password()));
    const QString shortWait =
        sqlFor(QStringLiteral("PRAGMA busy_timeout = 100"), QStringLiteral("SET lock_timeout = 100"));
    ASSERT_TRUE(DbQuery(other, shortWait).exec());

    DbTransaction transaction(db(), true);
    ASSERT_TRUE(transaction.isActive());
    DbDataSet locked;
    ASSERT_TRUE(
        locked.open(DbQuery(db(), QStringLiteral("SELECT CD FROM KaigoStuff WHERE CD = 1") + db().lockRowsClause())));
    DbQuery rename(other, QStringLiteral("UPDATE KaigoStuff SET StuffName = 'x' WHERE CD = 1"));
    EXPECT_FALSE(rename.exec());
    ASSERT_TRUE(transaction.commit());
    EXPECT_TRUE(rename.exec()) << rename.errorText().toStdString();
}

// A writer that meets another's lock waits for it instead of failing, and
// goes on soon after the lock is free.
TEST_P(DbTransactionTest, AWriterWaitsForTheLockOfAnother)
{
    ASSERT_TRUE(addStaff(1));
    QSemaphore locked;
    // When the holder's commit returned: the writer goes on from there,
    // however long a loaded machine took to write the commit itself.
    std::atomic<std::chrono::steady_clock::time_point> freed{};
    std::thread holder([&] {
        DbConnection other;
        ASSERT_TRUE(other.open(connectionString(), user(), password()));
        DbTransaction transaction(other, true);
        DbDataSet row;
        EXPECT_TRUE(row.open(
            DbQuery(other, QStringLiteral("SELECT CD FROM KaigoStuff WHERE CD = 1") + other.lockRowsClause())));
        EXPECT_TRUE(DbQuery(other, QStringLiteral("UPDATE KaigoStuff SET KIGO = 'a' WHERE CD = 1")).exec());
        locked.release();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_TRUE(transaction.commit());
        freed = std::chrono::steady_clock::now();
    });
    locked.acquire();
    QElapsedTimer waited;
    waited.start();
    DbQuery update(db(), QStringLiteral("UPDATE KaigoStuff SET KIGO = 'b' WHERE CD = 1"));
    EXPECT_TRUE(update.exec()) << update.errorText().toStdString();
    const auto done = std::chrono::steady_clock::now();
    holder.join();
    EXPECT_GE(waited.elapsed(), 250);
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(done - freed.load()).count(), 1500);
}

TAMSOLEN_DATABASE_TEST_SUITE(DbTransactionTest);
