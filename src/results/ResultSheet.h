#pragma once

#include "base/DateTime.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

class DbConnection;

// The monthly results sheet without its window: one row per user who has
// results in the month, a mark per day and the count of results.
class ResultSheet
{
public:
    struct UserRow
    {
        int CureNo = 0;
        QString Name;
        std::array<QString, 31> Marks; // day 1..31 at index 0..30
        int Count = 0;
    };
    // The header of one day column.
    struct DayHeader
    {
        QString Day;     // "5", empty past the month's end
        QString Weekday; // "月"
        bool Sunday = false;
    };

    explicit ResultSheet(DbConnection &database) : m_db(database) {}

    // The first day of the date's month and of the next month.
    [[nodiscard]] static std::pair<TDateTime, TDateTime> monthRange(TDateTime date);
    [[nodiscard]] static std::array<DayHeader, 31> monthHeader(TDateTime fromDate);
    // "○" 入所, "□" 短期入所, "△" 通所, "◇" 訪問; empty for another form.
    [[nodiscard]] static QString dayMark(int rihaType);
    // The day-count cell: " " and the count right-aligned in four places.
    [[nodiscard]] static QString countText(int count);
    // The grid text of a user number, "%8.8d".
    [[nodiscard]] static QString cureNoText(int cureNo);
    // A user number read back from the grid; nullopt for an empty or bad cell.
    [[nodiscard]] static std::optional<int> cureNoOfText(const QString &text);

    // The users of [from, to), by user number, each once (the name of the
    // user's latest result); nullopt when the rows could not be read.
    [[nodiscard]] std::optional<std::vector<UserRow>> load(TDateTime from, TDateTime to) const;
    // Whether the user has results in [from, to); nullopt on failure.
    [[nodiscard]] std::optional<bool> hasResults(int cureNo, TDateTime from, TDateTime to) const;

private:
    DbConnection &m_db;
};
