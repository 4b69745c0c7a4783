#include "PreviewFixtures.h"

#include "reportui/TrpCupsPrinters.h"
#include "reportui/TrpReportWindows.h"

#include "report/building/TrpReport.h"

#include "FakeDialogService.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

using PreviewFixtures::addPage;

namespace {

// The test server of scripts/cups-server: "host:port queue folder".
struct CupsServer
{
    QString server;
    QString queue;
    QString folder;
};

std::optional<CupsServer> cupsServer()
{
    const QStringList parts = QString::fromLocal8Bit(qgetenv("TAMSOLEN_CUPS")).split(QLatin1Char(' '));
    if (parts.size() != 3)
        return std::nullopt;
    // libcups reads the server when it is first asked; scripts/test sets it for the whole run.
    if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
        qputenv("CUPS_SERVER", parts[0].toLocal8Bit());
    return CupsServer{parts[0], parts[1], parts[2]};
}

// The PDF that the queue writes for the job whose title holds the mark.
QString waitForPdf(const QString &folder, const QString &mark)
{
    for (int i = 0; i < 600; ++i) {
        const QStringList found = QDir(folder).entryList({QStringLiteral("*%1*.pdf").arg(mark)}, QDir::Files);
        if (!found.isEmpty()) {
            const QString path = QDir(folder).filePath(found.first());
            // cups-pdf writes the file in place; wait until it stops growing.
            qint64 size = -1;
            while (QFileInfo(path).size() != size) {
                size = QFileInfo(path).size();
                QThread::msleep(300);
            }
            return path;
        }
        QThread::msleep(100);
    }
    return {};
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Prints the pages through the printer current and returns the PDF that arrived.
QString printThrough(TrpPrinter &printer, const CupsServer &cups, const QString &pageText)
{
    const QString mark = QStringLiteral("tamsolen%1").arg(QDateTime::currentMSecsSinceEpoch());
    FakeDialogService dialogs;
    TrpReportWindows windows;
    TrpReport report;
    report.setPrinter(printer);
    report.Title = mark;
    report.ShowProgress = false;
    addPage(report.EMFPages(), printer, {QStringLiteral("First page")});
    addPage(report.EMFPages(), printer, {QStringLiteral("Second page")});
    addPage(report.EMFPages(), printer, {QStringLiteral("Third page")}, TrpPrinter::Landscape);
    EXPECT_TRUE(report.PrintPreparedReport(pageText, 1)) << dialogs.messageTexts().join(u'|').toStdString();
    return waitForPdf(cups.folder, mark);
}

// The box of the word on the page (points), as pdftotext reads it.
std::optional<QRectF> pageWord(const QString &pdf, int page, const QString &word)
{
    const QString boxes =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                                          QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
    const QRegularExpression pattern(QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                                                    "yMax=\"([\\d.]+)\">%1</word>")
                                         .arg(word));
    const QRegularExpressionMatch match = pattern.match(boxes);
    if (!match.hasMatch())
        return std::nullopt;
    return QRectF(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                  QPointF(match.captured(3).toDouble(), match.captured(4).toDouble()));
}

} // namespace

TEST(TrpCupsPrint, PrintsAPageRangeThroughARealQueue)
{
    const std::optional<CupsServer> cups = cupsServer();
    if (!cups)
        GTEST_SKIP() << "no CUPS server for the print tests: scripts/cups-server start DIR gives TAMSOLEN_CUPS";
    TrpCupsPrinters platform;
    ASSERT_TRUE(platform.printerNames().contains(cups->queue)) << platform.printerNames().join(u',').toStdString();
    TrpPrinter printer(platform.printerNames(), &platform);
    ASSERT_TRUE(printer.setPrinterIndex(printer.indexOfPrinter(cups->queue)));

    const QString pdf = printThrough(printer, *cups, QStringLiteral("1,3"));
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF arrived in " << cups->folder.toStdString();
    const QString info = run(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                         QStringLiteral("-l"), QStringLiteral("2"), pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page +1 size: +595(\\.\\d+)? x 84[12]"))))
        << info.toStdString();
    EXPECT_TRUE(pageWord(pdf, 1, QStringLiteral("First")).has_value());
    EXPECT_FALSE(pageWord(pdf, 1, QStringLiteral("Second")).has_value());
    EXPECT_FALSE(pageWord(pdf, 2, QStringLiteral("Second")).has_value());
    // Each page on its own orientation: the first upright, the third across
    // the sheet, as a printer puts a landscape page on its paper.
    const std::optional<QRectF> first = pageWord(pdf, 1, QStringLiteral("First"));
    const std::optional<QRectF> third = pageWord(pdf, 2, QStringLiteral("Third"));
    ASSERT_TRUE(first && third);
    EXPECT_GT(first->width(), first->height());
    EXPECT_GT(third->height(), third->width());
}

TEST(TrpCupsPrint, DefaultPrinterPrintsOnTheSystemDefaultQueue)
{
    const std::optional<CupsServer> cups = cupsServer();
    if (!cups)
        GTEST_SKIP() << "no CUPS server for the print tests: scripts/cups-server start DIR gives TAMSOLEN_CUPS";
    TrpCupsPrinters platform;
    ASSERT_EQ(platform.defaultPrinterName(), cups->queue);
    TrpPrinter printer(platform.printerNames(), &platform);
    ASSERT_TRUE(printer.isDefaultPrinter());

    const QString pdf = printThrough(printer, *cups, QStringLiteral("2"));
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF arrived in " << cups->folder.toStdString();
    const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("Second page"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("First page")));
}
