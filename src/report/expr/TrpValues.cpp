#include "report/expr/TrpValues.h"

const TrpValue *TrpValues::FindName(const QString &name) const
{
    for (const TrpValue &value : m_items) {
        if (value.Name == name)
            return &value;
    }
    return nullptr;
}
