#pragma once

#include <QByteArray>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// What a reading tool (pdftotext, pdffonts, pdftoppm) writes to its
// standard output.
inline QByteArray toolOutput(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return process.readAllStandardOutput();
}

// The text without its white space: pdftotext spaces words its own way.
inline QString withoutSpace(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("\\s"), QRegularExpression::UseUnicodePropertiesOption));
}
