#pragma once

#include <QString>

#include <optional>

enum class DbKind { SQLite, PostgreSQL };

// The parts of a connection string: "Provider=SQLite;Data Source=FILE" or
// "Provider=PostgreSQL;Host=..;Port=..;Database=..[;Schema=..]". Keys are
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

    // nullopt with the reason in errorText for an empty string, an unknown
    // provider or key, or a missing or malformed value.
    [[nodiscard]] static std::optional<DbConnectionString> parse(QStringView text, QString *errorText = nullptr);
    [[nodiscard]] QString text() const;
};
