#pragma once

#include "report/pages/TrpEMFPage.h"
#include "report/common/TrpError.h"

#include <memory>
#include <vector>

class QIODevice;
class TrpPage;
class TrpPrinter;
class TrpStreamReader;

// The prepared pages of a report, and their file (".rpd"): a compression
// flag byte (0), the printer's name, the page count, then per page the
// offset just past its record, its paper and margins flag, and its object
// stream. Files whose first byte is 2 to 254 are of the older layout, whose
// pages are single metafiles.
class TrpEMFPages
{
public:
    TrpEMFPages();
    ~TrpEMFPages();
    TrpEMFPages(const TrpEMFPages &) = delete;
    TrpEMFPages &operator=(const TrpEMFPages &) = delete;

    [[nodiscard]] int Count() const { return int(m_pages.size()); }
    [[nodiscard]] TrpEMFPage &operator[](int index) { return *m_pages[size_t(index)]; }
    [[nodiscard]] const TrpEMFPage &operator[](int index) const { return *m_pages[size_t(index)]; }

    // A new page for the template page at the index, or appended when the
    // index is negative or at or past the end.
    TrpEMFPage &Add(const TrpPage &templatePage, int index = -1);
    // An index out of range is ignored.
    void Delete(int index);
    void Clear();

    // Writes the pages with the printer's name. False, with error(), when
    // the device fails or a value cannot be stored (a name over 65,535
    // bytes, a file past 2 GB).
    [[nodiscard]] bool SaveToStream(QIODevice &device, const QString &printerName);
    // Writes through a temporary file, so that a failed save leaves the
    // file that was there.
    [[nodiscard]] bool SaveToFile(const QString &fileName, const QString &printerName);

    // Replaces the pages with those of the stream. Unless the report uses
    // the default printer, the printer named in the file becomes current
    // when it exists; each page sets the printer to its paper and takes its
    // metrics. False, with error(), for a broken or compressed file: the
    // pages read before the fault stay.
    [[nodiscard]] bool LoadFromStream(QIODevice &device, TrpPrinter &printer, bool useDefaultPrinter);
    [[nodiscard]] bool LoadFromFile(const QString &fileName, TrpPrinter &printer, bool useDefaultPrinter);

    [[nodiscard]] const TrpError &error() const { return m_error; }
    // The printer named in the file read last.
    [[nodiscard]] const QString &printerName() const { return m_printerName; }

private:
    // What a page record holds after its head: the page's object stream, or
    // in older files its metafile.
    enum class PageBody { Objects, Metafile };

    bool loadCurrent(TrpStreamReader &reader, qint64 end, TrpPrinter &printer, bool useDefaultPrinter);
    bool loadOlder(TrpStreamReader &reader, qint64 end, TrpPrinter &printer, bool useDefaultPrinter);
    // The page count and the pages after the printer name, with the printer
    // of that name made current first when it is to be chosen.
    bool loadPages(TrpStreamReader &reader, qint64 end, TrpPrinter &printer, bool choosePrinter, PageBody body);
    // The page fields after the next-page position; false when the record
    // cannot be read or its end lies outside the file.
    std::unique_ptr<TrpEMFPage> readPageHead(TrpStreamReader &reader, qint64 end, int index, qint64 &next);
    bool fail(TrpStreamReader &reader, const QString &message);

    std::vector<std::unique_ptr<TrpEMFPage>> m_pages;
    TrpError m_error;
    QString m_printerName;
};
