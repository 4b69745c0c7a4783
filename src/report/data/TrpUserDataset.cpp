#include "report/data/TrpUserDataset.h"

bool TrpUserDataset::Eof()
{
    if (RangeEnd != reCount && !OnCheckEOF && RecNo >= UnendingRowLimit) {
        failWith(TrpError::Kind::Database, QStringLiteral("Dataset ") + objectName() + QStringLiteral(" has no end"));
        return true;
    }
    return TrpDataset::Eof();
}
