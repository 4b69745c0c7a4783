#pragma once

#include <QString>
#include <QStringList>

// rpftool build: a template built into prepared pages with data from CSV
// files, values from the command line and counted data sets.
namespace BuildCommand {

// Prints the page count; a load or build error goes to stderr with exit
// code 1, bad options exit with 2.
int run(const QString &templateName, const QString &outputName, const QStringList &options);

} // namespace BuildCommand
