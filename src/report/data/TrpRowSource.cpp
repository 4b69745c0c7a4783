#include "report/data/TrpRowSource.h"

TrpRowSource::~TrpRowSource() = default;

bool TrpRowSource::isLargeObject(FieldType type)
{
    switch (type) {
    case FieldType::Blob:
    case FieldType::Memo:
    case FieldType::Graphic:
    case FieldType::FormattedMemo:
    case FieldType::ParadoxOle:
    case FieldType::DBaseOle:
    case FieldType::TypedBinary:
        return true;
    default:
        return false;
    }
}
