#pragma once

#include "base/DateTime.h"

#include <QString>
#include <QStringView>

#include <optional>

// Dates in the Japanese era form, as every window shows and takes them.
inline constexpr QStringView EraDateFormat = u"ggee年mm月dd日";
inline constexpr QStringView EraYearMonthFormat = u"ggee年mm月";
// The texts of an input before anything is typed: two full-width underscores
// stand for the era name.
inline constexpr QStringView EraDateTemplate = u"＿＿__年__月__日";
inline constexpr QStringView EraYearMonthTemplate = u"＿＿__年__月";
inline constexpr QStringView TimeTemplate = u"__:__";

// "平成20年05月01日".
[[nodiscard]] QString FormatEraDate(TDateTime date);
// "平成20年05月".
[[nodiscard]] QString FormatEraYearMonth(TDateTime date);
// The era letter and "ee.mm.dd", as "H20.05.01"; empty for the date 0 and for
// a date before the first era.
[[nodiscard]] QString FormatEraShortDate(TDateTime date);

// Reads an era date as the entry machines leave it: the era name's first
// character picks the era, then the era year, month and day at their fixed
// places of the Shift-JIS text, each of which may begin with blanks
// ("平成 5年 6月 1日"). Era year ranges are not checked, so "平成32年" is 2020.
// nullopt for an unknown era, an unreadable number or a day the month lacks.
[[nodiscard]] std::optional<TDateTime> ParseEraDate(QStringView text);
