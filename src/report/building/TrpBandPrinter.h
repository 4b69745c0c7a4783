#pragma once

#include <QStringList>
#include <QtGlobal>

#include <vector>

class TrpBand;
class TrpBuild;
struct TrpContinued;
class TrpObjectWriter;
class TrpPageBuilder;
class TrpStretcheable;
class TrpView;

// Outputs one band on the page being built: its script and page or column
// requests, the fit test, stretching, its objects (split across pages when
// the band allows it), subreports and cross columns, then the aggregates of
// the footers and the band's own resets.
class TrpBandPrinter
{
public:
    TrpBandPrinter(TrpBuild &build, TrpPageBuilder &page);

    void print(TrpBand &band);

    // Evaluates the memos of every footer that keeps aggregates for the
    // row of the data band.
    void collectAggregates(TrpBand &dataBand);

    // Prints the rows a text stood in with the text its box did not hold,
    // from the current y, over as many pages as it takes.
    void printContinued(TrpContinued &strip);

private:
    void draw(TrpBand &band);
    // Runs the writer's step (preparing, refreshing) on each object; false
    // after a build error.
    bool forObjects(TrpBand &band, const std::vector<TrpView *> &objects,
                    bool (TrpObjectWriter::*step)(TrpView &, TrpBand &));
    [[nodiscard]] qint32 heightOf(TrpBand &band, const std::vector<TrpView *> &objects) const;
    [[nodiscard]] qint32 chainHeight(TrpBand &band) const;
    [[nodiscard]] static qint32 stretchedHeight(const TrpView &view, const TrpStretcheable &stretch);
    // Whether the objects of a stretched band hold in that height, their
    // texts at the smallest size they may shrink to.
    [[nodiscard]] bool holdsIn(const std::vector<TrpView *> &objects, qint32 height) const;
    void writeObjects(TrpBand &band, const std::vector<TrpView *> &objects, qint32 top, qint32 height,
                      qint32 clipBottom);
    // A memo showing only what its box holds, with its own text and flags
    // to put back once written.
    struct HeldMemo
    {
        TrpView *view;
        QStringList text;
        quint16 flags;
    };
    // Cuts the texts of the band drawn whole that their boxes do not hold
    // even at the smallest size to what they hold, and keeps the rest with
    // their rows for a continuation sheet.
    [[nodiscard]] std::vector<HeldMemo> holdOver(TrpBand &band, const std::vector<TrpView *> &objects, qint32 height);
    // The height an object is drawn at in a band drawn whole at that height.
    [[nodiscard]] static qint32 drawnHeight(const TrpBand &band, const TrpView &view, qint32 height);
    // A band split over pages, or the rows of a continued text (whose
    // objects stretch and whose texts stay as they were printed).
    void drawSplit(TrpBand &band, const std::vector<TrpView *> &objects, qint32 height, bool continued = false);
    void collectInto(TrpBand &footer, TrpBand &dataBand);
    // A page or column break a script asked for.
    void breakAsked(TrpBand &band, bool page, bool column);
    void finish(TrpBand &band);

    TrpBuild &m_build;
    TrpPageBuilder &m_page;
};
