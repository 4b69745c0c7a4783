#pragma once

#include <QString>

#include <optional>

// The partner database's connection string as the connection dialog builds
// it from a driver and its fields. SQL Server and Access files are reached
// through ODBC (the FreeTDS and MDBTools drivers), PostgreSQL and SQLite
// through the program's own drivers. User and password are never part of
// the string; they are given apart when connecting.
struct PartnerConnectionString
{
    enum class Driver { SqlServer, AccessFile, PostgreSQL, SQLite };

    Driver driver = Driver::SqlServer;
    QString server;   // SQL Server, PostgreSQL
    int port = 0;     // SQL Server, PostgreSQL; 0: the driver's default
    QString database; // SQL Server, PostgreSQL
    QString file;     // Access file, SQLite

    [[nodiscard]] static bool usesServer(Driver driver)
    {
        return driver == Driver::SqlServer || driver == Driver::PostgreSQL;
    }

    // The string; empty with the reason in errorText when a needed field is empty.
    [[nodiscard]] QString text(QString *errorText = nullptr) const;
    // The fields of a string that text() makes; nullopt for any other string.
    [[nodiscard]] static std::optional<PartnerConnectionString> parse(const QString &text);
};
