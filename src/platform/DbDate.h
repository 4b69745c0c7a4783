#pragma once

#include "base/DateTime.h"

#include <QString>

#include <optional>
#include <string_view>

// A date-time value bound to a statement or stored in a field. In memory a
// date is a TDateTime (0 meaning "none", and stored as such); only the
// database layer turns it into a column value: a PostgreSQL timestamp, or in
// SQLite the text "yyyy-MM-dd HH:mm:ss.zzz". Dates are bound through this
// type, never as plain doubles, so that a number is never taken for a date.
struct DbDate
{
    TDateTime value = DateTime::None;

    friend bool operator==(DbDate, DbDate) = default;

    // False for values outside the calendar (not finite, or beyond year 9999).
    [[nodiscard]] bool isValid() const;
    // "yyyy-MM-dd HH:mm:ss.zzz", to the millisecond; empty when not valid.
    [[nodiscard]] QString text() const;

    // Reads "yyyy-MM-dd", optionally followed by " HH:mm:ss" or "THH:mm:ss"
    // and a fraction of a second (what SQLite holds and what PostgreSQL
    // writes for its timestamps); a trailing UTC offset is ignored.
    [[nodiscard]] static std::optional<DbDate> parse(std::string_view text);
    [[nodiscard]] static std::optional<DbDate> parse(QStringView text);
};
