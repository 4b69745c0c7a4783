#pragma once

#include "platform/DbConnection.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

class DbQuery;

// A fresh database with the tables of db/ for every test: SQLite in a
// temporary file, or PostgreSQL in a schema of its own on the server that
// TAMSOLEN_PG names (user "postgres", no password), so that tests run in
// parallel. Without TAMSOLEN_PG, or when a driver does not load, the test is
// skipped with the reason.
//
// A suite derives from it, writes TEST_P and runs on both kinds:
//
//     class StaffTest : public DatabaseFixture {};
//     TEST_P(StaffTest, LoadsInCodeOrder) { ... db() ... }
//     TAMSOLEN_DATABASE_TEST_SUITE(StaffTest);
class DatabaseFixture : public ::testing::TestWithParam<DbKind>
{
public:
    // "SQLite" or "PostgreSQL", the last part of each test's name.
    static std::string kindName(const ::testing::TestParamInfo<DbKind> &info);

protected:
    void SetUp() override;
    void TearDown() override;

    [[nodiscard]] DbKind kind() const { return GetParam(); }
    [[nodiscard]] DbConnection &db() { return m_db; }
    // What code under test needs to open its own connection to the same
    // database (on PostgreSQL the string names the test's schema).
    [[nodiscard]] const QString &connectionString() const { return m_connectionString; }
    [[nodiscard]] const QString &user() const { return m_user; }
    [[nodiscard]] const QString &password() const { return m_password; }

    // Runs a statement on db(); a failure carries the database's message.
    [[nodiscard]] ::testing::AssertionResult exec(DbQuery &query);
    [[nodiscard]] ::testing::AssertionResult exec(const QString &sql);
    // The text for this test's kind of database, for DDL that differs.
    [[nodiscard]] QString sqlFor(const QString &sqlite, const QString &postgresql) const;
    // Workstations at the same moment: each racer runs on a thread with a
    // connection of its own to this database, all started together once
    // every connection is open. A connection that does not open fails the
    // test and its racer does not run.
    void race(const std::vector<std::function<void(DbConnection &)>> &racers);
    // As race, with each racer held at the doorstep of its first write
    // transaction (RaceSeam) until every racer is there. False when one did
    // not get there within seconds: the round did not race.
    [[nodiscard]] bool raceAtSeam(const std::vector<std::function<void(DbConnection &)>> &racers);

private:
    DbConnection m_db;
    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_connectionString;
    QString m_user;
    QString m_password;
    QString m_schema;
};

// How test output shows a kind of database: "SQLite" or "PostgreSQL".
void PrintTo(DbKind kind, std::ostream *out);
class DbValue;
// How test output shows a value read or bound: its kind and its text.
void PrintTo(const DbValue &value, std::ostream *out);

#define TAMSOLEN_DATABASE_TEST_SUITE(Suite)                                                                            \
    INSTANTIATE_TEST_SUITE_P(Db, Suite, ::testing::Values(DbKind::SQLite, DbKind::PostgreSQL),                         \
                             DatabaseFixture::kindName)
