#pragma once

#include "report/common/TrpDeadline.h"
#include "report/data/TrpDataset.h"

// A data set without data of its own: counted (RangeEnd reCount with
// RangeEndCount rows, read by RecNo), or driven by its owner through
// OnFirst, OnNext and OnCheckEOF.
class TrpUserDataset : public TrpDataset
{
    Q_OBJECT
public:
    // Rows a walk with no end rule (no count and no OnCheckEOF) yields
    // before it stops with an error instead of running for ever; it stops
    // sooner when its time (TrpDeadline::EndlessWork) has passed.
    static constexpr qint32 UnendingRowLimit = 100000;

    using TrpDataset::TrpDataset;

    [[nodiscard]] bool First() override;
    [[nodiscard]] bool Eof() override;

private:
    TrpDeadline m_walk;
};
