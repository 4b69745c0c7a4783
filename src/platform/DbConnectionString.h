#pragma once

#include <QString>

#include <optional>

// Odbc: a partner database reached through an ODBC driver, read only.
enum class DbKind { SQLite, PostgreSQL, Odbc };

// The parts of a connection string: "Provider=SQLite;Data Source=FILE",
// "Provider=PostgreSQL;Host=..;Port=..;Database=..[;Schema=..]" or
// "Provider=ODBC;" followed by an ODBC connection string, kept as it is
// ("Provider=ODBC;Driver=FreeTDS;Server=..;Port=1433;Database=.."). Keys are
// matched without regard to case; user and password are never part of it.
// Schema, when given, becomes the search path of a PostgreSQL connection.
struct DbConnectionString
{
    DbKind kind = DbKind::SQLite;
    QString file;     // SQLite
    QString host;     // PostgreSQL; empty: the local socket
    int port = -1;    // PostgreSQL; -1: the client library's default
    QString database; // PostgreSQL
    QString schema;   // PostgreSQL; empty: the server's search path
    QString odbc;     // ODBC: the driver's connection string

    // nullopt with the reason in errorText for an empty string, an unknown
    // provider or key, or a missing or malformed value.
    [[nodiscard]] static std::optional<DbConnectionString> parse(QStringView text, QString *errorText = nullptr);
    [[nodiscard]] QString text() const;
};
