#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

// A partner system's user table kgkihn1d with four users, reached the way the
// program reaches a partner: through ODBC, with the SQLite3 ODBC driver over
// a file, or with the PostgreSQL ODBC driver in a schema of its own on the
// server that TAMSOLEN_PG names.
class PartnerDatabase
{
public:
    enum class Kind { SqliteOdbc, PostgresOdbc };

    PartnerDatabase() = default;
    ~PartnerDatabase();
    PartnerDatabase(const PartnerDatabase &) = delete;
    PartnerDatabase &operator=(const PartnerDatabase &) = delete;

    // Makes the table and opens nothing; false with the reason to skip when
    // a driver or the server is not there.
    [[nodiscard]] bool create(Kind kind, QString &skipReason);

    [[nodiscard]] const QString &connectionString() const { return m_connectionString; }
    [[nodiscard]] const QString &user() const { return m_user; }

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_source; // our own connection string to the same table
    QString m_schema;
    QString m_connectionString;
    QString m_user;
};
