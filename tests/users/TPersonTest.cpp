#include "DatabaseFixture.h"
#include "PersonRows.h"

#include "base/Sjis.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "users/TPerson.h"

namespace {

TPerson fullPerson()
{
    TPerson person = PersonRows::make(QStringLiteral("山田 太郎"), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"), 4711);
    person.Sex = 1;
    person.YoubinNo = QStringLiteral("160-0023");
    person.Address = QStringLiteral("東京都新宿区西新宿1-2-3");
    person.TelNo = QStringLiteral("03-1234-5678");
    person.FaxNo = QStringLiteral("03-1234-5679");
    person.EMail = QStringLiteral("taro@example.jp");
    person.distinctive = QStringLiteral("右片麻痺");
    person.RihaType = 2;
    person.KubunCode = 1 | 8;
    person.KubunDate = DateTime::encodeDate(2024, 3, 15) + DateTime::encodeTime(14, 30, 5);
    person.ROOM_NO = QStringLiteral("201号室");
    person.Jiritsu_KBN = 3;
    person.Ninchi_KBN = 0;
    person.YOUKAIGO_KBN = 6;
    person.HP_TAISHO_YMD = DateTime::encodeDate(2024, 2, 29);
    person.Disease1 = QStringLiteral("脳梗塞");
    person.Disease6 = QStringLiteral("高血圧症");
    person.Reserve01 = DateTime::encodeTime(9, 30);
    person.Reserve07 = DateTime::encodeTime(13, 0);
    person.Funn01 = 20;
    person.Funn07 = 40;
    return person;
}

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

TEST_P(TPersonTest, RowRoundTripLeavesOutTheWishes)
{
    const TPerson written = fullPerson();
    const int cureNo = PersonRows::insert(db(), written);
    ASSERT_GT(cureNo, 0);

    DbDataSet rows;
    ASSERT_TRUE(openUser(rows, cureNo));
    // The wishes are in the row...
    EXPECT_EQ(rows.field(u"Funn01").asInteger(), 20);
    EXPECT_DOUBLE_EQ(rows.field(u"Reserve07").asDateTime(), DateTime::encodeTime(13, 0));

    // ...but a user read from it carries none; everything else comes back.
    const TPerson read = TPerson::fromRow(rows);
    TPerson expected = written;
    expected.CureNo = cureNo;
    expected.Reserve01 = expected.Reserve07 = DateTime::None;
    expected.Funn01 = expected.Funn07 = 0;
    EXPECT_EQ(read, expected);
    EXPECT_EQ(read.TAISHOBI_YMD, DateTime::None); // not discharged
}

TEST_P(TPersonTest, LongDiseaseNamesAreCutWithoutSplittingACharacter)
{
    const int cureNo = PersonRows::insert(db(), fullPerson());
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

TEST_P(TPersonTest, EditKeepsOrWritesTheStoredWishes)
{
    const int cureNo = PersonRows::insert(db(), fullPerson());
    ASSERT_GT(cureNo, 0);

    // An existing user saved by the register editor: the wishes of the row
    // stay, though the record (read through the search) has none.
    DbDataSet rows;
    ASSERT_TRUE(openUser(rows, cureNo));
    TPerson changed = TPerson::fromRow(rows);
    changed.Name = QStringLiteral("山田 次郎");
    changed.TAISHOBI_YMD = DateTime::encodeDate(2024, 12, 31);
    ASSERT_TRUE(rows.edit());
    changed.writeTo(rows, TPerson::Wishes::KeepStored);
    ASSERT_TRUE(rows.post()) << rows.errorText().toStdString();

    ASSERT_TRUE(openUser(rows, cureNo));
    EXPECT_EQ(rows.field(u"Name").asString(), QStringLiteral("山田 次郎"));
    EXPECT_DOUBLE_EQ(rows.field(u"TAISHOBI_YMD").asDateTime(), DateTime::encodeDate(2024, 12, 31));
    EXPECT_EQ(rows.field(u"Funn01").asInteger(), 20);
    EXPECT_DOUBLE_EQ(rows.field(u"Reserve01").asDateTime(), DateTime::encodeTime(9, 30));

    // Writing the wishes writes them all, zeros included.
    ASSERT_TRUE(rows.edit());
    changed.writeTo(rows, TPerson::Wishes::Write);
    ASSERT_TRUE(rows.post()) << rows.errorText().toStdString();
    ASSERT_TRUE(openUser(rows, cureNo));
    EXPECT_EQ(rows.field(u"Funn01").asInteger(), 0);
    EXPECT_FALSE(rows.field(u"Reserve01").isNull());
    EXPECT_DOUBLE_EQ(rows.field(u"Reserve01").asDateTime(), DateTime::None);
    EXPECT_EQ(rows.field(u"CureNo").asInteger(), cureNo);
}

TEST_P(TPersonTest, TheDatabaseAssignsTheUserNumber)
{
    TPerson person = fullPerson();
    person.CureNo = 999; // never written
    const int first = PersonRows::insert(db(), person);
    const int second = PersonRows::insert(db(), person);
    ASSERT_GT(first, 0);
    EXPECT_NE(first, 999);
    EXPECT_EQ(second, first + 1);
}

TAMSOLEN_DATABASE_TEST_SUITE(TPersonTest);
