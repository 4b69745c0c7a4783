#pragma once

#include <QtGlobal>

#include <vector>

class TrpBand;
class TrpBuild;
class TrpPageBuilder;
class TrpView;

// Prints the subreports of a band side by side: each subreport's page is
// built in recording mode, then the recorded bands are placed on the parent
// page from the band's top down; a subreport that runs out of room goes on
// at the top of a new page until all are done.
class TrpSubReports
{
public:
    TrpSubReports(TrpBuild &build, TrpPageBuilder &page);

    // The lowest bottom reached on the last page.
    qint32 run(TrpBand &band, const std::vector<TrpView *> &subreports, qint32 top);

private:
    TrpBuild &m_build;
    TrpPageBuilder &m_page;
};
