#pragma once

#include "base/DateTime.h"

#include <QString>

// One staff time slot, the in-memory image of a TimeTable row. PNo is the
// board column the slot is drawn in (-1: not drawn); LName names its label.
struct TIMETABLE_ITEM
{
    int PNo = 0;
    QString LName;
    int ResNo = 0;
    TDateTime RegistDay = DateTime::None;
    int Stf = 0;
    TDateTime StartTime = DateTime::None;
    int Fnn = 0;
    int Cap = 0;
};
