#pragma once

#include <QString>

class DbConnection;

// Fills the Comment table with stock phrases for every group the program
// offers lists for, so that a demo database shows filled drop-down lists.
// All or nothing: false with the reason in errorText.
[[nodiscard]] bool addDemoPhrases(DbConnection &database, QString &errorText);
