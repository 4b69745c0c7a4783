// rpftool: looks inside the report engine from the command line.
//   rpftool expr TEXT                      postfix text (hex) and value
//   rpftool script FILE [NAME=VALUE...]    compiled lines (hex) or the error
//                                          line, then the variables after a run
//   rpftool dump FILE.rpf                  the template as text
//   rpftool compile SRC OUT                a template from its text form
//   rpftool resave IN OUT                  loads and saves a template
//   rpftool dump FILE.rpd                  the prepared pages as text
//   rpftool render FILE.rpd OUT            the pages as a PDF (OUT.pdf) or
//                                          PNG files at 100 % (OUT-1.png, ...)
//   rpftool build FILE.rpf OUT [--data NAME=FILE.csv] [--var NAME=VALUE]
//                 [--count NAME=N]         builds the report into .rpd, .pdf
//                                          or .png

#include "PreparedCommands.h"
#include "TemplateCommands.h"
#include "ToolInterpretator.h"
#include "ToolOutput.h"
#include "ToolValue.h"
#include "BuildCommand.h"

#include "report/expr/TrpParser.h"
#include "report/objects/TrpStandardAddins.h"

#include "base/Sjis.h"

#include <QFile>
#include <QGuiApplication>
#include <QStringList>

namespace {

using ToolOutput::print;
using ToolOutput::printError;

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QString typeName(Variant::Type type)
{
    switch (type) {
    case Variant::Type::Empty:
        return QStringLiteral("Empty");
    case Variant::Type::Null:
        return QStringLiteral("Null");
    case Variant::Type::Integer:
        return QStringLiteral("Integer");
    case Variant::Type::Double:
        return QStringLiteral("Double");
    case Variant::Type::Boolean:
        return QStringLiteral("Boolean");
    case Variant::Type::String:
        return QStringLiteral("String");
    case Variant::Type::Date:
        return QStringLiteral("Date");
    }
    return {};
}

QString shown(const Variant &value)
{
    return value.toText() + QStringLiteral(" (") + typeName(value.type()) + QLatin1Char(')');
}

QString shown(const TrpError &error)
{
    QString text = QStringLiteral("error: ") + error.message;
    if (error.position >= 0)
        text += QStringLiteral(" (at %1)").arg(error.position);
    return text;
}

int expression(const QString &text)
{
    TrpParser parser;
    const std::optional<QString> postfix = parser.ToPostfix(text);
    if (!postfix) {
        printError(shown(parser.error()));
        return 1;
    }
    print(QStringLiteral("postfix: ") + hex(Sjis::encode(*postfix)));
    const std::optional<Variant> value = parser.CalcPostfix(*postfix);
    if (!value) {
        printError(shown(parser.error()));
        return 1;
    }
    print(QStringLiteral("value: ") + shown(*value));
    return 0;
}

int script(const QString &fileName, const QStringList &assignments)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        printError(QStringLiteral("error: cannot read ") + fileName + QStringLiteral(": ") + file.errorString());
        return 1;
    }
    QStringList source = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!source.isEmpty() && source.last().isEmpty())
        source.removeLast();

    ToolInterpretator interpreter;
    interpreter.onCall = [](const QString &call) {
        print(QStringLiteral("call: ") + call);
    };
    QStringList lines;
    QList<QByteArray> errors;
    if (!interpreter.PrepareScript(source, lines, errors)) {
        print(QStringLiteral("error line: ") + hex(errors.value(0)));
        printError(interpreter.error().message);
        return 1;
    }
    for (qsizetype i = 0; i < lines.size(); ++i)
        print(QStringLiteral("%1: ").arg(i, 4, 10, QLatin1Char('0')) + hex(TrpInterpretator::lineBytes(lines[i])));

    for (const QString &assignment : assignments) {
        const qsizetype equals = assignment.indexOf(QLatin1Char('='));
        if (equals <= 0) {
            printError(QStringLiteral("error: not NAME=VALUE: ") + assignment);
            return 2;
        }
        interpreter.variables.SetVariable(assignment.left(equals), ToolValue::parse(assignment.mid(equals + 1)));
    }
    const bool ran = interpreter.DoScript(lines);
    for (int i = 0; i < interpreter.variables.Count(); ++i)
        print(interpreter.variables.Name(i) + QStringLiteral(" = ") + shown(interpreter.variables.Value(i)));
    if (!ran) {
        printError(shown(interpreter.error()));
        return 1;
    }
    return 0;
}

int usage()
{
    printError(QStringLiteral("usage: rpftool expr TEXT\n"
                              "       rpftool script FILE [NAME=VALUE...]\n"
                              "       rpftool dump FILE.rpf\n"
                              "       rpftool compile SRC OUT\n"
                              "       rpftool resave IN OUT\n"
                              "       rpftool dump FILE.rpd\n"
                              "       rpftool render FILE.rpd OUT.pdf|OUT.png\n"
                              "       rpftool build FILE.rpf OUT.rpd|OUT.pdf|OUT.png [--data NAME=FILE.csv]...\n"
                              "                     [--var NAME=VALUE]... [--count NAME=N]..."));
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    // Rendering needs fonts and images, never a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // Templates and pages may hold the engine's check boxes and shapes.
    TrpStandardAddins::registerAll();
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("expr"))
        return expression(args[1]);
    if (args.size() >= 2 && args[0] == QLatin1String("script"))
        return script(args[1], args.mid(2));
    if (args.size() == 2 && args[0] == QLatin1String("dump") &&
        args[1].endsWith(QLatin1String(".rpd"), Qt::CaseInsensitive))
        return PreparedCommands::dump(args[1]);
    if (args.size() == 3 && args[0] == QLatin1String("render"))
        return PreparedCommands::render(args[1], args[2]);
    if (args.size() >= 3 && args[0] == QLatin1String("build"))
        return BuildCommand::run(args[1], args[2], args.mid(3));
    if (args.size() == 2 && args[0] == QLatin1String("dump"))
        return TemplateCommands::dump(args[1]);
    if (args.size() == 3 && args[0] == QLatin1String("compile"))
        return TemplateCommands::compile(args[1], args[2]);
    if (args.size() == 3 && args[0] == QLatin1String("resave"))
        return TemplateCommands::resave(args[1], args[2]);
    return usage();
}
