#include "DatabaseFixture.h"

#include "platform/DbQuery.h"
#include "platform/DbSchema.h"
#include "platform/DbValue.h"
#include "platform/RaceSeam.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QSemaphore>
#include <QSqlDatabase>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

void PrintTo(DbKind kind, std::ostream *out)
{
    *out << (kind == DbKind::SQLite ? "SQLite" : "PostgreSQL");
}

void PrintTo(const DbValue &value, std::ostream *out)
{
    static const char *const kinds[] = {"null", "integer", "double", "Boolean", "text", "date-time", "blob"};
    *out << kinds[int(value.type())] << " \"" << value.asString().toStdString() << '"';
}

std::string DatabaseFixture::kindName(const ::testing::TestParamInfo<DbKind> &info)
{
    return ::testing::PrintToString(info.param);
}

void DatabaseFixture::SetUp()
{
    const QString driver = kind() == DbKind::SQLite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL");
    if (!QSqlDatabase::isDriverAvailable(driver))
        GTEST_SKIP() << "the Qt SQL driver " << driver.toStdString() << " does not load";

    if (kind() == DbKind::SQLite) {
        m_folder = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(m_folder->isValid());
        m_connectionString =
            QStringLiteral("Provider=SQLite;Data Source=") + m_folder->filePath(QStringLiteral("test.sqlite"));
        ASSERT_TRUE(m_db.open(m_connectionString, {}, {}, DbConnection::OpenMode::Create))
            << m_db.errorText().toStdString();
    } else {
        const QString server = qEnvironmentVariable("TAMSOLEN_PG");
        if (server.isEmpty())
            GTEST_SKIP() << "PostgreSQL: TAMSOLEN_PG is not set (scripts/pg-server start DIR prints a value for it)";
        m_user = QStringLiteral("postgres");
        m_schema = QStringLiteral("test_%1_%2")
                       .arg(QCoreApplication::applicationPid())
                       .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        // The search path may name the schema before it exists.
        m_connectionString = server + QStringLiteral(";Schema=") + m_schema;
        ASSERT_TRUE(m_db.open(m_connectionString, m_user, m_password)) << m_db.errorText().toStdString();
        ASSERT_TRUE(exec(QStringLiteral("CREATE SCHEMA ") + m_schema));
    }
    QString error;
    const QString schemaFile = QStringLiteral(TAMSOLEN_SCHEMA_DIR "/") + DbSchema::fileName(kind());
    ASSERT_TRUE(DbSchema::applyFile(m_db, schemaFile, error)) << error.toStdString();
}

void DatabaseFixture::TearDown()
{
    if (!m_schema.isEmpty()) {
        if (!m_db.isOpen())
            (void)m_db.open(m_connectionString, m_user, m_password);
        while (m_db.inTransaction())
            m_db.rollback();
        EXPECT_TRUE(exec(QStringLiteral("DROP SCHEMA ") + m_schema + QStringLiteral(" CASCADE")));
    }
    m_db.close();
    m_folder.reset();
}

::testing::AssertionResult DatabaseFixture::exec(DbQuery &query)
{
    if (query.exec())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << query.sql().toStdString() << ": " << query.errorText().toStdString();
}

::testing::AssertionResult DatabaseFixture::exec(const QString &sql)
{
    DbQuery query(m_db, sql);
    return exec(query);
}

void DatabaseFixture::race(const std::vector<std::function<void(DbConnection &)>> &racers)
{
    QSemaphore ready;
    QSemaphore go;
    std::atomic<int> unopened{0};
    std::vector<std::thread> threads;
    for (const auto &racer : racers) {
        threads.emplace_back([&, racer] {
            DbConnection connection;
            const bool opened = connection.open(m_connectionString, m_user, m_password);
            unopened += !opened;
            ready.release();
            go.acquire();
            if (opened)
                racer(connection);
        });
    }
    ready.acquire(int(racers.size()));
    go.release(int(racers.size()));
    for (std::thread &thread : threads)
        thread.join();
    EXPECT_EQ(unopened.load(), 0) << "a racer's connection did not open";
}

bool DatabaseFixture::raceAtSeam(const std::vector<std::function<void(DbConnection &)>> &racers)
{
    std::mutex mutex;
    std::condition_variable allThere;
    std::set<std::thread::id> arrived;
    bool missed = false;
    const std::size_t parties = racers.size();
    RaceSeam::setHook([&] {
        std::unique_lock lock(mutex);
        // A racer's later writes, or a racer that waited in vain, go on.
        if (arrived.size() >= parties || !arrived.insert(std::this_thread::get_id()).second)
            return;
        if (arrived.size() == parties)
            allThere.notify_all();
        else if (!allThere.wait_for(lock, std::chrono::seconds(10), [&] { return arrived.size() >= parties; }))
            missed = true;
    });
    race(racers);
    RaceSeam::setHook({});
    return arrived.size() == parties && !missed;
}

QString DatabaseFixture::sqlFor(const QString &sqlite, const QString &postgresql) const
{
    return kind() == DbKind::SQLite ? sqlite : postgresql;
}
