#include "BuildCommand.h"

#include "PreparedCommands.h"
#include "ToolCsv.h"
#include "ToolOutput.h"
#include "ToolValue.h"

#include "report/building/TrpReport.h"
#include "report/data/TrpDBDataSet.h"
#include "report/data/TrpTableRowSource.h"
#include "report/data/TrpUserDataset.h"
#include "report/pages/TrpPrinter.h"

#include <QFileInfo>
#include <QHash>

namespace {

using ToolOutput::print;
using ToolOutput::printError;

bool split(const QString &option, QString &name, QString &value)
{
    const qsizetype equals = option.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return false;
    name = option.left(equals);
    value = option.mid(equals + 1);
    return true;
}

bool addData(QObject &form, const QString &name, const QString &fileName)
{
    QStringList fields;
    QList<QStringList> rows;
    QString error;
    if (!ToolCsv::read(fileName, fields, rows, error)) {
        printError(QStringLiteral("error: ") + error);
        return false;
    }
    auto *table = new TrpTableRowSource(fields, &form);
    for (const QStringList &row : rows) {
        QList<Variant> values;
        for (const QString &text : row)
            values.append(ToolValue::parse(text));
        table->addRow(std::move(values));
    }
    auto *dataset = new TrpDBDataSet(&form);
    dataset->setObjectName(name);
    dataset->setDataSet(table);
    return true;
}

QString shownError(const TrpReport &report)
{
    QString text = report.ErrorText();
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!report.ErrorCause().message.isEmpty())
        text += QStringLiteral("\n(") + report.ErrorCause().message + QLatin1Char(')');
    return text;
}

} // namespace

namespace BuildCommand {

int run(const QString &templateName, const QString &outputName, const QStringList &options)
{
    const QString suffix = QFileInfo(outputName).suffix().toLower();
    if (suffix != QLatin1String("rpd") && suffix != QLatin1String("pdf") && suffix != QLatin1String("png")) {
        printError(QStringLiteral("error: the output must end in .rpd, .pdf or .png"));
        return 2;
    }
    QObject form;
    form.setObjectName(QStringLiteral("rpftool"));
    QHash<QString, Variant> values;
    for (qsizetype i = 0; i < options.size(); i += 2) {
        QString name, value;
        if (i + 1 >= options.size() || !split(options[i + 1], name, value)) {
            printError(QStringLiteral("error: expected --data NAME=FILE.csv, --var NAME=VALUE or --count NAME=N"));
            return 2;
        }
        const QString &option = options[i];
        if (option == QLatin1String("--data")) {
            if (!addData(form, name, value))
                return 1;
        } else if (option == QLatin1String("--var")) {
            values.insert(name, ToolValue::parse(value));
        } else if (option == QLatin1String("--count") && value.toInt() >= 0 && !value.isEmpty()) {
            auto *counted = new TrpUserDataset(&form);
            counted->setObjectName(name);
            counted->RangeEnd = reCount;
            counted->RangeEndCount = value.toInt();
        } else {
            printError(QStringLiteral("error: bad option %1 %2").arg(option, options[i + 1]));
            return 2;
        }
    }

    TrpPrinter printer({});
    TrpReport report(&form);
    report.setObjectName(QStringLiteral("rpReport1"));
    report.setPrinter(printer);
    report.OnGetValue = [&values](const QString &name, Variant &value) {
        value = values.value(name);
    };
    if (!report.LoadFromFile(templateName)) {
        printError(QStringLiteral("error: ") + report.LoadError().message);
        return 1;
    }
    report.PrepareReport();
    print(QStringLiteral("pages: %1").arg(report.EMFPages().Count()));
    if (report.hasError()) {
        printError(QStringLiteral("error: ") + shownError(report));
        return 1;
    }
    if (suffix == QLatin1String("rpd")) {
        if (!report.SavePreparedReport(outputName)) {
            printError(QStringLiteral("error: ") + report.LoadError().message);
            return 1;
        }
        return 0;
    }
    return PreparedCommands::renderPages(report.EMFPages(), outputName);
}

} // namespace BuildCommand
