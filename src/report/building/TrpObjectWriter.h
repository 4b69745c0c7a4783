#pragma once

#include <QSet>
#include <QtGlobal>

class TrpBand;
class TrpBuild;
class TrpView;

// Prepares report objects for output (script, the report's OnEnterRect
// hook, expansion of the text) and writes them to the prepared page being
// built, or to the recorder of a subreport.
class TrpObjectWriter
{
public:
    explicit TrpObjectWriter(TrpBuild &build);

    // False after recording a build error.
    bool prepare(TrpView &view, TrpBand &band);
    // Expands a prepared memo's brackets again, for output on a page or
    // column started after it was prepared, so that PAGE# and the like are
    // the new page's; its script and the hook do not run again, and a text
    // the hook gave stays. False after recording a build error.
    bool refresh(TrpView &view, TrpBand &band);
    // Writes a visible object with its top-left corner at x, y; false after
    // recording a build error.
    bool write(TrpView &view, TrpBand &band, qint32 x, qint32 y);
    // A recorded object placed on the page being built.
    bool writeRecorded(TrpView &view, qint32 x, qint32 y);
    void beginRecordedStep(qint32 height);

private:
    bool prepareMemo(TrpView &view, TrpBand &band);
    bool put(TrpView &view, TrpBand *band);

    TrpBuild &m_build;
    // Memos whose text the OnEnterRect hook gave at their last preparation.
    QSet<const TrpView *> m_hooked;
};
