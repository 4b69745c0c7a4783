#include "report/data/TrpDataset.h"

#include <limits>

TrpDataset::TrpDataset(QObject *owner) : QObject(owner) {}

TrpDataset::~TrpDataset() = default;

void TrpDataset::fail(TrpError error)
{
    if (error.kind == TrpError::Kind::None)
        error.kind = TrpError::Kind::Database;
    m_error = std::move(error);
}

bool TrpDataset::failWith(TrpError::Kind kind, const QString &message)
{
    m_error = TrpError{kind, message, -1};
    return false;
}

bool TrpDataset::Init()
{
    m_error = {};
    return true;
}

bool TrpDataset::Exit()
{
    return !failed();
}

bool TrpDataset::First()
{
    RecNo = 0;
    if (OnFirst)
        OnFirst(*this);
    return !failed();
}

bool TrpDataset::Next()
{
    if (RecNo == std::numeric_limits<qint32>::max())
        return failWith(TrpError::Kind::Database, QStringLiteral("Too many rows in dataset ") + objectName());
    ++RecNo;
    if (OnNext)
        OnNext(*this);
    return !failed();
}

bool TrpDataset::Eof()
{
    bool eof = RangeEnd == reCount && RecNo >= RangeEndCount;
    if (OnCheckEOF)
        OnCheckEOF(*this, eof);
    return eof || failed();
}
