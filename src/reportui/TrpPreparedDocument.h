#pragma once

#include "reportui/TrpPreviewDocument.h"
#include "reportui/TrpPrintJob.h"

#include "report/pages/TrpEMFPages.h"

class TrpPlatformPrinters;
class TrpPrinter;

// Prepared pages without a report: pages read from a ".rpd" file or handed
// over whole. They cannot be built again; they are saved, loaded and printed
// through the printer wrapper given.
class TrpPreparedDocument : public TrpPreviewDocument
{
public:
    TrpPreparedDocument(TrpPrinter &printer, TrpPlatformPrinters *platform, QString title = {});

    [[nodiscard]] TrpEMFPages &pages() override { return m_pages; }
    [[nodiscard]] QString title() const override { return m_title; }

    bool rebuildForPrinter(int oldIndex, int newIndex) override;
    bool savePrepared(const QString &fileName) override;
    bool loadPrepared(const QString &fileName) override;
    bool printPrepared(const QString &pageText, int copies) override;
    [[nodiscard]] const TrpError &error() const override { return m_error; }

    // Told each page printed; false stops the job.
    void setProgress(TrpPrintJob::Progress progress) { m_progress = std::move(progress); }

private:
    TrpPrinter &m_printer;
    TrpPlatformPrinters *m_platform;
    QString m_title;
    TrpEMFPages m_pages;
    TrpPrintJob::Progress m_progress;
    TrpError m_error;
};
