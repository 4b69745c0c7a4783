#pragma once

#include "base/DateTime.h"

class DbConnection;

// Staff slots and bookings for the copy tests and benchmarks.
namespace BookingRows {

// A slot of the staff member on the day at the time; its ReserveNo, 0 on
// failure (the test fails with the reason).
int addSlot(DbConnection &db, TDateTime day, int staffCode, TDateTime start, int minutes, int capacity = 1);
// Books the user into the slot.
bool book(DbConnection &db, int reserveNo, int cureNo);

} // namespace BookingRows
