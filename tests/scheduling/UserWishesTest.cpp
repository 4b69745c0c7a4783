#include "DatabaseFixture.h"
#include "ScheduleRows.h"

#include "platform/DbConnection.h"
#include "scheduling/SlotTime.h"
#include "scheduling/TUserMonthBook.h"
#include "scheduling/UserWishes.h"

#include <gtest/gtest.h>

namespace {

using UserWishes::WeekCheck;

class UserWishesTest : public DatabaseFixture
{
protected:
    static TDateTime date(int year, int month, int day) { return DateTime::encodeDate(year, month, day); }
    std::vector<int> numbers(int rihaType, int kubunCode)
    {
        const auto users = UserWishes::usersOfMonth(db(), date(2026, 12, 1), rihaType, kubunCode);
        EXPECT_TRUE(users.has_value());
        std::vector<int> result;
        for (const auto &user : users.value_or(std::vector<UserWishes::WishUser>{}))
            result.push_back(user.CureNo);
        return result;
    }
};

// Who is cared for in December: discharged on the 30th of November is not,
// on the 1st is; admitted on 1 January is not.
TEST_P(UserWishesTest, UsersOfTheMonth)
{
    ScheduleRows::addPerson(db(), 1, QStringLiteral("一"), date(2026, 1, 1), 0, 2, 8);
    ScheduleRows::addPerson(db(), 2, QStringLiteral("二"), date(2026, 1, 1), date(2026, 11, 30), 2, 8);
    ScheduleRows::addPerson(db(), 3, QStringLiteral("三"), date(2026, 1, 1), date(2026, 12, 1), 2, 1);
    ScheduleRows::addPerson(db(), 4, QStringLiteral("四"), date(2027, 1, 1), 0, 2, 8);
    ScheduleRows::addPerson(db(), 5, QStringLiteral("五"), date(2026, 12, 31), 0, 0, 8);
    EXPECT_EQ(numbers(UserWishes::AllTypes, 0), (std::vector<int>{1, 3, 5}));
    EXPECT_EQ(numbers(2, 8), (std::vector<int>{1}));
    EXPECT_EQ(numbers(2, 9), (std::vector<int>{1, 3}));
    EXPECT_TRUE(numbers(2, 0).empty()); // no category ticked
}

// The saved week is what BuildMonth lays over the month: a day at 00:00 is
// no wish.
TEST_P(UserWishesTest, SavedWeekExpandsOverTheMonth)
{
    ScheduleRows::addPerson(db(), 1, QStringLiteral("一"), date(2026, 1, 1));
    std::array<QString, 7> starts{QStringLiteral("09:30"), QStringLiteral("00:00"), QStringLiteral("  :  "),
                                  QStringLiteral("10:00"), QStringLiteral("00:00"), QStringLiteral("00:00"),
                                  QStringLiteral("00:00")};
    std::array<QString, 7> minutes{QStringLiteral("40"), QStringLiteral("0"), QStringLiteral("30"), QStringLiteral("60"),
                                   QStringLiteral("0"),  QStringLiteral("0"), QStringLiteral("0")};
    const WeekCheck check = UserWishes::checkWeek(starts, minutes);
    ASSERT_EQ(check.errorDay, -1) << check.message.toStdString();
    ASSERT_EQ(UserWishes::saveWeek(db(), 1, check.week), UserWishes::SaveResult::Ok);
    EXPECT_EQ(UserWishes::saveWeek(db(), 99, check.week), UserWishes::SaveResult::UserGone);

    const auto users = UserWishes::usersOfMonth(db(), date(2026, 12, 1), UserWishes::AllTypes, 0);
    ASSERT_TRUE(users && users->size() == 1);
    TUserMonthBook book;
    book.SetWeek(users->front().Week);
    // 1 December 2026 is a Tuesday; February 2027 starts on a Monday.
    const TUserMonthBook::Month december = book.BuildMonth(date(2026, 12, 1));
    EXPECT_FALSE(december[0].Active);
    EXPECT_TRUE(december[2].Active); // Thursday the 3rd
    EXPECT_EQ(SlotTime::minuteOfDay(december[2].StartTime), 600);
    EXPECT_TRUE(december[6].Active); // Monday the 7th
    EXPECT_EQ(december[6].Minutes, 40);
    const TUserMonthBook::Month february = book.BuildMonth(date(2027, 2, 1));
    EXPECT_TRUE(february[0].Active);
    EXPECT_TRUE(february[27].Active == false && february[28].Minutes == 0 && !february[30].Active);
}

TAMSOLEN_DATABASE_TEST_SUITE(UserWishesTest);

// One day typed, the others "00:00" and "0": the message and where it points.
TEST(UserWishesCheck, MessagesAndPlaces)
{
    struct Case
    {
        int day;
        QString start;
        QString minutes;
        int errorDay;
        bool inMinutes;
        QString message;
    };
    const QString timeError = QStringLiteral("時刻の数値エラー");
    const QString minutesError = QStringLiteral("作業時間(分)の数値エラー");
    const std::vector<Case> cases{
        {0, QStringLiteral("09:00"), QStringLiteral("30"), -1, false, {}},
        {0, QStringLiteral(" 9:30"), QStringLiteral("30"), -1, false, {}}, // a blank before the hour
        {6, QStringLiteral("20:00"), QStringLiteral("60"), -1, false, {}},
        {1, QStringLiteral("  :  "), QStringLiteral("45"), -1, false, {}},  // blank: start 0
        {1, QStringLiteral("09:00"), QStringLiteral("0"), -1, false, {}},   // kept, but no wish
        {1, QStringLiteral("05:00"), QStringLiteral("0"), -1, false, {}},   // no wish, nothing to show
        {2, QStringLiteral("09:00"), QStringLiteral("-5"), -1, false, {}},  // an integer: no range
        {1, QStringLiteral("24:00"), QStringLiteral("30"), 1, false, timeError},
        {1, QStringLiteral("09:60"), QStringLiteral("30"), 1, false, timeError},
        {1, QStringLiteral("9 :30"), QStringLiteral("30"), 1, false, timeError},
        {1, QStringLiteral("  :30"), QStringLiteral("30"), 1, false, timeError},
        {3, QStringLiteral("  :30"), QStringLiteral("30"), 3, false, QStringLiteral("Error 時刻の数値エラー")},
        {3, QStringLiteral("25:30"), QStringLiteral("30"), 3, false, timeError},
        {3, QStringLiteral("09:  "), QStringLiteral("30"), 3, false, timeError},
        {2, QStringLiteral("09:00"), QStringLiteral("abc"), 2, true, minutesError},
        {5, QStringLiteral("00:00"), QString(), 5, true, minutesError},
        {5, QStringLiteral("09:00"), QStringLiteral("4 5"), 5, true, minutesError},
        // Our own, for a day that gives a wish: it must fit a slot on the boards.
        {1, QStringLiteral("07:59"), QStringLiteral("30"), 1, false, QStringLiteral("開始時間エラーです。")},
        {3, QStringLiteral("21:00"), QStringLiteral("30"), 3, false, QStringLiteral("開始時間エラーです。")},
        {4, QStringLiteral("09:00"), QStringLiteral("601"), 4, true, QStringLiteral("分は600分以下です。")},
        {6, QStringLiteral("20:59"), QStringLiteral("600"), 6, true,
         QStringLiteral("終了時刻が21:00を過ぎています（1分まで）。")},
    };
    for (const Case &c : cases) {
        std::array<QString, 7> starts;
        std::array<QString, 7> minutes;
        starts.fill(QStringLiteral("00:00"));
        minutes.fill(QStringLiteral("0"));
        starts[std::size_t(c.day)] = c.start;
        minutes[std::size_t(c.day)] = c.minutes;
        const WeekCheck check = UserWishes::checkWeek(starts, minutes);
        SCOPED_TRACE(c.start.toStdString() + " " + c.minutes.toStdString());
        EXPECT_EQ(check.errorDay, c.errorDay);
        EXPECT_EQ(check.errorInMinutes, c.inMinutes);
        EXPECT_EQ(check.message, c.message);
        if (c.errorDay < 0) {
            EXPECT_EQ(check.week[std::size_t(c.day)].Minutes, c.minutes.toInt());
        }
    }
}

// Every start is read before any minutes, and our own checks come last.
TEST(UserWishesCheck, OrderOfTheChecks)
{
    std::array<QString, 7> starts;
    std::array<QString, 7> minutes;
    starts.fill(QStringLiteral("00:00"));
    minutes.fill(QStringLiteral("0"));
    starts[0] = QStringLiteral("07:00"); // ours: before the boards begin
    minutes[0] = QStringLiteral("30");
    minutes[2] = QStringLiteral("x");
    starts[6] = QStringLiteral("99:00");
    WeekCheck check = UserWishes::checkWeek(starts, minutes);
    EXPECT_EQ(check.errorDay, 6);
    EXPECT_FALSE(check.errorInMinutes);
    starts[6] = QStringLiteral("10:00");
    check = UserWishes::checkWeek(starts, minutes);
    EXPECT_EQ(check.errorDay, 2);
    EXPECT_EQ(check.message, QStringLiteral("作業時間(分)の数値エラー"));
    minutes[2] = QStringLiteral("0");
    check = UserWishes::checkWeek(starts, minutes);
    EXPECT_EQ(check.errorDay, 0);
    EXPECT_EQ(check.message, QStringLiteral("開始時間エラーです。"));
    starts[0] = QStringLiteral("08:00");
    check = UserWishes::checkWeek(starts, minutes);
    EXPECT_EQ(check.errorDay, -1);
    EXPECT_EQ(SlotTime::minuteOfDay(check.week[0].StartTime), 480);
    EXPECT_EQ(check.week[6].Minutes, 0);
}

} // namespace
