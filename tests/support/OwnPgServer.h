#pragma once

#include <QString>
#include <QTemporaryDir>

// A PostgreSQL server of a test's own on loopback (scripts/pg-server), for
// tests that stop and start it: the server of TAMSOLEN_PG is shared by the
// tests that run at the same time. The server and its folder go with the
// object.
class OwnPgServer
{
public:
    OwnPgServer() = default;
    ~OwnPgServer();
    OwnPgServer(const OwnPgServer &) = delete;
    OwnPgServer &operator=(const OwnPgServer &) = delete;

    // Starts the server: the first time a new one with an empty database,
    // later the same one again on its port. False with the reason.
    [[nodiscard]] bool start(QString &errorText);
    // Stops it at once, as a crash or a restart for an update does.
    [[nodiscard]] bool stop(QString &errorText);
    // Stops it and starts it again.
    [[nodiscard]] bool restart(QString &errorText) { return stop(errorText) && start(errorText); }
    // Why no server can be had (the PostgreSQL tests are not asked for, or
    // Qt's driver does not load); empty when one can.
    [[nodiscard]] static QString unavailable();
    // The connection string of its database (user "postgres", no password).
    [[nodiscard]] const QString &connectionString() const { return m_connectionString; }

private:
    [[nodiscard]] bool run(const QString &command, QString &output, QString &errorText);

    QTemporaryDir m_folder;
    QString m_connectionString;
    bool m_running = false;
};
