#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

// What a run of a command-line tool gave.
struct ToolRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

inline QString q(const char *s)
{
    return QString::fromUtf8(s);
}

// Runs the program to its end; the test fails when it takes longer.
inline ToolRun runTool(const QString &program, const QStringList &args, int timeoutMs = 60000)
{
    QProcess process;
    process.start(program, args);
    EXPECT_TRUE(process.waitForFinished(timeoutMs)) << program.toStdString();
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
