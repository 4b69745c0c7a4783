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

Entry typed(Machine machine, QStringView keys)
{
    return type(machine, start(machine, -1), keys);
}

class EntryMachines : public ::testing::Test
{
protected:
    void SetUp() override { Clock::setFixed(QDateTime(QDate(2019, 5, 7), QTime(10, 0))); }
    void TearDown() override { Clock::reset(); }
};

} // namespace

TEST_F(EntryMachines, DateFromTheEmptyTemplate)
{
    const Entry empty = start(EraDateKeyPress, -1);
    EXPECT_EQ(empty.text, QStringLiteral("＿＿__年__月__日"));
    EXPECT_EQ(empty.caret, 0);

    // A "0" in a tens place leaves a blank that ParseEraDate reads.
    Entry e = typed(EraDateKeyPress, u"H200501");
    EXPECT_EQ(e.text, QStringLiteral("平成20年 5月 1日"));
    EXPECT_EQ(e.caret, 11);

    e = typed(EraDateKeyPress, u"r010501");
    EXPECT_EQ(e.text, QStringLiteral("令和 1年 5月 1日"));
    EXPECT_EQ(e.caret, 11);

    e = typed(EraDateKeyPress, u"s6401 7");
    EXPECT_EQ(e.text, QStringLiteral("昭和64年 1月 7日"));
    EXPECT_EQ(e.caret, 11);

    // 平成 goes on past its 31st year for the texts that rely on it.
    e = typed(EraDateKeyPress, u"h321231");
    EXPECT_EQ(e.text, QStringLiteral("平成32年12月31日"));
}

TEST_F(EntryMachines, DateRefusesWhatCannotBe)
{
    // Year 0: the ones place stays open and waits.
    Entry e = typed(EraDateKeyPress, u"H00");
    EXPECT_EQ(e.text, QStringLiteral("平成 _年__月__日"));
    EXPECT_EQ(e.caret, 3);
    e = type(EraDateKeyPress, e, u"7");
    EXPECT_EQ(e.text, QStringLiteral("平成 7年__月__日"));
    EXPECT_EQ(e.caret, 5);

    // Month 13: the ones place is reset.
    e = typed(EraDateKeyPress, u"H2013");
    EXPECT_EQ(e.text, QStringLiteral("平成20年1_月__日"));
    EXPECT_EQ(e.caret, 6);
    // A month tens above 1 is not taken.
    e = typed(EraDateKeyPress, u"H202");
    EXPECT_EQ(e.text, QStringLiteral("平成20年__月__日"));
    EXPECT_EQ(e.caret, 5);

    // 31 in a 30-day month is refused at the last digit; 30 is taken.
    e = typed(EraDateKeyPress, u"R011131");
    EXPECT_EQ(e.text, QStringLiteral("令和 1年11月3_日"));
    EXPECT_EQ(e.caret, 9);
    e = type(EraDateKeyPress, e, u"0");
    EXPECT_EQ(e.text, QStringLiteral("令和 1年11月30日"));
    EXPECT_EQ(e.caret, 11);

    // 29 February only in a leap year.
    EXPECT_EQ(typed(EraDateKeyPress, u"R050229").caret, 9);
    EXPECT_EQ(typed(EraDateKeyPress, u"R060229").text, QStringLiteral("令和 6年 2月29日"));

    // A day tens above 3 marks the place open; letters at digit places do nothing.
    e = typed(EraDateKeyPress, u"R0101x4");
    EXPECT_EQ(e.text, QStringLiteral("令和 1年 1月__日"));
    EXPECT_EQ(e.caret, 8);
    e = typed(EraDateKeyPress, u"Rx");
    EXPECT_EQ(e.caret, 2);
    EXPECT_EQ(e.text, QStringLiteral("令和__年__月__日"));
}

TEST_F(EntryMachines, DateEraKeyAndTheTextAroundIt)
{
    // An unknown key at the era leaves the era and moves on to the year.
    Entry e = typed(EraDateKeyPress, u"x");
    EXPECT_EQ(e.text, QStringLiteral("＿＿__年__月__日"));
    EXPECT_EQ(e.caret, 2);
    // Retyping the era keeps the rest.
    e = type(EraDateKeyPress, {QStringLiteral("平成20年05月01日"), 1}, u"R");
    EXPECT_EQ(e.text, QStringLiteral("令和20年05月01日"));
    EXPECT_EQ(e.caret, 2);
    // On a year ones with no tens digit the year starts over.
    e = type(EraDateKeyPress, {QStringLiteral("平成__年05月01日"), 3}, u"5");
    EXPECT_EQ(e.text, QStringLiteral("平成__年05月01日"));
    EXPECT_EQ(e.caret, 2);
    // The caret on "年", "月" steps past them; at or after "日" nothing happens.
    EXPECT_EQ(type(EraDateKeyPress, {QStringLiteral("平成20年05月01日"), 4}, u"9").caret, 5);
    EXPECT_EQ(type(EraDateKeyPress, {QStringLiteral("平成20年05月01日"), 7}, u"9").caret, 8);
    e = type(EraDateKeyPress, {QStringLiteral("平成20年05月01日"), 10}, u"9");
    EXPECT_EQ(e.text, QStringLiteral("平成20年05月01日"));
    EXPECT_EQ(e.caret, 10);
    // A text that is no template is taken as the empty one.
    e = type(EraDateKeyPress, {QStringLiteral("abc"), 5}, u"1");
    EXPECT_EQ(e.text, QStringLiteral("＿＿__年1_月__日"));
}

TEST_F(EntryMachines, DateFromToday)
{
    const Entry today = start(EraDateKeyPress, -2);
    EXPECT_EQ(today.text, QStringLiteral("令和01年05月07日"));
    EXPECT_EQ(today.caret, 0);
    // Typing over today: the day digit is taken because 令和 reads back.
    Entry e = type(EraDateKeyPress, {today.text, 8}, u"31");
    EXPECT_EQ(e.text, QStringLiteral("令和01年05月31日"));
    EXPECT_EQ(e.caret, 11);
    e = type(EraDateKeyPress, today, u"H31043");
    EXPECT_EQ(e.text, QStringLiteral("平成31年 4月37日")); // the day is not taken yet
    EXPECT_EQ(e.caret, 9);
    e = type(EraDateKeyPress, e, u"0");
    EXPECT_EQ(e.text, QStringLiteral("平成31年 4月30日"));
}

TEST_F(EntryMachines, YearMonth)
{
    EXPECT_EQ(start(EraYearMonthKeyPress, -1).text, QStringLiteral("＿＿__年__月"));
    EXPECT_EQ(start(EraYearMonthKeyPress, -2).text, QStringLiteral("令和01年05月"));

    Entry e = typed(EraYearMonthKeyPress, u"R0612");
    EXPECT_EQ(e.text, QStringLiteral("令和 6年12月"));
    EXPECT_EQ(e.caret, 8);
    // Further keys do nothing.
    e = type(EraYearMonthKeyPress, e, u"5");
    EXPECT_EQ(e.text, QStringLiteral("令和 6年12月"));
    EXPECT_EQ(e.caret, 8);

    // A key that is no era letter keeps the caret on the era.
    e = typed(EraYearMonthKeyPress, u"2");
    EXPECT_EQ(e.caret, 0);
    EXPECT_EQ(e.text, QStringLiteral("＿＿__年__月"));

    e = type(EraYearMonthKeyPress, start(EraYearMonthKeyPress, -2), u"h3110");
    EXPECT_EQ(e.text, QStringLiteral("平成31年10月"));
    e = type(EraYearMonthKeyPress, {QStringLiteral("平成31年10月"), 5}, u"09");
    EXPECT_EQ(e.text, QStringLiteral("平成31年 9月"));
    e = type(EraYearMonthKeyPress, {QStringLiteral("平成31年10月"), 5}, u"00");
    EXPECT_EQ(e.text, QStringLiteral("平成31年 _月"));
    EXPECT_EQ(e.caret, 6);
}

TEST_F(EntryMachines, Time)
{
    // Every negative state gives the empty template, today included.
    EXPECT_EQ(start(TimeKeyPress, -2).text, QStringLiteral("__:__"));
    EXPECT_EQ(start(TimeKeyPress, -1).caret, 0);

    Entry e = typed(TimeKeyPress, u"0930");
    EXPECT_EQ(e.text, QStringLiteral(" 9:30"));
    EXPECT_EQ(e.caret, 5);
    EXPECT_EQ(typed(TimeKeyPress, u"2359").text, QStringLiteral("23:59"));
    EXPECT_EQ(typed(TimeKeyPress, u"10 5").text, QStringLiteral("10: 5"));

    // After a "2" only 20 to 23; minutes tens up to 5; other keys wait.
    e = typed(TimeKeyPress, u"24");
    EXPECT_EQ(e.text, QStringLiteral("2_:__"));
    EXPECT_EQ(e.caret, 1);
    e = typed(TimeKeyPress, u"3x19");
    EXPECT_EQ(e.text, QStringLiteral("19:__"));
    EXPECT_EQ(e.caret, 3);
    e = type(TimeKeyPress, e, u"6a5x7");
    EXPECT_EQ(e.text, QStringLiteral("19:57"));
    EXPECT_EQ(e.caret, 5);

    // On ":" any key puts the separator back and moves on.
    e = type(TimeKeyPress, {QStringLiteral("12x45"), 2}, u"q");
    EXPECT_EQ(e.text, QStringLiteral("12:45"));
    EXPECT_EQ(e.caret, 3);
}
