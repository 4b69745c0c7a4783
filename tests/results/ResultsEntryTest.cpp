#include "PersonRows.h"
#include "ResultsFixture.h"

#include "platform/DbQuery.h"
#include "platform/DbTransaction.h"
#include "results/CureResultStore.h"
#include "results/DailyMedicalRecord.h"
#include "results/PersonMedicalRecord.h"
#include "results/ResultsEntry.h"

#include <QSemaphore>

#include <atomic>
#include <thread>

namespace {

const TDateTime April = DateTime::encodeDate(2024, 4, 1);
const TDateTime May = DateTime::encodeDate(2024, 5, 1);

class ResultsEntryTest : public ResultsFixture
{
protected:
    void SetUp() override
    {
        ResultsFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        TPerson person = PersonRows::make(QStringLiteral("山田 太郎"), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
        person.RihaType = 2;
        person.KubunCode = 9;
        person.ROOM_NO = QStringLiteral("201");
        m_cureNo = PersonRows::insert(db(), person);
    }

    int m_cureNo = 0;
};

} // namespace

TEST_P(ResultsEntryTest, AddedDayCarriesTheRegisterAndTheFlags)
{
    ResultsEntry entry(m_app->context);
    ASSERT_EQ(entry.loadPerson(m_cureNo), QString());
    EXPECT_EQ(ResultsEntry(m_app->context).loadPerson(m_cureNo + 1),
              QStringLiteral("利用者の登録データが見つかりません。"));
    ASSERT_TRUE(entry.loadMonth(April, May));
    EXPECT_EQ(entry.addDay(DateTime::encodeDate(2024, 4, 3) + 0.25), QString());
    // An unreadable day is today, without its time of day.
    EXPECT_EQ(entry.addDay(std::nullopt), QString());
    ASSERT_EQ(entry.rows().size(), 2);
    const CureResult &first = entry.rows().at(0);
    EXPECT_EQ(first.CureDate, DateTime::encodeDate(2024, 4, 3));
    EXPECT_EQ(entry.rows().at(1).CureDate, DateTime::encodeDate(2024, 4, 20));
    EXPECT_EQ(first.ReserveNo, -1);
    EXPECT_EQ(first.StuffCode, -1);
    EXPECT_EQ(first.RMinute, 0);
    EXPECT_EQ(DateTime::shortTime(first.RStartTime), QStringLiteral("14:05"));
    EXPECT_EQ(first.Flags, ResultTypeFlags::derive(2, 9));
    EXPECT_EQ(first.ROOM_NO, QStringLiteral("201"));
    EXPECT_EQ(first.LoginName, QStringLiteral("記録 係"));
}

TEST_P(ResultsEntryTest, SavingClearsTheTicksOfAnotherForm)
{
    ResultsEntry entry(m_app->context);
    ASSERT_EQ(entry.loadPerson(m_cureNo), QString());
    ASSERT_TRUE(entry.loadMonth(April, May));
    ASSERT_EQ(entry.addDay(April), QString());
    // 通所 with 短期集中 and 個別; the user moves the row to 入所 and ticks 認知症 there.
    ASSERT_TRUE(entry.setRihaType(0, 0));
    ASSERT_TRUE(entry.setFlag(0, 1, true));
    ASSERT_TRUE(entry.setStaff(0, 2));
    QString message;
    EXPECT_FALSE(entry.setMinutes(0, QStringLiteral("-5"), message));
    EXPECT_EQ(message, QStringLiteral("負の値です。"));
    for (const auto &[text, refusal] : {std::pair{u"9999", u"分は600分以下です。"}, {u"601", u"分は600分以下です。"},
                                        {u"abc", u"分は数値項目です。"}, {u" ", u"分は入力必須項目です。"}}) {
        EXPECT_FALSE(entry.setMinutes(0, QString::fromUtf16(text), message));
        EXPECT_EQ(message, QString::fromUtf16(refusal));
    }
    // 600 at the most, and 0 for a session booked but not given.
    ASSERT_TRUE(entry.setMinutes(0, QStringLiteral("600"), message));
    EXPECT_EQ(ResultRows::all(db())[0].RMinute, 600);
    ASSERT_TRUE(entry.setMinutes(0, QStringLiteral("0"), message));
    EXPECT_EQ(message, QString());
    EXPECT_EQ(ResultRows::all(db())[0].RMinute, 0);
    for (const char16_t *text : {u"25:99", u"abc", u"__:__"}) {
        EXPECT_FALSE(entry.setStart(0, QString::fromUtf16(text), message));
        EXPECT_EQ(message, QStringLiteral("開始時刻エラーです。（00:00～23:59）"));
    }
    ASSERT_TRUE(entry.setStart(0, QStringLiteral("13:05"), message));
    ASSERT_TRUE(entry.setMinutes(0, QStringLiteral("40"), message));
    ASSERT_EQ(entry.save(), ResultsEntry::Write::Ok);
    const auto stored = ResultRows::all(db());
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].KubunCode, 2);
    EXPECT_EQ(stored[0].Flags, ResultTypeFlags::derive(0, 2));
    EXPECT_EQ(stored[0].RMinute, 40);
    EXPECT_EQ(stored[0].StuffKigo, QStringLiteral("ス"));
    // A form outside 0..3 gives -1 and no flag.
    ASSERT_TRUE(entry.setRihaType(0, 5));
    ASSERT_EQ(entry.save(), ResultsEntry::Write::Ok);
    EXPECT_EQ(ResultRows::all(db())[0].KubunCode, -1);
    EXPECT_EQ(ResultRows::all(db())[0].Flags, ResultTypeFlags::Values{});
}

TEST_P(ResultsEntryTest, DeleteAllTakesOnlyTheUsersMonth)
{
    ResultRows::insert(db(), {ResultRows::make(m_cureNo, April), ResultRows::make(m_cureNo, May - 0.01),
                              ResultRows::make(m_cureNo, May), ResultRows::make(m_cureNo + 1, April)});
    ResultsEntry entry(m_app->context);
    ASSERT_EQ(entry.loadPerson(m_cureNo), QString());
    ASSERT_TRUE(entry.loadMonth(April, May));
    EXPECT_EQ(entry.rows().size(), 2);
    ASSERT_TRUE(entry.rows().remove(1));
    ASSERT_EQ(entry.deleteAll(), ResultsEntry::Write::Ok);
    EXPECT_EQ(ResultRows::all(db()).size(), 2u);
}

// Another workstation ticks a box of a listed row after this one read the
// month: 保存 writes nothing from the ticks it showed, tells, and shows the
// month as stored; saved again, the code follows the stored ticks.
TEST_P(ResultsEntryTest, SaveDecidesFromTheTicksAsStored)
{
    ResultRows::insert(db(), {ResultRows::make(m_cureNo, April + 2)});
    ResultsEntry entry(m_app->context);
    ASSERT_EQ(entry.loadPerson(m_cureNo), QString());
    ASSERT_TRUE(entry.loadMonth(April, May));
    ASSERT_EQ(entry.rows().size(), 1);

    DbConnection other;
    ASSERT_TRUE(other.open(connectionString(), user(), password())) << other.errorText().toStdString();
    ResultRowsEditor otherGrid;
    DbQuery month(other, QStringLiteral("SELECT * FROM CureResults"));
    ASSERT_TRUE(otherGrid.open(month));
    ASSERT_TRUE(otherGrid.write(0, {{ResultTypeFlags::Columns[1], ResultTypeFlags::text(true)}})); // 入所 認知症

    EXPECT_EQ(entry.save(), ResultsEntry::Write::Changed);
    EXPECT_EQ(ResultRows::all(db())[0].KubunCode, 8);
    EXPECT_TRUE(ResultRows::all(db())[0].Flags[1]);
    ASSERT_EQ(entry.rows().size(), 1);
    EXPECT_TRUE(entry.rows().at(0).Flags[1]); // read again

    EXPECT_EQ(entry.save(), ResultsEntry::Write::Ok);
    EXPECT_EQ(ResultRows::all(db())[0].KubunCode, 2 | 8);
}

// A result added at another workstation after the month was read is not
// deleted unseen by 全て削除; once shown, it goes with the others.
TEST_P(ResultsEntryTest, DeleteAllKeepsAResultAddedElsewhereMeanwhile)
{
    ResultRows::insert(db(), {ResultRows::make(m_cureNo, April + 2)});
    ResultsEntry entry(m_app->context);
    ASSERT_EQ(entry.loadPerson(m_cureNo), QString());
    ASSERT_TRUE(entry.loadMonth(April, May));

    DbConnection other;
    ASSERT_TRUE(other.open(connectionString(), user(), password())) << other.errorText().toStdString();
    ResultRows::insert(other, {ResultRows::make(m_cureNo, April + 5)});

    EXPECT_EQ(entry.deleteAll(), ResultsEntry::Write::Changed);
    EXPECT_EQ(ResultRows::all(db()).size(), 2u);
    EXPECT_EQ(entry.rows().size(), 2);
    EXPECT_EQ(entry.deleteAll(), ResultsEntry::Write::Ok);
    EXPECT_TRUE(ResultRows::all(db()).empty());
}

// 全て削除 from a month read before, racing a result added at another
// workstation: the added result is never deleted unseen.
TEST_P(ResultsEntryTest, DeleteAllRacingAnAddedResultNeverTakesItUnseen)
{
    constexpr int Rounds = 30;
    int lost = 0;
    for (int round = 0; round < Rounds; ++round) {
        ASSERT_TRUE(exec(QStringLiteral("DELETE FROM CureResults")));
        ResultRows::insert(db(), {ResultRows::make(m_cureNo, April + 2)});
        QSemaphore ready;
        QSemaphore go;
        std::atomic<int> deleted{-1};
        std::atomic<bool> added{false};
        std::thread window([&] {
            DbConnection connection;
            const AppContext context{connection,          m_app->registory, m_app->dbSeting, m_app->mainModule,
                                     m_app->dialogs, {}};
            ResultsEntry entry(context);
            const bool opened = connection.open(connectionString(), user(), password()) &&
                                entry.loadPerson(m_cureNo).isEmpty() && entry.loadMonth(April, May);
            ready.release();
            go.acquire();
            if (opened)
                deleted = int(entry.deleteAll());
        });
        std::thread adder([&] {
            DbConnection connection;
            const bool opened = connection.open(connectionString(), user(), password());
            ready.release();
            go.acquire();
            const CureResult row = ResultRows::make(m_cureNo, April + 5);
            DbTransaction transaction(connection);
            added = opened && transaction.isActive() && CureResultStore(connection).insert({&row, 1}) &&
                    transaction.commit();
        });
        ready.acquire(2);
        go.release(2);
        window.join();
        adder.join();
        ASSERT_TRUE(added.load()) << "round " << round;
        ASSERT_NE(deleted.load(), int(ResultsEntry::Write::Failed)) << "round " << round;
        int addedLeft = 0;
        for (const CureResult &row : ResultRows::all(db()))
            addedLeft += row.CureDate == April + 5;
        lost += addedLeft == 0;
        EXPECT_EQ(ResultRows::all(db()).size(), deleted.load() == int(ResultsEntry::Write::Ok) ? 1u : 2u)
            << "round " << round;
    }
    EXPECT_EQ(lost, 0) << "rounds that deleted an added result unseen";
}

TEST_P(ResultsEntryTest, DayLinesOfTheMonthlyRecord)
{
    CureResult first = ResultRows::make(m_cureNo, DateTime::encodeDate(2024, 4, 7) + 0.5);
    first.RStartTime = DateTime::encodeTime(9, 0);
    first.StuffKigo = QStringLiteral(" ヤ ");
    first.Comment = QStringLiteral("朝");
    CureResult second = ResultRows::make(m_cureNo, DateTime::encodeDate(2024, 4, 7));
    second.RStartTime = DateTime::encodeTime(15, 0);
    second.RihaType = 2;
    second.KubunCode = 1;
    second.deriveFlags();
    second.RMinute = 35;
    CureResult other = ResultRows::make(m_cureNo, DateTime::encodeDate(2024, 4, 30));
    other.StuffCode = 2;
    ResultRows::insert(db(), {second, first, other});

    PersonMedicalRecord record(m_app->context);
    record.setMonth(DateTime::encodeDate(2024, 4, 15));
    ASSERT_TRUE(record.load(m_cureNo, 1));
    EXPECT_EQ(record.rows().size(), 2);
    QString message;
    ASSERT_TRUE(record.rows().setMinutesOrZero(0, -3, message));
    EXPECT_EQ(message, QStringLiteral("負の値です。"));
    EXPECT_EQ(record.rows().at(0).RMinute, 0);
    ASSERT_TRUE(record.rows().setMinutesOrZero(0, 20, message));

    const auto lines = record.dayLines();
    ASSERT_EQ(lines.size(), 30u);
    // The 7th: the 9:00 result comes first although its date carries noon.
    const TLineData &day = lines[6];
    EXPECT_TRUE(day.COLOR);
    EXPECT_EQ(day.DayWeek, QStringLiteral(" 7 (日)"));
    EXPECT_EQ(day.Count, 2);
    EXPECT_EQ(day.Funn, 55);
    EXPECT_EQ(day.RsType, QStringLiteral("入所"));
    EXPECT_EQ(day.Kobetsu0, QStringLiteral("ヤ"));
    EXPECT_TRUE(day.Tann2.isEmpty());
    EXPECT_EQ(day.Comment, QStringLiteral("朝"));
    EXPECT_EQ(DateTime::shortTime(day.Start), QStringLiteral("09:00"));
    const TLineData &empty = lines[29];
    EXPECT_EQ(empty.Count, 0);
    EXPECT_EQ(empty.Start, 0);
    EXPECT_TRUE(empty.RsType.isEmpty());

    StaffDirectory many;
    for (int i = 0; i < 25; ++i)
        many.append({1, QStringLiteral("N"), QStringLiteral("K")});
    m_app->mainModule.setStaff(std::move(many));
    EXPECT_EQ(record.legend().Tk[19], QStringLiteral("K"));
    m_app->mainModule.setStaff({{1, QStringLiteral("N"), QStringLiteral("K")}});
    EXPECT_TRUE(record.legend().Tk[1].isEmpty());
}

TEST_P(ResultsEntryTest, DailyTotalsAndTheDayRange)
{
    const TDateTime day = DateTime::encodeDate(2024, 4, 10);
    CureResult planned = ResultRows::make(m_cureNo, day);
    planned.RMinute = 0;
    CureResult added = ResultRows::make(m_cureNo, day + 0.9);
    added.PMinute = 0;
    added.RMinute = 15;
    CureResult otherType = ResultRows::make(m_cureNo, day);
    otherType.RihaType = 1;
    ResultRows::insert(
        db(), {planned, added, otherType, ResultRows::make(m_cureNo, day + 1), ResultRows::make(m_cureNo, day - 0.01)});
    DailyMedicalRecord daily(m_app->context);
    ASSERT_TRUE(daily.load(day + 0.3, 1, 0));
    EXPECT_EQ(daily.rows().size(), 2);
    const auto totals = daily.totals();
    EXPECT_EQ(totals.PlanCount, 1);
    EXPECT_EQ(totals.PlanMinutes, 20);
    EXPECT_EQ(totals.ExecCount, 1);
    EXPECT_EQ(totals.ExecMinutes, 15);
}

TAMSOLEN_DATABASE_TEST_SUITE(ResultsEntryTest);
