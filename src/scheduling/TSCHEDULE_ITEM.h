#pragma once

#include "base/DateTime.h"

#include <QString>

// One Schedule row: a user booked into a slot.
struct TSCHEDULE_ITEM
{
    int WorkingNo = 0;
    int CureNo = 0;
    QString Comment;
    TDateTime CreateDate = DateTime::None;
};
