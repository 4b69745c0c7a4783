#include "OwnPgServer.h"

#include <QFile>
#include <QProcess>
#include <QSqlDatabase>

OwnPgServer::~OwnPgServer()
{
    QString error;
    if (m_running)
        (void)stop(error);
}

QString OwnPgServer::unavailable()
{
    if (qEnvironmentVariableIsEmpty("TAMSOLEN_PG"))
        return QStringLiteral("PostgreSQL: TAMSOLEN_PG is not set (scripts/pg-server start DIR prints a value for it)");
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        return QStringLiteral("the Qt SQL driver QPSQL does not load");
    return {};
}

bool OwnPgServer::run(const QString &command, QString &output, QString &errorText)
{
    if (!m_folder.isValid()) {
        errorText = QStringLiteral("no temporary folder: ") + m_folder.errorString();
        return false;
    }
    QProcess script;
    script.start(QStringLiteral(TAMSOLEN_SCRIPTS_DIR "/pg-server"), {command, m_folder.path()});
    // Creating a server takes a few seconds; a stuck one is given up.
    if (!script.waitForFinished(120000) || script.exitStatus() != QProcess::NormalExit || script.exitCode() != 0) {
        QFile log(m_folder.filePath(QStringLiteral("log")));
        const QString logText = log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()).right(2000) : QString();
        errorText = QStringLiteral("pg-server %1 failed: %2\n%3")
                        .arg(command, QString::fromUtf8(script.readAllStandardError()).trimmed(), logText);
        return false;
    }
    output = QString::fromUtf8(script.readAllStandardOutput()).trimmed();
    return true;
}

bool OwnPgServer::start(QString &errorText)
{
    QString output;
    if (!run(QStringLiteral("start"), output, errorText))
        return false;
    m_connectionString = output;
    m_running = true;
    return true;
}

bool OwnPgServer::stop(QString &errorText)
{
    QString output;
    m_running = false;
    return run(QStringLiteral("stop"), output, errorText);
}
