#pragma once

#include "base/DateTime.h"

#include <QString>

class DbConnection;

// Rows for the scheduling tests, written straight into the tables.
namespace ScheduleRows {

// A user cared for from `start` to `end` (0: no end).
void addPerson(DbConnection &db, int cureNo, const QString &name, TDateTime start, TDateTime end = 0, int rihaType = 0,
               int kubunCode = 8);
// A slot at hh:mm; returns its ReserveNo.
int addSlot(DbConnection &db, TDateTime day, int staff, int hour, int minute, int minutes, int capacity);
void addBooking(DbConnection &db, int reserveNo, int cureNo);
[[nodiscard]] int count(DbConnection &db, const QString &table, const QString &where = QStringLiteral("1 = 1"));

} // namespace ScheduleRows
