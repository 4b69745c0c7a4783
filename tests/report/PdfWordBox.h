#pragma once

#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QString>

#include <optional>

// The box of the word on the page (points), as pdftotext reads it; none
// when the word is not there or pdftotext cannot read the file.
inline std::optional<QRectF> pdfWordBox(const QString &pdf, int page, const QString &word)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                                                QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return std::nullopt;
    const QRegularExpression pattern(
        QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">%1</word>)re")
            .arg(word));
    const QRegularExpressionMatch match = pattern.match(QString::fromUtf8(process.readAllStandardOutput()));
    if (!match.hasMatch())
        return std::nullopt;
    return QRectF(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                  QPointF(match.captured(3).toDouble(), match.captured(4).toDouble()));
}
