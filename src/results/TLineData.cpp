#include "results/TLineData.h"

#include "base/Sjis.h"
#include "core/CodeTables.h"
#include "results/CureResult.h"

TLineData TLineData::build(bool sunday, const QString &caption, std::span<const CureResult> day)
{
    TLineData line;
    line.COLOR = sunday;
    line.DayWeek = caption;
    if (day.empty())
        return line;
    const CureResult &first = day.front();
    line.Start = first.RStartTime;
    line.RsType = CodeName(RihaTypeNames, first.RihaType);
    for (int i = 0; i < ResultTypeFlags::Count; ++i) {
        if (first.Flags[size_t(i)])
            line.*MarkFields[size_t(i)] = Sjis::trim(first.StuffKigo);
    }
    line.Comment = first.Comment;
    line.Login = first.LoginName;
    line.Count = int(day.size());
    for (const CureResult &result : day)
        line.Funn += result.RMinute;
    return line;
}
