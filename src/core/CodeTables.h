#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <span>

// The fixed name tables that turn the integer codes stored in the database
// into the texts shown and printed. The index of an entry is its stored code.
using NameTable = std::span<const QStringView>;

inline constexpr std::array<QStringView, 6> SexNames{u"男性",           u"女性", u"男性から女性へ",
                                                     u"女性から男性へ", u"中性", u"不明"};
inline constexpr std::array<QStringView, 9> JiritsuNames{u"正常", u"J1", u"J2", u"A1", u"A2",
                                                         u"B1",   u"B2", u"C1", u"C2"};
inline constexpr std::array<QStringView, 8> NinchiNames{u"正常", u"Ⅰ", u"Ⅱa", u"Ⅱb", u"Ⅲa", u"Ⅲb", u"Ⅳ", u"Ｍ"};
inline constexpr std::array<QStringView, 7> YoukaigoNames{u"要支援1", u"要支援2", u"要介護1", u"要介護2",
                                                          u"要介護3", u"要介護4", u"要介護5"};
inline constexpr std::array<QStringView, 4> PresenceNames{u"無", u"有", u"問題無", u"問題有"};
inline constexpr std::array<QStringView, 7> GradeNames{u"無", u"Ⅰ", u"Ⅱ", u"Ⅲ", u"Ⅳ", u"Ⅴ", u"Ⅵ"};
inline constexpr std::array<QStringView, 3> AssistNames{u"自立", u"一部介助", u"介助"};
// Monday first.
inline constexpr std::array<QStringView, 7> WeekLongNames{u"月曜日", u"火曜日", u"水曜日", u"木曜日",
                                                          u"金曜日", u"土曜日", u"日曜日"};
inline constexpr std::array<QStringView, 7> WeekShortNames{u"月", u"火", u"水", u"木", u"金", u"土", u"日"};
// Indexed by RihaType.
inline constexpr std::array<QStringView, 4> RihaTypeNames{u"入所", u"短期入所", u"通所リハビリ", u"訪問リハビリ"};
// Sunday first: indexed by the day of the week modulo 7, Sunday 0.
inline constexpr std::array<QStringView, 7> CommonWeekNames{u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
inline constexpr std::array<QStringView, 7> CalendorWeekNames{u"日", u"月", u"火", u"水", u"木", u"金", u"土"};

// Category bits of KubunCode.
inline constexpr int KubunTanki = 1;   // 短期集中
inline constexpr int KubunNinchi = 2;  // 認知症
inline constexpr int KubunShudan = 4;  // 集団
inline constexpr int KubunKobetsu = 8; // 個別

// The name of a stored code. Stored rows hold -1 for "not set" and may hold
// codes that no table knows; those give the empty text.
[[nodiscard]] QString CodeName(NameTable table, int code);

// Reverse lookups for texts read from files: the first entry equal to the
// name (exact, case-sensitive), or -1.
[[nodiscard]] int IndexOfName(NameTable table, QStringView name);
[[nodiscard]] int IndexOfJiritsuName(QStringView name);
[[nodiscard]] int IndexOfNinchiName(QStringView name);
[[nodiscard]] int IndexOfYoukaigoName(QStringView name);
