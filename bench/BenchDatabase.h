#pragma once

#include "platform/DbConnection.h"
#include "platform/DbQuery.h"
#include "platform/DbSchema.h"

#include <QCoreApplication>
#include <QTemporaryDir>

// A database of a benchmark's own with the tables of db/: a SQLite file in a
// temporary folder, or a PostgreSQL schema on the server that TAMSOLEN_PG
// names (user "postgres"), dropped again at the end. Any failure is fatal.
class BenchDatabase
{
public:
    BenchDatabase(DbKind kind, const QString &name)
    {
        if (kind == DbKind::SQLite) {
            m_connectionString =
                QStringLiteral("Provider=SQLite;Data Source=") + m_folder.filePath(name + QStringLiteral(".sqlite"));
            if (!m_db.open(m_connectionString, {}, {}, DbConnection::OpenMode::Create))
                qFatal("open: %s", qPrintable(m_db.errorText()));
        } else {
            m_schema = QStringLiteral("bench_%1_%2").arg(name).arg(QCoreApplication::applicationPid());
            m_connectionString = qEnvironmentVariable("TAMSOLEN_PG") + QStringLiteral(";Schema=") + m_schema;
            m_user = QStringLiteral("postgres");
            if (!m_db.open(m_connectionString, m_user))
                qFatal("open: %s", qPrintable(m_db.errorText()));
            run(QStringLiteral("CREATE SCHEMA ") + m_schema);
        }
        QString error;
        if (!DbSchema::applyFile(m_db, QStringLiteral(TAMSOLEN_SCHEMA_DIR "/") + DbSchema::fileName(kind), error))
            qFatal("schema: %s", qPrintable(error));
    }
    ~BenchDatabase()
    {
        if (!m_schema.isEmpty())
            run(QStringLiteral("DROP SCHEMA ") + m_schema + QStringLiteral(" CASCADE"));
    }
    BenchDatabase(const BenchDatabase &) = delete;
    BenchDatabase &operator=(const BenchDatabase &) = delete;

    [[nodiscard]] DbConnection &db() { return m_db; }
    // What another connection to the same database opens with.
    [[nodiscard]] const QString &connectionString() const { return m_connectionString; }
    [[nodiscard]] const QString &user() const { return m_user; }

    void run(const QString &sql)
    {
        DbQuery query(m_db, sql);
        if (!query.exec())
            qFatal("%s: %s", qPrintable(sql), qPrintable(query.errorText()));
    }

private:
    QTemporaryDir m_folder;
    QString m_connectionString;
    QString m_schema;
    QString m_user;
    DbConnection m_db;
};
