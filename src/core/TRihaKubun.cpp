#include "core/TRihaKubun.h"

void TRihaKubun::SetRihaType(int type)
{
    Clear();
    RihaType = type;
    switch (type) {
    case 0:
    case 1:
        Usable = {true, true, true, true, true, false};
        break;
    case 2:
        Usable = {true, true, true, true, true, true};
        break;
    case 3:
        Usable = {true, true, true, false, false, true};
        break;
    default:
        Usable = {};
        break;
    }
}
