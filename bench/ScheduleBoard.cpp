// The work tables over SQLite and (when TAMSOLEN_PG names a server)
// PostgreSQL. "Race/CapacityN": 20 workstations, each with its own
// connection and board, drop a user onto the last place of the same slot at
// once, round after round; every drop runs the board's checks and write
// (and a loser's reload). The counters give the p50, p95 and largest time of
// a drop in milliseconds, and the rounds that did not end with exactly one
// booking (must be 0). "LoadMonth": a staff member's month of 300 slots
// with their bookings loaded onto the staff board ("Form": the display
// button until the labels stand; "Board": the rules' load alone).
#include "BenchDatabase.h"
#include "BenchMain.h"

#include "core/AppContext.h"
#include "core/StaffDirectory.h"
#include "core/TDBSeting.h"
#include "core/TMainModule.h"
#include "core/TRegistory.h"
#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "platform/DbTransaction.h"
#include "platform/DialogService.h"
#include "scheduling/TScheduleData.h"
#include "scheduling/WorkBoard.h"
#include "schedulingui/TStuffScheduleForm.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QPushButton>
#include <QSemaphore>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace {

const int Racers = benchSize(20, 4);
const int Rounds = benchSize(25, 2);
constexpr int MonthStaff = 1;
constexpr int RaceStaff = 2;
const TDateTime FirstDay = DateTime::encodeDate(2026, 12, 1);

// A database of its own with the race users and a staff member's month.
class Schedule
{
public:
    explicit Schedule(DbKind kind) : m_database(kind, QStringLiteral("schedule"))
    {
        fill();
        m_module.setStaff({{MonthStaff, QStringLiteral("山田　太郎")}, {RaceStaff, QStringLiteral("佐藤　花子")}});
    }

    [[nodiscard]] DbConnection &db() { return m_database.db(); }
    [[nodiscard]] AppContext &context() { return m_context; }
    [[nodiscard]] const QString &connectionString() const { return m_database.connectionString(); }
    [[nodiscard]] const QString &user() const { return m_database.user(); }
    [[nodiscard]] const StaffDirectory &staff() const { return m_module.staff(); }
    void run(const QString &sql) { m_database.run(sql); }
    // A slot of the race staff member with all but its last place taken.
    int raceSlot(int round, int capacity)
    {
        const int reserveNo = addSlot(FirstDay + 40 + round + capacity * Rounds, RaceStaff, 9 * 60, 40, capacity);
        for (int filler = 1; filler < capacity; ++filler)
            run(QStringLiteral("INSERT INTO Schedule (WorkingNo, CureNo, Comment) VALUES (%1, %2, '')")
                    .arg(reserveNo)
                    .arg(1000 + filler));
        return reserveNo;
    }
    // Removes a race slot and its bookings, so that a repeated run finds
    // its days as the first run did.
    void removeSlot(int reserveNo)
    {
        run(QStringLiteral("DELETE FROM Schedule WHERE WorkingNo = %1").arg(reserveNo));
        run(QStringLiteral("DELETE FROM TimeTable WHERE ReserveNo = %1").arg(reserveNo));
    }

private:
    int addSlot(TDateTime day, int staff, int start, int minutes, int capacity)
    {
        DbQuery insert(db(), QStringLiteral("INSERT INTO TimeTable (ReserveDay, StuffCode, StartTime, WorkingMin, "
                                            "Capacity) VALUES (:day, :staff, :start, :minutes, :capacity)"));
        insert.bind(u"day", DbDate{day})
            .bind(u"staff", staff)
            .bind(u"start", DbDate{start / 1440.0})
            .bind(u"minutes", minutes)
            .bind(u"capacity", capacity);
        if (!insert.exec())
            qFatal("slot: %s", qPrintable(insert.errorText()));
        DbDataSet rows;
        if (!rows.open(DbQuery(db(), QStringLiteral("SELECT MAX(ReserveNo) AS N FROM TimeTable"))))
            qFatal("slot: %s", qPrintable(rows.errorText()));
        return rows.field(u"N").asInteger();
    }
    void fill()
    {
        // One commit: on SQLite each one waits for the disk.
        DbTransaction transaction(db());
        run(QStringLiteral("INSERT INTO KaigoStuff (CD, StuffName) VALUES (1, '山田　太郎'), (2, '佐藤　花子')"));
        // Users 1..Racers race; 100.. fill the month.
        const QString overriding =
            db().kind() == DbKind::PostgreSQL ? QStringLiteral(" OVERRIDING SYSTEM VALUE") : QString();
        for (int user = 1; user <= 400; ++user) {
            const int cureNo = user <= Racers ? user : 100 + user;
            run(QStringLiteral("INSERT INTO Person (CureNo, Name, RihaType, KubunCode, NYUSHOBI_YMD)%1 "
                               "VALUES (%2, '利用者%2', %3, 8, '2026-01-01 00:00:00.000')")
                    .arg(overriding)
                    .arg(cureNo)
                    .arg(user % 4));
        }
        // 300 slots: ten a day on 30 days, every other one with a booking.
        int booked = 121;
        for (int day = 0; day < 30; ++day) {
            for (int k = 0; k < 10; ++k) {
                const int reserveNo = addSlot(FirstDay + day, MonthStaff, 8 * 60 + k * 60, 50, k % 3 == 0 ? 3 : 1);
                if (k % 2 == 0)
                    run(QStringLiteral("INSERT INTO Schedule (WorkingNo, CureNo, Comment) VALUES (%1, %2, '')")
                            .arg(reserveNo)
                            .arg(booked++ % 380 + 121));
            }
        }
        if (!transaction.commit())
            qFatal("fill");
        if (db().kind() == DbKind::PostgreSQL)
            run(QStringLiteral("ANALYZE"));
    }

    BenchDatabase m_database;
    TRegistory m_registory;
    TDBSeting m_dbSeting;
    TMainModule m_module;
    AppContext m_context{m_database.db(), m_registory, m_dbSeting, m_module, Dialogs::service(), {}};
};

double percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(share * double(values.size())))];
}

// One workstation: its own connection and board, booking its own user.
struct Gates
{
    QSemaphore ready; // a racer waits at a gate
    QSemaphore load;  // the boards may load the round's day
    QSemaphore race;  // the drops may start
    QSemaphore done;  // a racer dropped
};

void racer(Schedule &schedule, int cureNo, int capacity, Gates &gates, std::vector<double> &times,
           std::atomic<int> &won)
{
    DbConnection db;
    if (!db.open(schedule.connectionString(), schedule.user()))
        qFatal("racer: %s", qPrintable(db.errorText()));
    TScheduleData data(db, schedule.staff());
    WorkBoard board(WorkBoard::Kind::StaffMonth, data, schedule.staff());
    for (int round = 0; round < Rounds; ++round) {
        const TDateTime day = FirstDay + 40 + round + capacity * Rounds;
        gates.ready.release();
        gates.load.acquire();
        // The board shows the day of the round before the race starts.
        if (!board.displayStaff(RaceStaff, day).done || data.TimeFrameCount() != 1)
            qFatal("racer: no slot (%d, %s)", data.TimeFrameCount(), qPrintable(db.errorText()));
        const QString label = data.GetTimeFrame(0).LName;
        gates.ready.release();
        gates.race.acquire();
        QElapsedTimer timer;
        timer.start();
        if (board.book(label, BookingUser{cureNo, 0, 0, 0, 8, QString()}).done)
            ++won;
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        gates.done.release();
    }
}

void race(benchmark::State &state, Schedule &schedule, int capacity)
{
    std::vector<std::vector<double>> times(Racers);
    int wrongRounds = 0;
    for (auto _ : state) {
        Gates gates;
        std::atomic<int> won{0};
        std::vector<std::thread> threads;
        for (int i = 0; i < Racers; ++i)
            threads.emplace_back(racer, std::ref(schedule), i + 1, capacity, std::ref(gates),
                                 std::ref(times[std::size_t(i)]), std::ref(won));
        for (int round = 0; round < Rounds; ++round) {
            const int slot = schedule.raceSlot(round, capacity);
            gates.ready.acquire(Racers);
            won = 0;
            gates.load.release(Racers);
            gates.ready.acquire(Racers); // every board is loaded
            gates.race.release(Racers);
            gates.done.acquire(Racers);
            DbDataSet rows;
            if (!rows.open(
                    DbQuery(schedule.db(),
                            QStringLiteral("SELECT COUNT(*) AS N FROM Schedule WHERE WorkingNo = %1").arg(slot))))
                qFatal("count: %s", qPrintable(rows.errorText()));
            if (won != 1 || rows.field(u"N").asInteger() != capacity)
                ++wrongRounds;
            schedule.removeSlot(slot);
        }
        for (std::thread &thread : threads)
            thread.join();
    }
    std::vector<double> all;
    for (const auto &each : times)
        all.insert(all.end(), each.begin(), each.end());
    state.counters["p50_ms"] = percentile(all, 0.50);
    state.counters["p95_ms"] = percentile(all, 0.95);
    state.counters["max_ms"] = percentile(all, 1.0);
    state.counters["wrong_rounds"] = wrongRounds;
}

void loadBoard(benchmark::State &state, Schedule &schedule)
{
    TScheduleData data(schedule.db(), schedule.staff());
    WorkBoard board(WorkBoard::Kind::StaffMonth, data, schedule.staff());
    for (auto _ : state) {
        if (!board.displayStaff(MonthStaff, FirstDay).done)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(board.labels());
    }
    state.counters["slots"] = data.TimeFrameCount();
}

void loadForm(benchmark::State &state, Schedule &schedule)
{
    TStuffScheduleForm form(schedule.context());
    form.show();
    form.StuffBox->setCurrentIndex(0);
    form.RVDate->setDate(DateTime::toDate(FirstDay));
    for (auto _ : state) {
        form.DispButton->click();
        state.PauseTiming();
        form.ClearButton->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    // The losers' messages would only fill the log.
    QLoggingCategory::setFilterRules(QStringLiteral("*.warning=false"));

    std::vector<std::unique_ptr<Schedule>> schedules;
    std::vector<std::pair<DbKind, const char *>> kinds{{DbKind::SQLite, "SQLite"}};
    if (!qEnvironmentVariableIsEmpty("TAMSOLEN_PG"))
        kinds.emplace_back(DbKind::PostgreSQL, "PostgreSQL");
    for (const auto &[kind, kindName] : kinds) {
        Schedule *schedule = schedules.emplace_back(std::make_unique<Schedule>(kind)).get();
        const std::string prefix = std::string(kindName) + "/";
        for (int capacity : {1, 3})
            benchmark::RegisterBenchmark(
                (prefix + "Race/Capacity" + std::to_string(capacity)).c_str(),
                [schedule, capacity](benchmark::State &state) { race(state, *schedule, capacity); })
                ->Iterations(1)
                ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((prefix + "LoadMonth/Board").c_str(), [schedule](benchmark::State &state) {
            loadBoard(state, *schedule);
        })->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((prefix + "LoadMonth/Form").c_str(), [schedule](benchmark::State &state) {
            loadForm(state, *schedule);
        })->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
