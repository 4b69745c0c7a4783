#include "ConnectionSettings.h"

#include "base/PasswordCipher.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct AdminRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs tamsolen-admin with its settings and data folders in home, and the
// variable of the database password set when given.
AdminRun admin(const QTemporaryDir &home, const QStringList &arguments, const std::optional<QString> &password = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.remove(QStringLiteral("TAMSOLEN_PASSWORD"));
    if (password)
        environment.insert(QStringLiteral("TAMSOLEN_PASSWORD"), *password);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TAMSOLEN_ADMIN), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The database password of the settings in home, deciphered.
std::optional<QString> savedPassword(const QTemporaryDir &home)
{
    const SettingsStore store(home.filePath(QStringLiteral("config/tamsolen")));
    const std::optional<SettingsKey> key = store.openKey(u"\\Software\\Orvanta\\Tamsolen5");
    return key ? PasswordCipher::decipher(key->readBinary(u"DBSeting").value) : std::nullopt;
}

// Runs tamsolen-admin on a terminal of its own, types the line when it asks
// for the password, and returns what the terminal showed; nullopt when the
// machine gives no terminal.
std::optional<QByteArray> adminOnTerminal(const QTemporaryDir &home, const QStringList &arguments,
                                          const QByteArray &line)
{
    std::vector<std::string> strings = {TAMSOLEN_ADMIN};
    for (const QString &argument : arguments)
        strings.push_back(argument.toStdString());
    std::vector<std::string> variables = {"XDG_CONFIG_HOME=" + home.filePath(QStringLiteral("config")).toStdString(),
                                          "QT_QPA_PLATFORM=offscreen", "LANG=C.UTF-8"};
    const auto pointers = [](std::vector<std::string> &from) {
        std::vector<char *> to;
        for (std::string &s : from)
            to.push_back(s.data());
        to.push_back(nullptr);
        return to;
    };
    std::vector<char *> argv = pointers(strings);
    std::vector<char *> envp = pointers(variables);
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child == 0) {
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    if (child < 0)
        return std::nullopt;
    QByteArray shown;
    bool typed = false;
    for (;;) {
        pollfd ready{terminal, POLLIN, 0};
        if (poll(&ready, 1, 20000) <= 0)
            break;
        char buffer[256];
        const ssize_t got = read(terminal, buffer, sizeof buffer);
        if (got <= 0)
            break; // the child has ended
        shown.append(buffer, got);
        if (!typed && shown.contains("Password of ")) {
            typed = write(terminal, line.constData(), size_t(line.size())) == line.size();
        }
    }
    close(terminal);
    int status = 0;
    waitpid(child, &status, 0);
    return shown;
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

// The database password reaches the settings without standing on the
// command line: from a file, from the environment, or typed unseen.
TEST(AdminCommand, PasswordFromAFileTheEnvironmentOrAPromptWithoutEcho)
{
    const QString connection = QStringLiteral("Provider=PostgreSQL;Host=db.local;Port=5432;Database=tamsolen");
    const QStringList writeSettings = {QStringLiteral("-c"), connection, QStringLiteral("-u"), QStringLiteral("staff"),
                                       QStringLiteral("write-settings")};
    QTemporaryDir home;
    const QString file = home.filePath(QStringLiteral("password"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(QStringLiteral("秘密 file\r\nsecond line\n").toUtf8());
    out.close();

    // The file wins over the environment.
    AdminRun run = admin(home, QStringList{QStringLiteral("--password-file"), file} + writeSettings,
                         QStringLiteral("from-environment"));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(savedPassword(home), QStringLiteral("秘密 file"));

    run = admin(home, writeSettings, QStringLiteral("環境 pw"));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(savedPassword(home), QStringLiteral("環境 pw"));

    run = admin(home, QStringList{QStringLiteral("--password-file"), home.filePath(QStringLiteral("missing"))} +
                          writeSettings);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("cannot read the password file"))) << run.err.toStdString();
    run = admin(home, QStringList{QStringLiteral("-p"), QStringLiteral("x"), QStringLiteral("--password-file"), file} +
                          writeSettings);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(savedPassword(home), QStringLiteral("環境 pw"));

    const std::optional<QByteArray> terminal = adminOnTerminal(home, writeSettings, QByteArray("typed秘密\n"));
    if (!terminal)
        GTEST_SKIP() << "no pseudo-terminal for the password prompt";
    const QByteArray &shown = *terminal;
    EXPECT_TRUE(shown.contains("Password of staff: ")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("Settings written to")) << shown.toStdString();
    EXPECT_FALSE(shown.contains("typed")) << shown.toStdString();
    EXPECT_EQ(savedPassword(home), QStringLiteral("typed秘密"));
}
