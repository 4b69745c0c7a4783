#include "PdfWordBox.h"
#include "PreviewFixtures.h"

#include "reportui/TrpCupsPrinters.h"
#include "reportui/TrpReportWindows.h"

#include "report/building/TrpReport.h"

#include "FakeDialogService.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// The PDF that the queue writes for the job whose title holds the mark,
// once cups-pdf has finished writing it.
QString waitForPdf(const QString &folder, const QString &mark)
{
    const QDir dir(folder);
    for (int i = 0; i < 600; ++i, QThread::msleep(100)) {
        const QStringList found = dir.entryList({QStringLiteral("*%1*.pdf").arg(mark)}, QDir::Files);
        if (found.isEmpty())
            continue;
        // The queue writes the file page by page: it is whole once it ends
        // with the trailer and stops growing (a loaded machine pauses long).
        const QString path = dir.filePath(found.first());
        for (int wait = 0; wait < 100; ++wait, QThread::msleep(300)) {
            const qint64 size = QFileInfo(path).size();
            QFile file(path);
            if (size <= 0 || !file.open(QIODevice::ReadOnly))
                continue;
            const bool ended = file.readAll().trimmed().endsWith("%%EOF");
            QThread::msleep(300);
            if (ended && QFileInfo(path).size() == size)
                return path;
        }
        return path;
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
QString printThrough(TrpPrinter &printer, const CupsServer &cups, const QString &pageText,
                     const QStringList &firstPage = {QStringLiteral("First page")})
{
    // The tests run in processes of their own at the same time: the process
    // keeps two jobs of one millisecond apart.
    const QString mark = QStringLiteral("tamsolen%1x%2")
                             .arg(QCoreApplication::applicationPid())
                             .arg(QDateTime::currentMSecsSinceEpoch());
    FakeDialogService dialogs;
    TrpReportWindows windows;
    TrpReport report;
    report.setPrinter(printer);
    report.Title = mark;
    report.ShowProgress = false;
    addPage(report.EMFPages(), printer, firstPage);
    addPage(report.EMFPages(), printer, {QStringLiteral("Second page")});
    addPage(report.EMFPages(), printer, {QStringLiteral("Third page")}, TrpPrinter::Landscape);
    EXPECT_TRUE(report.PrintPreparedReport(pageText, 1)) << dialogs.messageTexts().join(u'|').toStdString();
    return waitForPdf(cups.folder, mark);
}

} // namespace

TEST(TrpCupsPrint, PrintsPageRangesThroughARealQueue)
{
    const std::optional<CupsServer> cups = cupsServer();
    if (!cups)
        GTEST_SKIP() << "no CUPS server for the print tests: scripts/cups-server start DIR gives TAMSOLEN_CUPS";
    TrpCupsPrinters platform;
    ASSERT_EQ(platform.defaultPrinterName(), cups->queue);
    const struct
    {
        const char *what;
        QString printer;
        QString pageText;
        QStringList words; // the first word of each page that arrives
    } cases[] = {
        {"the queue by name", cups->queue, QStringLiteral("1,3"), {QStringLiteral("First"), QStringLiteral("Third")}},
        {"Default printer: the default queue",
         TrpPrinter::defaultPrinterName(),
         QStringLiteral("2-2"),
         {QStringLiteral("Second")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TrpPrinter printer(platform.printerNames(), &platform);
        ASSERT_TRUE(printer.setPrinterIndex(printer.indexOfPrinter(c.printer)));
        const QString pdf = printThrough(printer, *cups, c.pageText);
        ASSERT_FALSE(pdf.isEmpty()) << "no PDF arrived in " << cups->folder.toStdString();
        const QString info = run(QStringLiteral("pdfinfo"), {pdf});
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(c.words.size()))))
            << info.toStdString();
        QList<QRectF> boxes;
        for (qsizetype page = 0; page < c.words.size(); ++page) {
            const std::optional<QRectF> box = pdfWordBox(pdf, int(page) + 1, c.words[page]);
            EXPECT_TRUE(box) << c.words[page].toStdString();
            boxes.append(box.value_or(QRectF()));
        }
        if (c.words.size() == 2) {
            // Each page on its own orientation: the first upright, the third
            // across the sheet, as a printer puts a landscape page on paper.
            EXPECT_GT(boxes[0].width(), boxes[0].height());
            EXPECT_GT(boxes[1].height(), boxes[1].width());
            // The page stands in the printer's printable area: the memo at
            // 40, 40 of the page, its text inset, from the area's corner.
            TrpPage portrait;
            portrait.applyPaper(printer);
            const TrpPrinter::PageMetrics &m = portrait.PrnInfo;
            EXPECT_NEAR(boxes[0].left(), (m.offsetX + 40 + TrpMemoView::GapX) * 72 / TrpPrinter::UnitsPerInchX, 2);
            EXPECT_GT(boxes[0].top(), (m.offsetY + 40) * 72 / TrpPrinter::UnitsPerInchY - 2);
        }
    }
}

TEST(TrpCupsPrint, NamesOnAPrintedPageReadBackAsPrinted)
{
    const std::optional<CupsServer> cups = cupsServer();
    if (!cups)
        GTEST_SKIP() << "no CUPS server for the print tests: scripts/cups-server start DIR gives TAMSOLEN_CUPS";
    TrpCupsPrinters platform;
    TrpPrinter printer(platform.printerNames(), &platform);
    ASSERT_TRUE(printer.setPrinterIndex(printer.indexOfPrinter(cups->queue)));
    // Names, half-width kana, a date and a number: the queue rewrites the
    // document, and runs of codes that follow on must come back too.
    const QStringList names = {QStringLiteral("山田 花子"),   QStringLiteral("佐藤 一郎"),   QStringLiteral("高橋 工"),
                               QStringLiteral("渡辺 己之助"), QStringLiteral("齋藤 巾"),     QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"),
                               QStringLiteral("ｱｲｳｴｵｶｷｸｹｺ"),  QStringLiteral("R08.04.02"), QStringLiteral("1,234,567")};
    const QString pdf = printThrough(printer, *cups, QStringLiteral("1"), names);
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF arrived in " << cups->folder.toStdString();
    const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    for (const QString &name : names)
        EXPECT_TRUE(text.contains(name)) << name.toStdString() << "\n" << text.toStdString();
}
