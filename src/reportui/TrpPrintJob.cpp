#include "reportui/TrpPrintJob.h"

#include "report/pages/TrpEMFPages.h"
#include "report/pages/TrpPagePrinter.h"
#include "report/pages/TrpPlatformPrinter.h"
#include "report/pages/TrpPlatformPrinters.h"
#include "report/pages/TrpPrinter.h"

#include <QPrinter>

#include <map>
#include <memory>
#include <set>

namespace {

// The default queue stays open for the run, so that what its properties
// dialog set holds for the next job.
TrpPlatformPrinter *defaultQueue(TrpPlatformPrinters &platform)
{
    static std::map<std::pair<TrpPlatformPrinters *, QString>, std::unique_ptr<TrpPlatformPrinter>> opened;
    const QString name = platform.defaultPrinterName();
    if (name.isEmpty())
        return nullptr;
    std::unique_ptr<TrpPlatformPrinter> &printer = opened[{&platform, name}];
    if (!printer)
        printer = platform.open(name);
    return printer.get();
}

// A page number of the text, or 0 when the part is no number.
int pageNumber(const QString &part)
{
    bool ok = false;
    const int number = part.toInt(&ok);
    return ok && number > 0 ? number : 0;
}

} // namespace

TrpPrintJob::TrpPrintJob(TrpPrinter &printer, TrpPlatformPrinters *platform) : m_printer(printer), m_platform(platform)
{}

QList<int> TrpPrintJob::pagesOf(const QString &text, int pageCount)
{
    QString compact = text;
    compact.remove(QLatin1Char(' ')).remove(QChar(0x3000)).remove(QLatin1Char('\t'));
    QList<int> pages;
    if (compact.isEmpty()) {
        for (int i = 0; i < pageCount; ++i)
            pages.append(i);
        return pages;
    }
    std::set<int> chosen;
    for (const QString &part : compact.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const qsizetype dash = part.indexOf(QLatin1Char('-'));
        int first = 0;
        int last = 0;
        if (dash < 0) {
            first = last = pageNumber(part);
        } else {
            const QString from = part.left(dash);
            const QString to = part.mid(dash + 1);
            first = from.isEmpty() ? 1 : pageNumber(from);
            last = to.isEmpty() ? pageCount : pageNumber(to);
        }
        if (first == 0 || last == 0)
            continue;
        for (int page = first; page <= qMin(last, pageCount); ++page)
            chosen.insert(page - 1);
    }
    for (const int page : chosen)
        pages.append(page);
    return pages;
}

QString TrpPrintJob::message(Result result)
{
    switch (result) {
    case Result::NoPage:
        return QStringLiteral("指定されたページはありません。\nページ又は範囲を確かめてください。");
    case Result::NoPrinter:
        return QStringLiteral("印刷できるプリンタがありません。");
    case Result::Failed:
        return QStringLiteral("印刷できませんでした。プリンタを確かめてください。");
    case Result::Printed:
    case Result::Cancelled:
        break;
    }
    return {};
}

QString TrpPrintJob::jobName(const QString &title)
{
    return QStringLiteral("Quernlight: ") + (title.isEmpty() ? QStringLiteral("Untitled") : title);
}

TrpPlatformPrinter *TrpPrintJob::target()
{
    if (TrpPlatformPrinter *current = m_printer.printer())
        return current;
    return m_platform ? defaultQueue(*m_platform) : nullptr;
}

TrpPrintJob::Result TrpPrintJob::print(TrpEMFPages &pages, const QString &pageText, int copies, const QString &title,
                                       const Progress &progress)
{
    const QList<int> chosen = pagesOf(pageText, pages.Count());
    if (chosen.isEmpty())
        return Result::NoPage;
    TrpPlatformPrinter *printer = target();
    if (!printer)
        return Result::NoPrinter;
    QPagedPaintDevice &device = printer->printDevice();
    auto *platformPrinter = dynamic_cast<QPrinter *>(&device);
    if (platformPrinter) {
        platformPrinter->setDocName(jobName(title));
        platformPrinter->setCopyCount(1);
    }
    TrpPagePrinter pagePrinter(device);
    for (const int index : chosen) {
        for (int copy = 0; copy < qMax(1, copies); ++copy) {
            if (!pagePrinter.print(pages[index]))
                return Result::Failed;
            if (progress && !progress(index + 1)) {
                if (platformPrinter)
                    platformPrinter->abort();
                return Result::Cancelled;
            }
        }
    }
    return pagePrinter.finish() ? Result::Printed : Result::Failed;
}
