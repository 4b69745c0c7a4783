#pragma once

#include "report/building/TrpAggregates.h"

#include "base/Variant.h"

#include <QStringList>

#include <algorithm>

#include <memory>
#include <vector>

class TrpBandView;
class TrpDataset;
class TrpView;

// A band while a page is built: made from a band object of the template
// page, with the objects that lie on it (their Top relative to the band),
// its data set and its links to header, footer and group bands. Bands of
// the same type form a chain from top to bottom.
class TrpBand
{
public:
    // Positions and sizes from a file are held within this range, so that
    // the sums of building never overflow.
    static constexpr qint32 CoordinateLimit = 1 << 24;
    [[nodiscard]] static qint32 bounded(qint64 value)
    {
        return qint32(std::clamp<qint64>(value, -CoordinateLimit, CoordinateLimit));
    }
    // A running position: within a range no sum of two can leave.
    [[nodiscard]] static qint32 position(qint64 value)
    {
        return qint32(std::clamp<qint64>(value, -(1 << 30), 1 << 30));
    }

    explicit TrpBand(TrpBandView &view);
    ~TrpBand();
    TrpBand(const TrpBand &) = delete;
    TrpBand &operator=(const TrpBand &) = delete;

    [[nodiscard]] const QString &name() const;

    TrpBandView &view;
    int type = 0;
    TrpBand *next = nullptr;

    bool stretched = false;
    bool startNewPage = false;
    bool printIfDetailEmpty = false;
    bool allowSplit = false;
    bool reprintOnNewPage = false;

    qint32 y = 0;
    qint32 designHeight = 0;
    // Cross strips run across the page: their left edge and width.
    qint32 x = 0;
    qint32 width = 0;

    // Ordinary objects first, subreport objects last.
    std::vector<TrpView *> objects;
    QStringList script;

    TrpDataset *dataset = nullptr;
    std::unique_ptr<TrpDataset> ownDataset;
    TrpDataset *crossDataset = nullptr;
    std::unique_ptr<TrpDataset> ownCrossDataset;

    // Data bands: the header and footer of their level.
    TrpBand *header = nullptr;
    TrpBand *footer = nullptr;
    // Group headers: the condition, its value at the last header, the footer.
    QString condition;
    Variant lastValue;
    TrpBand *groupFooter = nullptr;

    qint32 lineNo = 0;
    qint32 lineThrough = 0;
    TrpAggregates aggregates;
    // A header printed again on a new page keeps its footer's aggregates.
    bool reprinting = false;
    // NEWPAGE or NEWCOLUMN called from a script of one of the band's
    // objects: carried out after the band.
    bool objectNewPage = false;
    bool objectNewColumn = false;
};
