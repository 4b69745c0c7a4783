#include "core/InputHelpers.h"

qsizetype FirstNonBlankPos(QStringView text, qsizetype start)
{
    for (qsizetype pos = qMax<qsizetype>(start, 1); pos <= text.size(); ++pos) {
        if (text[pos - 1] != u' ')
            return pos;
    }
    return text.size() + 1;
}
