#pragma once

#include "results/CureResult.h"

#include <vector>

class DbConnection;
class TMainModule;

// Results and staff for the tests.
namespace ResultRows {

// Staff 1 "山田 花子" (ヤ), 2 "鈴木 一郎" (ス); logged in as 9 "記録 係".
void fillStaff(TMainModule &module);
// A result of the user on that day at 10:00 for 20 minutes, by staff 1,
// of form 0 with KubunCode 8 and its flags.
[[nodiscard]] CureResult make(int cureNo, TDateTime day, const QString &name = QStringLiteral("山田 太郎"));
// Inserts the rows; the test fails with the reason when that fails.
void insert(DbConnection &db, const std::vector<CureResult> &rows);
// Every row of CureResults in key order.
[[nodiscard]] std::vector<CureResult> all(DbConnection &db);

} // namespace ResultRows
