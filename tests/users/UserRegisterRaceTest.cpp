#include "DatabaseFixture.h"
#include "PersonRows.h"

#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "users/UserRegister.h"

#include <QMutex>

namespace {

constexpr int Rounds = 30;

// Two racers, or three in every other round.
int racersIn(int round)
{
    return round % 2 == 0 ? 2 : 3;
}

// The statuses and messages the racers of one round were given.
class Outcomes
{
public:
    void add(const UserRegister::Result &result)
    {
        const QMutexLocker locker(&m_mutex);
        m_results.push_back(result);
    }
    [[nodiscard]] int count(UserRegister::Status status) const
    {
        return int(std::count_if(m_results.begin(), m_results.end(),
                                 [status](const UserRegister::Result &result) { return result.status == status; }));
    }
    [[nodiscard]] bool allSay(UserRegister::Status status, const QString &message) const
    {
        return std::all_of(m_results.begin(), m_results.end(), [&](const UserRegister::Result &result) {
            return result.status != status || result.message == message;
        });
    }
    [[nodiscard]] std::string text() const
    {
        QStringList lines;
        for (const UserRegister::Result &result : m_results)
            lines.append(QStringLiteral("%1 %2").arg(int(result.status)).arg(result.message));
        return lines.join(u" / ").toStdString();
    }

private:
    QMutex m_mutex;
    std::vector<UserRegister::Result> m_results;
};

class UserRegisterRaceTest : public DatabaseFixture
{
protected:
    // The users stored with that birth date, or with that number.
    [[nodiscard]] int stored(TDateTime birth, int cureNo = 0)
    {
        DbQuery query(db(), QStringLiteral("SELECT COUNT(*) AS N FROM Person WHERE Birth = :birth OR CureNo = :no"));
        query.bind(u"birth", DbDate{birth}).bind(u"no", cureNo);
        DbDataSet rows;
        EXPECT_TRUE(rows.open(query)) << rows.errorText().toStdString();
        return rows.field(u"N").asInteger();
    }
};

// The same new user registered at several workstations at once is stored
// once; every other workstation is told it is registered already.
TEST_P(UserRegisterRaceTest, SameNewUserIsStoredOnce)
{
    int faultyRounds = 0;
    for (int round = 0; round < Rounds; ++round) {
        TPerson person = PersonRows::make(QStringLiteral("競争　花子"), QStringLiteral("ｷｮｳｿｳ ﾊﾅｺ"));
        person.Birth += round; // a user of her own per round
        Outcomes outcomes;
        std::vector<std::function<void(DbConnection &)>> racers(size_t(racersIn(round)), [&](DbConnection &connection) {
            outcomes.add(UserRegister(connection).insert(person));
        });
        EXPECT_TRUE(raceAtSeam(racers)) << "round " << round << " did not race";
        const int users = stored(person.Birth);
        const bool fault =
            users != 1 || outcomes.count(UserRegister::Status::Ok) != 1 ||
            outcomes.count(UserRegister::Status::Duplicate) != racersIn(round) - 1 ||
            !outcomes.allSay(UserRegister::Status::Duplicate, QStringLiteral("すでに登録済みです。\n確認して下さい。"));
        faultyRounds += fault;
        EXPECT_FALSE(fault) << "round " << round << ": " << users << " users stored; " << outcomes.text();
    }
    RecordProperty("faultyRounds", faultyRounds);
}

// A user deleted at several workstations at once is gone, and each of them
// is told so, as when they delete one after the other.
TEST_P(UserRegisterRaceTest, SameUserDeletedAtOnce)
{
    int faultyRounds = 0;
    for (int round = 0; round < Rounds; ++round) {
        const int cureNo =
            PersonRows::insert(db(), PersonRows::make(QStringLiteral("削除　一"), QStringLiteral("ｻｸｼﾞｮ ｲﾁ")));
        ASSERT_GT(cureNo, 0);
        Outcomes outcomes;
        std::vector<std::function<void(DbConnection &)>> racers(size_t(racersIn(round)), [&](DbConnection &connection) {
            outcomes.add(UserRegister(connection).remove(cureNo));
        });
        EXPECT_TRUE(raceAtSeam(racers)) << "round " << round << " did not race";
        const int users = stored(DateTime::None, cureNo);
        const bool fault = users != 0 || outcomes.count(UserRegister::Status::Ok) != racersIn(round);
        faultyRounds += fault;
        EXPECT_FALSE(fault) << "round " << round << ": " << users << " users left; " << outcomes.text();
    }
    RecordProperty("faultyRounds", faultyRounds);
}

TAMSOLEN_DATABASE_TEST_SUITE(UserRegisterRaceTest);

} // namespace
