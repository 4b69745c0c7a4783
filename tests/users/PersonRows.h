#pragma once

#include "users/TPerson.h"

#include <QString>

class DbConnection;

// Users for the tests, written through TPerson's own row mapping.
namespace PersonRows {

// A user with the name and kana, born 1940-04-01, admitted 2020-04-01.
[[nodiscard]] TPerson make(const QString &name, const QString &kana, int hinorikuUserNo = 0);
// A user with a value in every column the register writes, no wishes.
[[nodiscard]] TPerson full();
// Inserts the user with its wishes; the user number the database assigned,
// 0 on failure (the test fails with the reason).
int insert(DbConnection &db, const TPerson &person);

} // namespace PersonRows
