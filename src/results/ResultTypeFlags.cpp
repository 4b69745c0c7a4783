#include "results/ResultTypeFlags.h"

#include "base/Sjis.h"
#include "core/TKubun.h"

std::pair<int, int> ResultTypeFlags::columnsOfType(int rihaType)
{
    switch (rihaType) {
    case 0:
    case 1:
    case 2:
        return {rihaType * 4, 4};
    case 3:
        return {12, 2};
    default:
        return {0, 0};
    }
}

ResultTypeFlags::Values ResultTypeFlags::derive(int rihaType, int kubunCode)
{
    TKubun kubun;
    kubun.SetCode(kubunCode);
    const std::array<bool, 4> categories{kubun.Tanki, kubun.Ninchi, kubun.Shudan, kubun.Kobetsu};
    Values flags{};
    const auto [first, count] = columnsOfType(rihaType);
    for (int i = 0; i < count; ++i)
        flags[size_t(first + i)] = categories[size_t(i)];
    return flags;
}

int ResultTypeFlags::kubunCodeOfTicks(int rihaType, const Values &ticks)
{
    const auto [first, count] = columnsOfType(rihaType);
    if (count == 0)
        return -1;
    int code = 0;
    for (int i = 0; i < count; ++i) {
        if (ticks[size_t(first + i)])
            code |= 1 << i;
    }
    return code;
}

ResultTypeFlags::Values ResultTypeFlags::keepOwnType(int rihaType, const Values &ticks)
{
    Values kept{};
    const auto [first, count] = columnsOfType(rihaType);
    for (int i = first; i < first + count; ++i)
        kept[size_t(i)] = ticks[size_t(i)];
    return kept;
}

QString ResultTypeFlags::text(bool value)
{
    return (value ? TrueText : FalseText).toString();
}

bool ResultTypeFlags::isTrue(QStringView stored)
{
    return Sjis::trim(stored) == TrueText;
}
