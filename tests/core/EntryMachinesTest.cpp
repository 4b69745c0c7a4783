#include "core/EntryMachines.h"
#include "base/Clock.h"

#include <gtest/gtest.h>

namespace {

using Machine = void (*)(int &, QString &, QChar &);

struct Entry
{
    QString text;
    int caret = 0;
};

// Types the keys as an input does: each key goes in at the caret, and the
// caret goes where the machine puts it.
Entry type(Machine machine, Entry entry, QStringView keys)
{
    for (const QChar k : keys) {
        QChar key = k;
        int state = entry.caret;
        machine(state, entry.text, key);
        EXPECT_TRUE(key.isNull());
        entry.caret = state;
    }
    return entry;
}

Entry start(Machine machine, int state)
{
    Entry entry;
    QChar key = u'x';
    machine(state, entry.text, key);
    EXPECT_TRUE(key.isNull());
    entry.caret = state;
    return entry;
}

// Keys typed into an input that starts as the empty template (state -1),
// today (-2) or a given text with the caret at a place.
struct Case
{
    const char *what;
    Machine machine;
    int state;
    const char16_t *text;
    int caret;
    const char16_t *keys;
    const char16_t *expected;
    int expectedCaret; // -1: not checked
};

const Machine Date = EraDateKeyPress;
const Machine YearMonth = EraYearMonthKeyPress;
const Machine Time = TimeKeyPress;

const Case cases[] = {
    {"empty template", Date, -1, nullptr, 0, u"", u"＿＿__年__月__日", 0},
    // A "0" in a tens place leaves a blank that ParseEraDate reads.
    {"tens zero", Date, -1, nullptr, 0, u"H200501", u"平成20年 5月 1日", 11},
    {"lower-case era", Date, -1, nullptr, 0, u"r010501", u"令和 1年 5月 1日", 11},
    {"blank as zero", Date, -1, nullptr, 0, u"s6401 7", u"昭和64年 1月 7日", 11},
    // 平成 goes on past its 31st year for the texts that rely on it.
    {"era past its end", Date, -1, nullptr, 0, u"h321231", u"平成32年12月31日", -1},
    // Year 0: the ones place stays open and waits.
    {"year 0", Date, -1, nullptr, 0, u"H00", u"平成 _年__月__日", 3},
    {"year 0 then 7", Date, -1, nullptr, 0, u"H007", u"平成 7年__月__日", 5},
    {"month 13", Date, -1, nullptr, 0, u"H2013", u"平成20年1_月__日", 6},
    {"month tens above 1", Date, -1, nullptr, 0, u"H202", u"平成20年__月__日", 5},
    {"31 in a 30-day month", Date, -1, nullptr, 0, u"R011131", u"令和 1年11月3_日", 9},
    {"30 in a 30-day month", Date, -1, nullptr, 0, u"R0111310", u"令和 1年11月30日", 11},
    {"29 February, no leap year", Date, -1, nullptr, 0, u"R050229", u"令和 5年 2月2_日", 9},
    {"29 February, leap year", Date, -1, nullptr, 0, u"R060229", u"令和 6年 2月29日", -1},
    // A day tens above 3 marks the place open; letters at digit places do nothing.
    {"day tens above 3", Date, -1, nullptr, 0, u"R0101x4", u"令和 1年 1月__日", 8},
    {"letter at a digit", Date, -1, nullptr, 0, u"Rx", u"令和__年__月__日", 2},
    // An unknown key at the era leaves the era and moves on to the year.
    {"unknown era key", Date, -1, nullptr, 0, u"x", u"＿＿__年__月__日", 2},
    {"retyped era", Date, 0, u"平成20年05月01日", 1, u"R", u"令和20年05月01日", 2},
    {"year ones without tens", Date, 0, u"平成__年05月01日", 3, u"5", u"平成__年05月01日", 2},
    {"on 年", Date, 0, u"平成20年05月01日", 4, u"9", nullptr, 5},
    {"on 月", Date, 0, u"平成20年05月01日", 7, u"9", nullptr, 8},
    {"on 日", Date, 0, u"平成20年05月01日", 10, u"9", u"平成20年05月01日", 10},
    {"no template", Date, 0, u"abc", 5, u"1", u"＿＿__年1_月__日", -1},
    {"today", Date, -2, nullptr, 0, u"", u"令和01年05月07日", 0},
    // Typing over today: the day digit is taken because 令和 reads back.
    {"over today", Date, 0, u"令和01年05月07日", 8, u"31", u"令和01年05月31日", 11},
    {"over today, day not yet taken", Date, -2, nullptr, 0, u"H31043", u"平成31年 4月37日", 9},
    {"over today, day taken", Date, -2, nullptr, 0, u"H310430", u"平成31年 4月30日", -1},

    {"year-month template", YearMonth, -1, nullptr, 0, u"", u"＿＿__年__月", -1},
    {"year-month today", YearMonth, -2, nullptr, 0, u"", u"令和01年05月", -1},
    {"year-month full", YearMonth, -1, nullptr, 0, u"R0612", u"令和 6年12月", 8},
    {"year-month keys after the end", YearMonth, -1, nullptr, 0, u"R06125", u"令和 6年12月", 8},
    {"year-month no era letter", YearMonth, -1, nullptr, 0, u"2", u"＿＿__年__月", 0},
    {"year-month over today", YearMonth, -2, nullptr, 0, u"h3110", u"平成31年10月", -1},
    {"year-month month 09", YearMonth, 0, u"平成31年10月", 5, u"09", u"平成31年 9月", -1},
    {"year-month month 00", YearMonth, 0, u"平成31年10月", 5, u"00", u"平成31年 _月", 6},

    // Every negative state gives the empty template, today included.
    {"time today", Time, -2, nullptr, 0, u"", u"__:__", 0},
    {"time", Time, -1, nullptr, 0, u"0930", u" 9:30", 5},
    {"time 23:59", Time, -1, nullptr, 0, u"2359", u"23:59", -1},
    {"time blank minutes tens", Time, -1, nullptr, 0, u"10 5", u"10: 5", -1},
    // After a "2" only 20 to 23; minutes tens up to 5; other keys wait.
    {"time 24", Time, -1, nullptr, 0, u"24", u"2_:__", 1},
    {"time letters wait", Time, -1, nullptr, 0, u"3x19", u"19:__", 3},
    {"time minutes", Time, -1, nullptr, 0, u"3x196a5x7", u"19:57", 5},
    // On ":" any key puts the separator back and moves on.
    {"time separator", Time, 0, u"12x45", 2, u"q", u"12:45", 3},
};

} // namespace

TEST(EntryMachines, KeysTypedIntoTheTemplates)
{
    Clock::setFixed(QDateTime(QDate(2019, 5, 7), QTime(10, 0)));
    for (const Case &c : cases) {
        const Entry begin = c.text ? Entry{QString::fromUtf16(c.text), c.caret} : start(c.machine, c.state);
        const Entry e = type(c.machine, begin, c.keys);
        if (c.expected) {
            EXPECT_EQ(e.text, QString::fromUtf16(c.expected)) << c.what;
        }
        if (c.expectedCaret >= 0) {
            EXPECT_EQ(e.caret, c.expectedCaret) << c.what;
        }
    }
    Clock::reset();
}
