#pragma once

#include <QList>
#include <QString>

#include <functional>

class TrpEMFPages;
class TrpPlatformPrinter;
class TrpPlatformPrinters;
class TrpPrinter;

// Prints prepared pages on a printer of the machine: the platform printer
// that the printer wrapper has current, or, while "Default printer" is
// current, the platform's default queue. Every chosen page goes out as many
// times as the copies ask, on a sheet of its own paper and orientation,
// drawn by the same player as preview and PDF.
class TrpPrintJob
{
public:
    enum class Result { Printed, NoPage, NoPrinter, Cancelled, Failed };

    // Told the 1-based number of each page printed; false stops the job.
    using Progress = std::function<bool(int pageNo)>;

    TrpPrintJob(TrpPrinter &printer, TrpPlatformPrinters *platform);

    // The 0-based pages, in order and each once, that a page text names:
    // numbers and ranges ("1,3,5-12", "7-", "-2") separated by commas, blanks
    // ignored, numbers past the last page left out. An empty text names
    // every page; a text that names none gives an empty list.
    [[nodiscard]] static QList<int> pagesOf(const QString &text, int pageCount);
    // Why nothing was printed, for the user; empty for Printed and Cancelled.
    [[nodiscard]] static QString message(Result result);
    // "Quernlight: " and the title, "Untitled" when it is empty.
    [[nodiscard]] static QString jobName(const QString &title);

    // The printer the job goes to; null when the machine has none.
    [[nodiscard]] TrpPlatformPrinter *target();

    [[nodiscard]] Result print(TrpEMFPages &pages, const QString &pageText, int copies, const QString &title,
                               const Progress &progress = {});

private:
    TrpPrinter &m_printer;
    TrpPlatformPrinters *m_platform;
};
