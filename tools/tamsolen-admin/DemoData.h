#pragma once

#include <QString>

class DbConnection;

// A small demo data set with realistic Japanese data, so that every window
// has something to show. Each table has its own fill step (see DemoData.cpp);
// a table added later adds its step after the tables it refers to.
namespace DemoData {

// The demo login.
inline constexpr char16_t LoginUser[] = u"1";
inline constexpr char16_t LoginPassword[] = u"demo";

// Fills every step in one transaction; on failure nothing is written.
[[nodiscard]] bool fill(DbConnection &connection, QString &errorText);

} // namespace DemoData
