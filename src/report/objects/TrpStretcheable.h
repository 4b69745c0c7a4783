#pragma once

#include "report/objects/TrpView.h"

// An object whose height can follow its content when its band stretches.
class TrpStretcheable : public TrpView
{
public:
    // The height the object needs for its expanded text; 0 when it is
    // invisible or has nothing to show.
    [[nodiscard]] virtual qint32 CalcHeight() const = 0;

protected:
    TrpStretcheable() = default;
    TrpStretcheable(const TrpStretcheable &) = default;
};
