#pragma once

#include <QtGlobal>

#include <vector>

class TrpBand;
class TrpBuild;
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
    void drawSplit(TrpBand &band, const std::vector<TrpView *> &objects, qint32 height);
    void collectInto(TrpBand &footer, TrpBand &dataBand);
    // A page or column break a script asked for.
    void breakAsked(TrpBand &band, bool page, bool column);
    void finish(TrpBand &band);

    TrpBuild &m_build;
    TrpPageBuilder &m_page;
};
