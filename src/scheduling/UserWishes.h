#pragma once

#include "base/DateTime.h"
#include "scheduling/TUserWeekBook.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

class DbConnection;

// The users' weekly wishes kept in their Person rows (Reserve01..07 and
// Funn01..07, Monday first): the users of a month, the check of the typed
// week and its save.
namespace UserWishes {

// RihaType of the month's user list that stands for every type.
inline constexpr int AllTypes = 4;

struct WishUser
{
    int CureNo = 0;
    QString Name;
    QString Kana;
    int Sex = -1;
    TDateTime Birth = DateTime::None;
    TDateTime NyushoDate = DateTime::None;
    TDateTime TaishoDate = DateTime::None;
    int RihaType = -1;
    int KubunCode = 0;
    TUserWeekBook::Week Week{};
};

// The users cared for in the month of monthStart: admitted before the next
// month and not discharged before its first day. rihaType AllTypes lists
// every user, otherwise the users of that type with one of the category
// bits. By number; nullopt on a read error.
[[nodiscard]] std::optional<std::vector<WishUser>> usersOfMonth(DbConnection &database, TDateTime monthStart,
                                                                 int rihaType, int kubunCode);

// The week as typed: seven start texts "hh:mm" (blanks for unfilled
// places; a blank editor is start 0) and seven minute texts, checked Monday
// first: every start, then every minute count, then the days that give a
// wish (a start and at least one minute) against what a slot may be.
struct WeekCheck
{
    TUserWeekBook::Week week{};
    int errorDay = -1;          // 0 = Monday; -1 when the week is sound
    bool errorInMinutes = false; // the minutes editor, else the start editor
    QString message;
};
[[nodiscard]] WeekCheck checkWeek(const std::array<QString, 7> &starts, const std::array<QString, 7> &minutes);

enum class SaveResult { Ok, UserGone, WriteFailed };
// Writes the week into the user's row in one transaction.
[[nodiscard]] SaveResult saveWeek(DbConnection &database, int cureNo, const TUserWeekBook::Week &week);

// "hh:mm" of a stored start, "00:00" for none.
[[nodiscard]] QString startText(TDateTime start);

} // namespace UserWishes
