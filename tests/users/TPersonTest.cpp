#include "DatabaseFixture.h"
#include "PersonRows.h"

#include "base/Sjis.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "users/TPerson.h"

namespace {

class TPersonTest : public DatabaseFixture
{
protected:
    // The row of the user, every column.
    [[nodiscard]] bool openUser(DbDataSet &rows, int cureNo)
    {
        rows.setUpdateTable(QStringLiteral("Person"), QStringLiteral("CureNo"));
        DbQuery query(db(), QStringLiteral("SELECT * FROM Person WHERE CureNo = :no"));
        query.bind(u"no", cureNo);
        return rows.open(query) && rows.recordCount() == 1;
    }
};

} // namespace

TEST_P(TPersonTest, LongDiseaseNamesAreCutWithoutSplittingACharacter)
{
    const int cureNo = PersonRows::insert(db(), PersonRows::full());
    ASSERT_GT(cureNo, 0);
    // 51 bytes: a half-width letter, then 25 double-byte characters.
    const QString longName = QStringLiteral("ｱ") + QString(25, u'漢');
    const QString fifty = QString(25, u'病');
    DbQuery update(db(), QStringLiteral("UPDATE Person SET Disease2 = :long, Disease3 = :fifty WHERE CureNo = :no"));
    update.bind(u"long", longName).bind(u"fifty", fifty).bind(u"no", cureNo);
    ASSERT_TRUE(exec(update));

    DbDataSet rows;
    ASSERT_TRUE(openUser(rows, cureNo));
    const TPerson read = TPerson::fromRow(rows);
    EXPECT_EQ(read.Disease2, QStringLiteral("ｱ") + QString(24, u'漢'));
    EXPECT_EQ(Sjis::byteLength(read.Disease2), 49);
    EXPECT_EQ(read.Disease3, fifty); // exactly 50 bytes stay whole
}

TEST_P(TPersonTest, TheDatabaseAssignsTheUserNumber)
{
    TPerson person = PersonRows::full();
    person.CureNo = 999; // never written
    person.Funn01 = 20;
    const int first = PersonRows::insert(db(), person);
    const int second = PersonRows::insert(db(), person);
    ASSERT_GT(first, 0);
    EXPECT_NE(first, 999);
    EXPECT_EQ(second, first + 1);

    // A user read from the row carries no wishes, though the row holds them.
    DbDataSet rows;
    ASSERT_TRUE(openUser(rows, first));
    EXPECT_EQ(rows.field(u"Funn01").asInteger(), 20);
    TPerson expected = PersonRows::full();
    expected.CureNo = first;
    EXPECT_EQ(TPerson::fromRow(rows), expected);
}

TAMSOLEN_DATABASE_TEST_SUITE(TPersonTest);
