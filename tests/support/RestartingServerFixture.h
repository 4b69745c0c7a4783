#pragma once

#include "OwnPgServer.h"

#include "platform/DbConnection.h"

#include <gtest/gtest.h>

// A test with a PostgreSQL server of its own and a connection to it, for
// stopping and starting the server as a facility's server does for an
// update. Skipped with the reason where no server can be had.
class RestartingServerFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString unavailable = OwnPgServer::unavailable();
        if (!unavailable.isEmpty())
            GTEST_SKIP() << unavailable.toStdString();
        QString error;
        ASSERT_TRUE(m_server.start(error)) << error.toStdString();
        ASSERT_TRUE(m_db.open(m_server.connectionString(), QStringLiteral("postgres")))
            << m_db.errorText().toStdString();
    }

    void restart()
    {
        QString error;
        ASSERT_TRUE(m_server.restart(error)) << error.toStdString();
    }

    OwnPgServer m_server;
    DbConnection m_db;
};
