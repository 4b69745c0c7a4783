#pragma once

#include <QString>

#include <functional>

class DbConnection;

// The set-up steps on the main database that the program itself never
// takes: creating the tables and filling the three tables it only reads.
// Texts are checked against their column sizes here, since SQLite does not
// enforce them.
namespace AdminDatabase {

// Adds rows to a database just created.
using Fill = std::function<bool(DbConnection &connection, QString &errorText)>;

// Creates the database that the connection string names, its tables and
// what fill adds: a new SQLite file (an existing one is refused), which
// appears under its name only when complete, or on PostgreSQL the database
// (when the server does not have it yet) and the tables in it.
[[nodiscard]] bool create(const QString &connectionString, const QString &user, const QString &password,
                          QString &errorText, const Fill &fill = {});

// A staff code as add-staff takes it: a whole number of 1 or more.
[[nodiscard]] bool isStaffCode(const QString &text, int &code);

// The schema script of db/ for the connection's kind of database.
[[nodiscard]] QString schema(const DbConnection &connection);

// Brings a database made by an earlier version up to the current tables:
// bookings get the foreign key to their slot (bookings of slots already
// deleted are removed and counted), and the indexes it lacks are created.
// Nothing changes on failure.
[[nodiscard]] bool upgrade(DbConnection &connection, int &removedBookings, QString &errorText);

[[nodiscard]] bool addStaff(DbConnection &connection, int code, const QString &name, const QString &mark,
                            QString &errorText);
[[nodiscard]] bool addLogin(DbConnection &connection, const QString &user, const QString &password, const QString &name,
                            QString &errorText);
// Names the facility: the first row of Facilities, added when there is none.
[[nodiscard]] bool setFacility(DbConnection &connection, const QString &name, QString &errorText);

} // namespace AdminDatabase
