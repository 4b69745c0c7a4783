#pragma once

#include "core/TKubun.h"

#include <array>

// The categories of a user together with the rehabilitation type, and which
// category inputs that type offers.
class TRihaKubun : public TKubun
{
public:
    // Indexes of Usable.
    enum UsableEntry { UsableLabel = 0, UsableTanki, UsableNinchi, UsableShudan, UsableKobetsu, UsableKijunDate };

    TRihaKubun() = default;

    // Clears the flags and takes the type: 0 and 1 offer all four categories,
    // 2 those and the reference date, 3 短期集中 and 認知症 with the reference
    // date; any other type (-1 for none) offers nothing.
    void SetRihaType(int type);

    int RihaType = -1;
    std::array<bool, 6> Usable{};
};
