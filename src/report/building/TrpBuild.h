#pragma once

#include "report/building/TInterpretator.h"
#include "report/building/TrpContinued.h"
#include "report/building/TrpObjectWriter.h"

#include "base/DateTime.h"
#include "base/Variant.h"

#include <QHash>
#include <QSet>
#include <QStringList>

#include <memory>
#include <vector>

class TrpBand;
class TrpEMFPage;
class TrpPage;
class TrpPageBuilder;
class TrpReport;
class TrpView;

// One build of a report: working copies of the template pages with their
// bands, the prepared page being filled, the band and object being output,
// the counters the special names read, and the compiled scripts. The
// report creates it for each pass.
class TrpBuild
{
public:
    TrpBuild(TrpReport &report, int totalPages, bool firstPass);
    ~TrpBuild();
    TrpBuild(const TrpBuild &) = delete;
    TrpBuild &operator=(const TrpBuild &) = delete;

    // Builds every page that is not printed only as a subreport: once, or
    // once per row of the report's data set in a multiple report. False
    // when a calculation error or a stop ended it.
    bool run();

    [[nodiscard]] bool stopped() const;
    // The prepared page being filled (null in the first pass of two).
    [[nodiscard]] TrpEMFPage *currentPage() const;
    // Starts a prepared page for the template page at PageNo.
    void startPage(const TrpPage &templatePage);
    void reportProgress();
    // Lets the progress dialog take a Cancel between rows.
    void checkCancel();

    // Runs the compiled script of the object (a band's own view for a band);
    // false after recording the error.
    bool runScript(TrpView &view, TrpBand *band);
    // The template page at the index as built (for subreports); null when
    // out of range.
    [[nodiscard]] TrpPageBuilder *pageBuilder(int index) const;

    TrpReport &report;
    TInterpretator interpretator;
    TrpObjectWriter writer;

    int PageNo = 0;
    const int TotalPages;
    const bool FirstPass;
    // The progress label shows the total unless the first pass was stopped.
    bool ShowTotal = true;
    TDateTime Date = 0;
    TDateTime Time = 0;

    TrpPageBuilder *page = nullptr;
    TrpBand *band = nullptr;
    TrpView *view = nullptr;
    // The data band whose row is current (LINE#, LINETHROUGH#).
    TrpBand *dataBand = nullptr;
    Variant value;

    // While a footer collects a row, the footer and the data band of the row.
    TrpBand *collectingFooter = nullptr;
    TrpBand *collectingDataBand = nullptr;
    // The cross column being output (1-based), 0 outside cross output; the
    // cross footer counts as column 0 with its own key.
    int crossColumn = 0;
    bool inCrossFooter = false;

    bool newPageRequested = false;
    bool newColumnRequested = false;

    // Texts whose boxes did not hold them, going on on a sheet of their own
    // once the page they began on is done.
    std::vector<TrpContinued> continued;

    // The template pages being recorded as subreports, with the page that
    // prints them: a page that prints itself (directly or through others)
    // would never end.
    QSet<int> recordingPages;

private:
    bool setUp();
    bool buildPages();
    void exitDatasets();

    std::vector<std::unique_ptr<TrpPage>> m_pages;
    std::vector<std::unique_ptr<TrpPageBuilder>> m_builders;
    QHash<const TrpView *, QStringList> m_scripts;
};
