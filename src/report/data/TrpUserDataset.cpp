#include "report/data/TrpUserDataset.h"

bool TrpUserDataset::First()
{
    m_walk.start();
    return TrpDataset::First();
}

bool TrpUserDataset::Eof()
{
    if (RangeEnd != reCount && !OnCheckEOF && (RecNo >= UnendingRowLimit || m_walk.passed())) {
        failWith(TrpError::Kind::Database, QStringLiteral("Dataset ") + objectName() + QStringLiteral(" has no end"));
        return true;
    }
    return TrpDataset::Eof();
}
