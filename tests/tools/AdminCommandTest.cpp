#include "ConnectionSettings.h"

#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct AdminRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs tamsolen-admin with its settings and data folders in home.
AdminRun admin(const QTemporaryDir &home, const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TAMSOLEN_ADMIN), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

TEST(AdminCommand, StaffCodeMustBeANumberOfOneOrMore)
{
    QTemporaryDir home;
    const QString connection = QStringLiteral("Provider=SQLite;Data Source=") + home.filePath(QStringLiteral("x.db"));
    for (const char *code : {"-1", "0", "abc", "-12"}) {
        const AdminRun run = admin(home, {QStringLiteral("-c"), connection, QStringLiteral("add-staff"),
                                          QString::fromUtf8(code), QStringLiteral("山田"), QStringLiteral("山")});
        EXPECT_EQ(run.exitCode, 2) << code;
        EXPECT_TRUE(run.err.contains(QStringLiteral("the staff code must be a number of 1 or more: ") +
                                     QString::fromUtf8(code)))
            << run.err.toStdString();
    }
}

TEST(AdminCommand, DemoRefusesAFileThatIsNoDemoDatabase)
{
    QTemporaryDir home;
    const QString notes = home.filePath(QStringLiteral("notes.txt"));
    QFile file(notes);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a database\n");
    file.close();

    const AdminRun run = admin(home, {QStringLiteral("demo"), QStringLiteral("--database"), notes});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("is not a SQLite database"))) << run.err.toStdString();
    EXPECT_FALSE(run.out.contains(QStringLiteral("パスワード")));
    EXPECT_FALSE(QDir(home.filePath(QStringLiteral("config/tamsolen"))).exists());

    const AdminRun created = admin(home, {QStringLiteral("demo")});
    EXPECT_EQ(created.exitCode, 0) << created.err.toStdString();
    const QString demo = home.filePath(QStringLiteral("data/tamsolen/demo.sqlite"));
    EXPECT_TRUE(created.out.contains(QStringLiteral("The program starts on the demo database ") + demo));
    EXPECT_TRUE(created.out.contains(QStringLiteral("ユーザー名 1 and パスワード demo")));
    SettingsStore store(home.filePath(QStringLiteral("config/tamsolen")));
    EXPECT_EQ(ConnectionSettings::connection(store), QStringLiteral("Provider=SQLite;Data Source=") + demo);
}
