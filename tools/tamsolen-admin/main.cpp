// tamsolen-admin: sets up the main database and the connection settings.
#include "AdminDatabase.h"
#include "AdminPassword.h"
#include "ConnectionSettings.h"
#include "DemoData.h"
#include "DemoDatabase.h"

#include "platform/DbConnection.h"
#include "platform/DbConnectionString.h"
#include "platform/SettingsStore.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>

namespace {

constexpr int Ok = 0;
constexpr int Failed = 1;
constexpr int BadArguments = 2;

const char *const Commands = R"(Commands:
  create                       create the database and its tables
  add-staff CODE NAME MARK     add a staff member (KaigoStuff)
  add-login USER PASSWORD NAME add a login (LoginUser)
  set-facility NAME            set the facility name (Facilities)
  fill-demo                    fill the demo data set into a new database
  upgrade                      bring a database of an earlier version up to
                               the current tables (bookings of deleted slots
                               are removed)
  write-settings               write the connection settings that the
                               program reads (user and password enciphered)
  demo                         everything the demo needs: create the demo
                               SQLite database and its rows when missing,
                               write the settings when there are none, and
                               print the demo login

Connection strings:
  Provider=SQLite;Data Source=FILE
  Provider=PostgreSQL;Host=HOST;Port=PORT;Database=NAME

The database password (PostgreSQL) is read from --password-file, else from
the environment variable TAMSOLEN_PASSWORD, else asked for without echo when
a user is given and the input is a terminal. --password shows it to every
user of the machine in the process list.
)";

void print(FILE *stream, const QString &text)
{
    std::fputs(qUtf8Printable(text + u'\n'), stream);
}

int failed(const QString &reason)
{
    print(stderr, QStringLiteral("tamsolen-admin: ") + reason);
    return Failed;
}

struct Arguments
{
    QString connection;
    QString user;
    QString password;
    QString database;
    QStringList values;
};

// Opens the database named by the arguments, for the commands that write rows.
bool openDatabase(DbConnection &connection, const Arguments &arguments)
{
    if (connection.open(arguments.connection, arguments.user, arguments.password))
        return true;
    failed(connection.errorText());
    return false;
}

int withDatabase(const Arguments &arguments, const std::function<bool(DbConnection &, QString &)> &action)
{
    DbConnection connection;
    if (!openDatabase(connection, arguments))
        return Failed;
    QString error;
    return action(connection, error) ? Ok : failed(error);
}

int create(const Arguments &arguments)
{
    QString error;
    if (!AdminDatabase::create(arguments.connection, arguments.user, arguments.password, error))
        return failed(error);
    return Ok;
}

int badStaffCode(const QString &text)
{
    print(stderr, QStringLiteral("tamsolen-admin: the staff code must be a number of 1 or more: ") + text);
    return BadArguments;
}

int addStaff(const Arguments &arguments)
{
    int code = 0;
    if (!AdminDatabase::isStaffCode(arguments.values[0], code))
        return badStaffCode(arguments.values[0]);
    return withDatabase(arguments, [&](DbConnection &db, QString &error) {
        return AdminDatabase::addStaff(db, code, arguments.values[1], arguments.values[2], error);
    });
}

int addLogin(const Arguments &arguments)
{
    return withDatabase(arguments, [&](DbConnection &db, QString &error) {
        return AdminDatabase::addLogin(db, arguments.values[0], arguments.values[1], arguments.values[2], error);
    });
}

int setFacility(const Arguments &arguments)
{
    return withDatabase(arguments, [&](DbConnection &db, QString &error) {
        return AdminDatabase::setFacility(db, arguments.values[0], error);
    });
}

int upgrade(const Arguments &arguments)
{
    int removed = 0;
    const int result = withDatabase(
        arguments, [&](DbConnection &db, QString &error) { return AdminDatabase::upgrade(db, removed, error); });
    if (result == Ok && removed > 0)
        print(stdout, QStringLiteral("Removed %1 bookings of slots that no longer exist").arg(removed));
    return result;
}

int fillDemo(const Arguments &arguments)
{
    return withDatabase(arguments, [](DbConnection &db, QString &error) { return DemoData::fill(db, error); });
}

int writeSettings(const Arguments &arguments)
{
    SettingsStore store;
    QString error;
    if (!ConnectionSettings::write(store, arguments.connection, arguments.user, arguments.password, error))
        return failed(error);
    print(stdout, QStringLiteral("Settings written to %1").arg(store.folder()));
    return Ok;
}

int demo(const Arguments &arguments)
{
    QString file = arguments.database;
    if (file.isEmpty())
        file = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
               QStringLiteral("/tamsolen/demo.sqlite");
    file = QFileInfo(file).absoluteFilePath();
    const QString connection = DemoDatabase::connectionString(file);

    QString error;
    bool created = false;
    if (!DemoDatabase::prepare(file, created, error))
        return failed(error);
    if (created)
        print(stdout, QStringLiteral("Demo database created: ") + file);

    SettingsStore store;
    const std::optional<QString> current = ConnectionSettings::connection(store);
    if (current && *current != connection) {
        print(stdout, QStringLiteral("The settings in %1 name another database, so the program starts on that one:\n"
                                     "  %2\n"
                                     "The demo login works there only if that database has it. To start on the demo "
                                     "database instead:\n"
                                     "  tamsolen-admin -c \"%3\" write-settings")
                          .arg(store.folder(), *current, connection));
        return Ok;
    }
    if (!ConnectionSettings::write(store, connection, {}, {}, error))
        return failed(error);
    print(stdout, QStringLiteral("The program starts on the demo database %1\n"
                                 "Log in with ユーザー名 %2 and パスワード %3")
                      .arg(file, QString::fromUtf16(DemoData::LoginUser), QString::fromUtf16(DemoData::LoginPassword)));
    return Ok;
}

struct Command
{
    int (*run)(const Arguments &);
    QStringList values; // names of the positional values
    bool needsConnection;
};

const std::map<QString, Command> &commands()
{
    static const std::map<QString, Command> all = {
        {QStringLiteral("create"), {create, {}, true}},
        {QStringLiteral("add-staff"),
         {addStaff, {QStringLiteral("CODE"), QStringLiteral("NAME"), QStringLiteral("MARK")}, true}},
        {QStringLiteral("add-login"),
         {addLogin, {QStringLiteral("USER"), QStringLiteral("PASSWORD"), QStringLiteral("NAME")}, true}},
        {QStringLiteral("set-facility"), {setFacility, {QStringLiteral("NAME")}, true}},
        {QStringLiteral("fill-demo"), {fillDemo, {}, true}},
        {QStringLiteral("upgrade"), {upgrade, {}, true}},
        {QStringLiteral("write-settings"), {writeSettings, {}, true}},
        {QStringLiteral("demo"), {demo, {}, false}},
    };
    return all;
}

bool isPostgres(const QString &connection)
{
    const std::optional<DbConnectionString> parts = DbConnectionString::parse(connection);
    return parts && parts->kind == DbKind::PostgreSQL;
}

// The password when not given on the command line: from the file, the
// environment or the terminal, in that order; nullopt when there is none.
std::optional<QString> passwordFor(const Arguments &arguments, const Command &command, const QString &file,
                                   QString &errorText)
{
    if (!file.isEmpty())
        return AdminPassword::fromFile(file, errorText);
    if (std::optional<QString> password = AdminPassword::fromEnvironment())
        return password;
    if (command.needsConnection && !arguments.user.isEmpty() && isPostgres(arguments.connection))
        return AdminPassword::prompt(QStringLiteral("Password of %1: ").arg(arguments.user));
    return std::nullopt;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tamsolen-admin"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Sets up the Tamsolen database and its connection settings."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption connectionOption({QStringLiteral("c"), QStringLiteral("connection")},
                                              QStringLiteral("The database's connection string."),
                                              QStringLiteral("string"));
    const QCommandLineOption userOption({QStringLiteral("u"), QStringLiteral("user")},
                                        QStringLiteral("The database user (PostgreSQL)."), QStringLiteral("name"));
    const QCommandLineOption passwordOption(
        {QStringLiteral("p"), QStringLiteral("password")},
        QStringLiteral("The database user's password (PostgreSQL), seen by others in the process list."),
        QStringLiteral("password"));
    const QCommandLineOption passwordFileOption(QStringLiteral("password-file"),
                                                QStringLiteral("A file whose first line is the password."),
                                                QStringLiteral("file"));
    const QCommandLineOption databaseOption(QStringLiteral("database"),
                                            QStringLiteral("demo: the SQLite file (default: %1).")
                                                .arg(QStringLiteral("$XDG_DATA_HOME/tamsolen/demo.sqlite")),
                                            QStringLiteral("file"));
    parser.addOptions({connectionOption, userOption, passwordOption, passwordFileOption, databaseOption});
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("What to do (see below)."),
                                 QStringLiteral("command [values...]"));

    const auto usage = [&parser](FILE *stream) {
        print(stream, parser.helpText() + QString::fromUtf8(Commands));
    };
    if (!parser.parse(QCoreApplication::arguments())) {
        // "-1" reads as an option; the staff code is the one number a command takes.
        const QStringList unknown = parser.unknownOptionNames();
        if (std::any_of(unknown.begin(), unknown.end(), [](const QString &name) { return name[0].isDigit(); })) {
            for (const QString &argument : QCoreApplication::arguments()) {
                if (argument.size() > 1 && argument[0] == u'-' && argument[1].isDigit())
                    return badStaffCode(argument);
            }
        }
        print(stderr, QStringLiteral("tamsolen-admin: ") + parser.errorText());
        return BadArguments;
    }
    if (parser.isSet(helpOption)) {
        usage(stdout);
        return Ok;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        usage(stderr);
        return BadArguments;
    }
    const auto found = commands().find(positional.first());
    if (found == commands().end()) {
        print(stderr, QStringLiteral("tamsolen-admin: unknown command \"%1\" (see --help)").arg(positional.first()));
        return BadArguments;
    }
    const Command &command = found->second;
    Arguments arguments{parser.value(connectionOption), parser.value(userOption), parser.value(passwordOption),
                        parser.value(databaseOption), positional.mid(1)};
    if (arguments.values.size() != command.values.size()) {
        print(stderr, QStringLiteral("tamsolen-admin: usage: tamsolen-admin %1 %2")
                          .arg(found->first, command.values.join(u' '))
                          .trimmed());
        return BadArguments;
    }
    if (command.needsConnection && arguments.connection.isEmpty()) {
        print(stderr, QStringLiteral("tamsolen-admin: %1 needs --connection").arg(found->first));
        return BadArguments;
    }
    if (parser.isSet(passwordOption) && parser.isSet(passwordFileOption)) {
        print(stderr, QStringLiteral("tamsolen-admin: give the password with --password or --password-file, not both"));
        return BadArguments;
    }
    if (!parser.isSet(passwordOption)) {
        QString error;
        const std::optional<QString> password =
            passwordFor(arguments, command, parser.value(passwordFileOption), error);
        if (!error.isEmpty())
            return failed(error);
        arguments.password = password.value_or(QString());
    }
    return command.run(arguments);
}
