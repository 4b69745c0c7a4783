#include "report/data/TrpRowSource.h"

#include "base/Sjis.h"

TrpRowSource::~TrpRowSource() = default;

std::optional<QByteArray> TrpRowSource::fieldBytes(const QString &) const
{
    return std::nullopt;
}

QString TrpRowSource::textOfBytes(const QByteArray &bytes)
{
    return Sjis::decode(bytes);
}
