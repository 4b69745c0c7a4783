#pragma once

#include "base/DateTime.h"

#include <QString>

// The user picked from a board's user list: what a drop books and what
// the user information dialog shows.
struct BookingUser
{
    int CureNo = 0;
    TDateTime NyushoDate = DateTime::None; // start of care
    TDateTime TaishoDate = DateTime::None; // end of care, 0 = none
    int RihaType = -1;
    int KubunCode = 0;
    QString Name;

    friend bool operator==(const BookingUser &, const BookingUser &) = default;
};
