#include "results/ResultsContext.h"

QString ResultsContext::staffName(int code) const
{
    const qsizetype index = StaffCodes.indexOf(code);
    return index < 0 ? QString() : StaffNames.value(index);
}

QString ResultsContext::staffKigo(int code) const
{
    const qsizetype index = StaffCodes.indexOf(code);
    return index < 0 ? QString() : StaffKigos.value(index);
}

int ResultsContext::staffCodeOfName(const QString &name) const
{
    const qsizetype index = StaffNames.indexOf(name);
    return index < 0 ? -1 : StaffCodes.value(index, -1);
}
