// printout-render: builds every printout over a database, without any
// window, into PDF files of a folder.
//   printout-render --connection STRING --templates DIR FOLDER
// Prints each file with its page count; exits 1 when a printout failed or
// gave no page, 2 on bad arguments.
#include "PrintoutRenderer.h"

#include "core/AppContext.h"
#include "core/DateSettingsScope.h"
#include "core/TDBSeting.h"
#include "core/TMainModule.h"
#include "core/TRegistory.h"
#include "platform/DialogService.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>

int main(int argc, char *argv[])
{
    // Fonts without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const DateSettingsScope dateSettings;

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes every printout over a database as PDF files."));
    parser.addHelpOption();
    const QCommandLineOption connection({QStringLiteral("c"), QStringLiteral("connection")},
                                        QStringLiteral("The database's connection string."), QStringLiteral("string"));
    const QCommandLineOption templates(QStringLiteral("templates"),
                                       QStringLiteral("The folder of the compiled templates."), QStringLiteral("dir"));
    parser.addOptions({connection, templates});
    parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("Where the PDF files are written."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1 || !parser.isSet(connection) || !parser.isSet(templates)) {
        std::fputs(qUtf8Printable(parser.helpText()), stderr);
        return 2;
    }
    const QString folder = parser.positionalArguments().first();
    if (!QDir().mkpath(folder)) {
        std::fputs(qUtf8Printable(QStringLiteral("printout-render: cannot make %1\n").arg(folder)), stderr);
        return 1;
    }

    TRegistory registory;
    TDBSeting dbSeting;
    dbSeting.Connection = parser.value(connection);
    TMainModule module;
    std::vector<UserMessage> told;
    const bool connected = module.Connect(dbSeting, registory, told);
    for (const UserMessage &message : told)
        std::fputs(qUtf8Printable(QStringLiteral("printout-render: %1\n").arg(message.text)), stderr);
    if (!connected)
        return 1;
    AppContext context{module.RIHADatabase,
                       registory,
                       dbSeting,
                       module,
                       Dialogs::service(),
                       QDir(parser.value(templates)).absolutePath()};
    return PrintoutRenderer(context, folder).renderAll() == 0 ? 0 : 1;
}
