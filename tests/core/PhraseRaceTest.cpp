#include "DatabaseFixture.h"

#include "core/PhraseStore.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"

#include <atomic>

namespace {

class PhraseRaceTest : public DatabaseFixture
{
};

// Phrases added to one group and deleted from it at several workstations
// at once are all stored or deleted; none is refused for the other's lock.
TEST_P(PhraseRaceTest, AppendsAndDeletesAtOnce)
{
    constexpr int Rounds = 20;
    constexpr int Adders = 3;
    int faultyRounds = 0;
    for (int round = 0; round < Rounds; ++round) {
        PhraseStore seed(db());
        ASSERT_TRUE(seed.open(QStringLiteral("Schd"), round));
        ASSERT_EQ(seed.append(QStringLiteral("消す")), PhraseStore::Status::Ok);
        const int doomed = seed.CommentTable.field(u"CommentIDNo").asInteger();
        std::atomic<int> failed{0};
        std::vector<std::function<void(DbConnection &)>> racers;
        for (int adder = 0; adder < Adders; ++adder)
            racers.emplace_back([&, adder](DbConnection &connection) {
                PhraseStore store(connection);
                failed += !store.open(QStringLiteral("Schd"), round) ||
                          store.append(QString::number(adder)) != PhraseStore::Status::Ok;
            });
        racers.emplace_back([&](DbConnection &connection) {
            PhraseStore store(connection);
            failed += !store.open(QStringLiteral("Schd"), round) || store.remove(doomed) != PhraseStore::Status::Ok;
        });
        race(racers);
        const std::optional<QStringList> phrases = PhraseStore(db()).read(QStringLiteral("Schd"), round);
        const bool fault = failed != 0 || !phrases || phrases->size() != Adders;
        faultyRounds += fault;
        EXPECT_FALSE(fault) << "round " << round << ": " << failed << " failed, "
                            << (phrases ? phrases->join(u',').toStdString() : "unreadable");
    }
    RecordProperty("faultyRounds", faultyRounds);
}

TAMSOLEN_DATABASE_TEST_SUITE(PhraseRaceTest);

} // namespace
