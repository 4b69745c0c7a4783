#include "reportui/TrpTBButton.h"

TrpTBButton::TrpTBButton(QWidget *parent) : TrpSpeedButton(parent)
{
    SetFlat(true);
}
