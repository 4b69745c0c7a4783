#include "TemplateCommands.h"

#include "report/pages/TrpPrinter.h"
#include "report/files/TrpTemplate.h"
#include "report/files/TrpTemplateText.h"

#include <QFile>

#include <cstdio>

namespace TemplateCommands {

namespace {

int failed(const QString &text)
{
    std::fputs((QStringLiteral("error: ") + text + QLatin1Char('\n')).toUtf8().constData(), stderr);
    return 1;
}

QString describe(const TrpError &error)
{
    if (error.message.isEmpty())
        return QStringLiteral("invalid record at offset %1").arg(error.position);
    if (error.position >= 0 && !error.message.contains(QLatin1String("offset")))
        return error.message + QStringLiteral(" (at offset %1)").arg(error.position);
    return error.message;
}

// The tool works with "Default printer" alone: the papers of the built-in
// table, whatever printers the machine has.
bool load(const QString &fileName, TrpTemplate &report, TrpPrinter &printer)
{
    TrpError error;
    switch (report.loadFromFile(fileName, printer, error)) {
    case TrpTemplate::LoadStatus::Loaded:
        return true;
    case TrpTemplate::LoadStatus::Unsupported:
        failed(TrpTemplate::unsupportedMessage());
        return false;
    case TrpTemplate::LoadStatus::Failed:
        failed(fileName + QStringLiteral(": ") + describe(error));
        return false;
    }
    return false;
}

} // namespace

int dump(const QString &fileName)
{
    TrpPrinter printer({});
    TrpTemplate report;
    if (!load(fileName, report, printer))
        return 1;
    std::fputs(TrpTemplateText::write(report).toUtf8().constData(), stdout);
    return 0;
}

int compile(const QString &sourceName, const QString &outputName)
{
    QFile source(sourceName);
    if (!source.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("cannot read ") + sourceName + QStringLiteral(": ") + source.errorString());
    TrpTemplate report;
    TrpError error;
    if (!TrpTemplateText::read(QString::fromUtf8(source.readAll()), report, error))
        return failed(sourceName + QStringLiteral(": ") + error.message);
    if (!report.saveToFile(outputName, report.PrinterName, error))
        return failed(describe(error));
    return 0;
}

int resave(const QString &inputName, const QString &outputName)
{
    TrpPrinter printer({});
    TrpTemplate report;
    if (!load(inputName, report, printer))
        return 1;
    TrpError error;
    if (!report.saveToFile(outputName, printer.printerName(), error))
        return failed(describe(error));
    return 0;
}

} // namespace TemplateCommands
