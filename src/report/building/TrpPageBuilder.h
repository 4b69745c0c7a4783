#pragma once

#include "report/building/TrpBandTypes.h"

#include <QHash>

#include <memory>
#include <vector>

class TrpBand;
class TrpBuild;
class TrpCrossLayout;
class TrpDataset;
class TrpPage;
class TrpRecorder;
class TrpView;

// Builds one template page into prepared pages: the bands made from its
// band objects, the data loops of the master, detail and subdetail levels,
// group changes, pending bands, new pages and columns. Band output itself
// is TrpBandPrinter's.
class TrpPageBuilder
{
public:
    TrpPageBuilder(TrpBuild &build, TrpPage &page, int index);
    ~TrpPageBuilder();
    TrpPageBuilder(const TrpPageBuilder &) = delete;
    TrpPageBuilder &operator=(const TrpPageBuilder &) = delete;

    // Makes the bands, attaches the objects and resolves the data sets;
    // false after recording a build error.
    bool setUp();
    // Builds the page: on a new prepared page, or continuing the page of
    // the builder given at its current y. With keepOpen the page is left
    // open for the next template page.
    void build(TrpPageBuilder *continueFrom, bool keepOpen);
    // Builds the page as a subreport into the recorder, from the top given.
    void record(TrpRecorder &recorder, qint32 left);
    void exitDatasets();

    void outputBand(TrpBand *band);
    void newPage();
    void newColumn(TrpBand *cause);

    [[nodiscard]] TrpPage &templatePage() const { return m_page; }
    [[nodiscard]] TrpBand *slot(int type) const;
    // The cross strip an object lies in, or null.
    [[nodiscard]] TrpBand *crossStripOf(const TrpView *view) const { return m_crossStrip.value(view); }
    [[nodiscard]] TrpCrossLayout *crossLayout() const { return m_cross.get(); }
    // The cross data sets the bands name for themselves, each once.
    [[nodiscard]] std::vector<TrpDataset *> bandCrossDatasets() const;
    [[nodiscard]] int index() const { return m_index; }

    // The free space's top, the limit bands must end above, and the room
    // a band needs to leave for the column footer.
    qint32 curY = 0;
    qint32 bottomLimit = 0;
    qint32 topLimit = 0;
    qint32 leftLimit = 0;
    qint32 rightLimit = 0;
    qint32 columnTop = 0;
    qint32 columnWidth = 0;
    qint32 leftOffset = 0;
    int column = 0;
    int columnCount = 1;
    // CURRENT# and COLUMN#.
    qint32 current = 1;
    qint32 crossColumn = 1;
    // Pages printed only as subreports are skipped by the main build.
    bool skip = false;
    // Set while bands are recorded for a subreport.
    TrpRecorder *recorder = nullptr;
    // The y at which nothing has been placed yet on the current page or
    // column: a band that does not fit there never will.
    qint32 freshY = 0;
    // Set while a page or column break outputs its own bands, which are
    // clipped rather than breaking again.
    bool breaking = false;
    // The room the band being output leaves below it for the band that
    // stands with it on one page: a data level's heading keeps its first row.
    qint32 keepWithNext = 0;
    // The group headers in chain order.
    std::vector<TrpBand *> groups;

private:
    bool makeBands();
    void attachObjects();
    void linkBands();
    bool resolveDatasets();
    bool resolveSource(TrpBand &band, const QString &source, TrpDataset *&dataset,
                       std::unique_ptr<TrpDataset> &owned);
    void computeLimits();

    void startPage();
    void finishPage();
    // Prints the texts held over from the page on sheets of their own.
    void continueTexts();
    void dataLoop(int level);
    bool walkRow(TrpBand &band, int level);
    void checkGroups(TrpBand &band, TrpDataset &dataset);
    void queue(TrpBand *band);
    void outputPending();
    void reprintHeaders(TrpBand *cause);
    bool datasetFailed(TrpDataset &dataset);

    TrpBuild &m_build;
    TrpPage &m_page;
    int m_index;
    std::vector<std::unique_ptr<TrpBand>> m_bands;
    TrpBand *m_slots[TrpBandTypes::Count] = {};
    // Bands waiting for a deeper level to print something: a header and a
    // row per level, so never more than six.
    std::vector<TrpBand *> m_pending;
    QHash<const TrpView *, TrpBand *> m_crossStrip;
    std::unique_ptr<TrpCrossLayout> m_cross;
    bool m_reprinting = false;
};
