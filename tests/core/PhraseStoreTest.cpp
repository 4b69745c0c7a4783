#include "DatabaseFixture.h"

#include "base/Clock.h"
#include "core/PhraseStore.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"

class PhraseStoreTest : public DatabaseFixture
{
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        Clock::setFixed(QDateTime(QDate(2024, 4, 1), QTime(9, 15, 30)));
    }
    void TearDown() override
    {
        Clock::reset();
        DatabaseFixture::TearDown();
    }
};

TEST_P(PhraseStoreTest, GroupsListTheirPhrasesInTheOrderAdded)
{
    PhraseStore store(db());
    EXPECT_EQ(store.read(QStringLiteral("UserRegist"), 0), QStringList());

    ASSERT_TRUE(store.open(QStringLiteral("UserRegist"), 0));
    for (const QString &text :
         {QStringLiteral("脳梗塞"), QStringLiteral("O'Neil's \"%_\""), QString(), QStringLiteral("大腿骨頸部骨折")})
        ASSERT_EQ(store.append(text), PhraseStore::Status::Ok);
    ASSERT_TRUE(store.open(QStringLiteral("UserRegist"), 1));
    ASSERT_EQ(store.append(QStringLiteral("201号室")), PhraseStore::Status::Ok);
    ASSERT_TRUE(store.open(QStringLiteral("CurePlan"), 0));
    ASSERT_EQ(store.append(QStringLiteral("別の画面")), PhraseStore::Status::Ok);

    EXPECT_EQ(store.read(QStringLiteral("UserRegist"), 0),
              QStringList({QStringLiteral("脳梗塞"), QStringLiteral("O'Neil's \"%_\""), QString(),
                           QStringLiteral("大腿骨頸部骨折")}));
    EXPECT_EQ(store.read(QStringLiteral("UserRegist"), 1), QStringList{QStringLiteral("201号室")});
    EXPECT_EQ(store.read(QStringLiteral("userregist"), 1), QStringList());
    // The group being edited holds the last one added.
    EXPECT_EQ(store.CommentTable.recordCount(), 1);
    EXPECT_EQ(store.CommentTable.field(u"CommentText").asString(), QStringLiteral("別の画面"));

    DbDataSet row;
    ASSERT_TRUE(row.open(DbQuery(db(), QStringLiteral("SELECT * FROM Comment WHERE ProgramName = 'CurePlan'"))));
    EXPECT_EQ(row.field(u"CommentCode").asInteger(), 0);
    EXPECT_EQ(row.field(u"Creator").asInteger(), 0);
    EXPECT_EQ(row.field(u"Updator").asInteger(), 0);
    EXPECT_EQ(row.field(u"CreateDate").asDateTime(), Clock::now());
    EXPECT_EQ(row.field(u"UpdateDate").asDateTime(), Clock::now());
}

TEST_P(PhraseStoreTest, TextLimitIsCountedInShiftJisBytes)
{
    PhraseStore store(db());
    ASSERT_TRUE(store.open(QStringLiteral("Schd"), 0));

    EXPECT_EQ(store.append(QString(127, QChar(u'あ'))), PhraseStore::Status::Ok);
    EXPECT_EQ(store.append(QString(254, QChar(u'ｱ'))), PhraseStore::Status::Ok);
    EXPECT_EQ(store.append(QString(128, QChar(u'あ'))), PhraseStore::Status::TooLong);
    EXPECT_EQ(store.append(QString(255, QChar(u'a'))), PhraseStore::Status::TooLong);
    EXPECT_EQ(store.append(QString(126, QChar(u'あ')) + QStringLiteral("ab")), PhraseStore::Status::Ok);
    EXPECT_EQ(store.append(QString(126, QChar(u'あ')) + QStringLiteral("abc")), PhraseStore::Status::TooLong);

    const std::optional<QStringList> phrases = store.read(QStringLiteral("Schd"), 0);
    ASSERT_TRUE(phrases);
    ASSERT_EQ(phrases->size(), 3);
    EXPECT_EQ(phrases->at(0), QString(127, QChar(u'あ')));
    EXPECT_EQ(phrases->at(1), QString(254, QChar(u'ｱ')));
}

TEST_P(PhraseStoreTest, RemoveDeletesTheRowWithTheKeyNotTheCurrentOne)
{
    PhraseStore store(db());
    ASSERT_TRUE(store.open(QStringLiteral("Goods"), 0));
    for (const char16_t *text : {u"杖", u"車椅子", u"歩行器"})
        ASSERT_EQ(store.append(QString::fromUtf16(text)), PhraseStore::Status::Ok);
    ASSERT_TRUE(store.CommentTable.setPosition(2));
    const int middle = store.CommentTable.record(1).value(u"CommentIDNo").asInteger();

    EXPECT_EQ(store.remove(middle), PhraseStore::Status::Ok);
    EXPECT_EQ(store.read(QStringLiteral("Goods"), 0), QStringList({QStringLiteral("杖"), QStringLiteral("歩行器")}));

    // A phrase deleted meanwhile at another workstation: nothing else goes.
    const int first = store.CommentTable.record(0).value(u"CommentIDNo").asInteger();
    DbQuery elsewhere(db(), QStringLiteral("DELETE FROM Comment WHERE CommentIDNo = ?"));
    elsewhere.addBind(first);
    ASSERT_TRUE(exec(elsewhere));
    EXPECT_EQ(store.remove(first), PhraseStore::Status::WriteFailed);
    EXPECT_EQ(db().transactionDepth(), 0);
    EXPECT_EQ(store.read(QStringLiteral("Goods"), 0), QStringList{QStringLiteral("歩行器")});
    EXPECT_EQ(store.CommentTable.recordCount(), 1);
}

TEST_P(PhraseStoreTest, FailedWritesRollBack)
{
    PhraseStore store(db());
    ASSERT_TRUE(store.open(QStringLiteral("Kaigo"), 0));
    ASSERT_EQ(store.append(QStringLiteral("入浴介助")), PhraseStore::Status::Ok);

    ASSERT_TRUE(exec(QStringLiteral("DROP TABLE Comment")));
    EXPECT_EQ(store.append(QStringLiteral("食事介助")), PhraseStore::Status::WriteFailed);
    EXPECT_EQ(db().transactionDepth(), 0);
    EXPECT_FALSE(store.read(QStringLiteral("Kaigo"), 0));
    EXPECT_EQ(store.append(QStringLiteral("食事介助")), PhraseStore::Status::OpenFailed);
    EXPECT_EQ(store.remove(1), PhraseStore::Status::OpenFailed);
    EXPECT_EQ(db().transactionDepth(), 0);
}

TAMSOLEN_DATABASE_TEST_SUITE(PhraseStoreTest);
