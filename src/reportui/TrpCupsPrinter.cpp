#include "reportui/TrpCupsPrinter.h"

#include <QDir>
#include <QTemporaryFile>

#include <cups/cups.h>

namespace {

// The options Qt's own CUPS printing gives a job: the paper and the
// orientation of its last page and the printer's duplex setting.
int jobOptions(const QPageLayout &layout, QPrinter::DuplexMode duplex, cups_option_t **options)
{
    int count = cupsAddOption("media", layout.pageSize().key().toUtf8().constData(), 0, options);
    const bool portrait = layout.orientation() == QPageLayout::Portrait;
    const char *sides = "one-sided";
    if (duplex == QPrinter::DuplexLongSide || (duplex == QPrinter::DuplexAuto && portrait))
        sides = "two-sided-long-edge";
    else if (duplex == QPrinter::DuplexShortSide || duplex == QPrinter::DuplexAuto)
        sides = "two-sided-short-edge";
    count = cupsAddOption("sides", sides, count, options);
    if (!portrait)
        count = cupsAddOption("landscape", "", count, options);
    return count;
}

} // namespace

TrpCupsPrinter::TrpCupsPrinter(const QPrinterInfo &info) : m_info(info), m_printer(info, QPrinter::HighResolution)
{
    m_printer.setFullPage(true);
}

TrpCupsPrinter::~TrpCupsPrinter() = default;

QList<QPageSize> TrpCupsPrinter::pageSizes() const
{
    return m_info.supportedPageSizes();
}

QPageLayout TrpCupsPrinter::pageLayout() const
{
    return m_printer.pageLayout();
}

int TrpCupsPrinter::resolution() const
{
    return m_printer.resolution();
}

void TrpCupsPrinter::setPaper(const QPageSize &size, QPageLayout::Orientation orientation)
{
    m_printer.setPageSize(size);
    m_printer.setPageOrientation(orientation);
    m_printer.setCopyCount(1);
}

TrpPageOutput &TrpCupsPrinter::printOutput()
{
    m_job = std::make_unique<TrpPdfFile>();
    m_aborted = false;
    m_job->setTitle(m_printer.docName());
    return *m_job;
}

bool TrpCupsPrinter::submit()
{
    const std::unique_ptr<TrpPdfFile> job = std::move(m_job);
    if (!job || m_aborted)
        return false;
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/tamsolen-XXXXXX.pdf"));
    const QByteArray document = job->document();
    if (!file.open() || file.write(document) != document.size() || !file.flush())
        return false;
    cups_option_t *options = nullptr;
    const int count = jobOptions(m_printer.pageLayout(), m_printer.duplex(), &options);
    // CUPS takes the queue's name without the instance that may follow it.
    const QByteArray queue = m_info.printerName().section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const int id = cupsPrintFile(queue.constData(), QFile::encodeName(file.fileName()).constData(),
                                 m_printer.docName().toUtf8().constData(), count, options);
    cupsFreeOptions(count, options);
    return id > 0;
}

void TrpCupsPrinter::setJobName(const QString &name)
{
    m_printer.setDocName(name);
}

void TrpCupsPrinter::abort()
{
    // The painter may still hold the writer; the job is simply never sent.
    m_aborted = true;
}
