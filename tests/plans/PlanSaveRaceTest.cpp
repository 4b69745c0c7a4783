#include "DatabaseFixture.h"

#include "plans/PlanStore.h"
#include "plans/PracticeStore.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"

#include <QMutex>

#include <atomic>

namespace {

const TDateTime FirstDay = DateTime::encodeDate(2024, 6, 1);

// Rounds of workstations saving a plan of the same user and day at once,
// each round held together at the doorstep of the saves;
// every third round starts with a plan of that day already stored, as when
// the save was asked to overwrite, and every fourth is of a user whose row
// is gone. Two racers, or three in every other round.
constexpr int Rounds = 24;

int racersIn(int round)
{
    return round % 2 == 0 ? 2 : 3;
}

constexpr int GoneUser = 9999;

// What the racers of one round were told.
class RoundResults
{
public:
    void add(bool ok, const QString &message)
    {
        const QMutexLocker locker(&m_mutex);
        if (ok)
            ++m_saved;
        else
            m_failures.append(message);
    }
    [[nodiscard]] int saved() const { return m_saved; }
    [[nodiscard]] QString failures() const { return m_failures.join(u" / "); }

private:
    QMutex m_mutex;
    int m_saved = 0;
    QStringList m_failures;
};

class PlanSaveRaceTest : public DatabaseFixture
{
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(exec(QStringLiteral("INSERT INTO Person (Name, Sex, Birth, RihaType) VALUES ('競争　一', 1, "
                                        "'1940-04-01 00:00:00.000', 2)")));
        DbDataSet rows;
        ASSERT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT MAX(CureNo) AS CureNo FROM Person"))));
        m_cureNo = rows.field(u"CureNo").asInteger();
    }

    // The rows of the user on the day: COUNT(*) AS N, or the key of the first.
    [[nodiscard]] int number(const QString &select, const QString &table, const QString &dayColumn, int cureNo,
                             TDateTime day)
    {
        DbQuery query(
            db(),
            QStringLiteral("SELECT %1 FROM %2 WHERE CureNo = :cureNo AND %3 = :day").arg(select, table, dayColumn));
        query.bind(u"cureNo", cureNo).bind(u"day", DbDate{day});
        DbDataSet rows;
        EXPECT_TRUE(rows.open(query)) << rows.errorText().toStdString();
        return rows.isEmpty() ? 0 : rows.field(0).asInteger();
    }

    [[nodiscard]] int userOf(int round) const { return round % 4 == 3 ? GoneUser : m_cureNo; }

    [[nodiscard]] TPlan plan(int cureNo, TDateTime day, int racer) const
    {
        TPlan plan;
        plan.CureNo = cureNo;
        plan.PlanRegistDay = day;
        plan.PlanEndDay = day + 90;
        plan.Name = QStringLiteral("競争　一");
        plan.Body.KansetuTxt = QString::number(racer);
        return plan;
    }

    // Racer i's plan carries i + 1 marks, so that the marks left tell whose they are.
    [[nodiscard]] static std::vector<FigureRow> marks(int racer)
    {
        return std::vector<FigureRow>(size_t(racer) + 1, FigureRow{0, 0, -1, racer, racer});
    }

    int m_cureNo = 0;
};

// Every racer is told its plan is stored (the later ones replace the
// earlier), and the day ends with one plan carrying its own marks alone.
TEST_P(PlanSaveRaceTest, TreatmentPlansOfOneDayLeaveOne)
{
    int faultyRounds = 0;
    for (int round = 0; round < Rounds; ++round) {
        const TDateTime day = FirstDay + round;
        const int cureNo = userOf(round);
        if (round % 3 == 0) {
            ASSERT_EQ(PlanStore(db()).save(plan(cureNo, day, 9), marks(9), QStringLiteral("前回"), day).status,
                      PlanStore::Status::Ok);
        }
        RoundResults results;
        std::vector<std::function<void(DbConnection &)>> racers;
        for (int racer = 0; racer < racersIn(round); ++racer)
            racers.emplace_back([&, racer](DbConnection &connection) {
                const PlanStore::Result result =
                    PlanStore(connection)
                        .save(plan(cureNo, day, racer), marks(racer), QStringLiteral("佐藤　花子"), day);
                results.add(result.status == PlanStore::Status::Ok, result.message);
            });
        EXPECT_TRUE(raceAtSeam(racers)) << "round " << round << " did not race";

        const int plans = number(QStringLiteral("COUNT(*)"), QStringLiteral("RihaPlan"),
                                 QStringLiteral("PlanRegistDay"), cureNo, day);
        const int planNo = number(QStringLiteral("MIN(PlanNo)"), QStringLiteral("RihaPlan"),
                                  QStringLiteral("PlanRegistDay"), cureNo, day);
        PlanStore::Result read;
        const std::optional<TPlan> stored = PlanStore(db()).load(planNo, read);
        const std::optional<std::vector<FigureRow>> figures = PlanStore(db()).figures(planNo);
        const int racer = stored ? stored->Body.KansetuTxt.toInt() : -1;
        const bool ownMarks = racer >= 0 && racer < racersIn(round) && figures && *figures == marks(racer);
        DbDataSet strays;
        ASSERT_TRUE(strays.open(DbQuery(db(), QStringLiteral("SELECT COUNT(*) AS N FROM Figure WHERE PlanNo NOT IN "
                                                             "(SELECT PlanNo FROM RihaPlan)"))));
        const int strayMarks = strays.field(u"N").asInteger();
        const bool fault = results.saved() != racersIn(round) || plans != 1 || !ownMarks || strayMarks != 0;
        faultyRounds += fault;
        EXPECT_FALSE(fault) << "round " << round << ": " << results.saved() << " of " << racersIn(round) << " saved ("
                            << results.failures().toStdString() << "), " << plans << " plans of the day, " << strayMarks
                            << " marks without their plan";
    }
    RecordProperty("faultyRounds", faultyRounds);
}

// The same for the practice plans: one row per user and plan day, holding
// one racer's record whole.
TEST_P(PlanSaveRaceTest, PracticePlansOfOneDayLeaveOne)
{
    const auto record = [](TDateTime day, int racer) {
        TPractice record;
        record.PractDay = day;
        record.UserName = QStringLiteral("競争　一");
        record.Remark = QString::number(racer);
        return record;
    };
    int faultyRounds = 0;
    for (int round = 0; round < Rounds; ++round) {
        const TDateTime day = FirstDay + round;
        const int cureNo = userOf(round);
        if (round % 3 == 0) {
            ASSERT_EQ(PracticeStore(db()).save(cureNo, record(day, 9)).status, PracticeStore::Status::Ok);
        }
        RoundResults results;
        std::vector<std::function<void(DbConnection &)>> racers;
        for (int racer = 0; racer < racersIn(round); ++racer)
            racers.emplace_back([&, racer](DbConnection &connection) {
                const PracticeStore::Result result = PracticeStore(connection).save(cureNo, record(day, racer));
                results.add(result.status == PracticeStore::Status::Ok, result.message);
            });
        EXPECT_TRUE(raceAtSeam(racers)) << "round " << round << " did not race";

        const int plans =
            number(QStringLiteral("COUNT(*)"), QStringLiteral("Practice"), QStringLiteral("PrcticeDay"), cureNo, day);
        const int practNo = number(QStringLiteral("MIN(PractNo)"), QStringLiteral("Practice"),
                                   QStringLiteral("PrcticeDay"), cureNo, day);
        PracticeStore::Result read;
        const auto stored = PracticeStore(db()).load(practNo, read);
        const bool racersRecord = stored && stored->Record.Remark.toInt() < racersIn(round);
        const bool fault = results.saved() != racersIn(round) || plans != 1 || !racersRecord;
        faultyRounds += fault;
        EXPECT_FALSE(fault) << "round " << round << ": " << results.saved() << " of " << racersIn(round) << " saved ("
                            << results.failures().toStdString() << "), " << plans << " plans of the day";
    }
    RecordProperty("faultyRounds", faultyRounds);
}

TAMSOLEN_DATABASE_TEST_SUITE(PlanSaveRaceTest);

} // namespace
