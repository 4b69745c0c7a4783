#include "DatabaseFixture.h"

#include "plans/PracticeStore.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"

class PracticeStoreTest : public DatabaseFixture
{
protected:
    TPractice plan(TDateTime day, const QString &remark)
    {
        TPractice record;
        record.PractDay = day;
        record.UserName = QStringLiteral("山田　花子");
        record.Remark = remark;
        record.Grid2[3].Special = 2;
        return record;
    }

    int rowCount()
    {
        DbDataSet rows;
        EXPECT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT PractNo FROM Practice"))));
        return rows.recordCount();
    }

    // Stores a raw row as an older program might have left it.
    int insertRaw(int version, const QByteArray &blob)
    {
        DbQuery insert(db(), QStringLiteral("INSERT INTO Practice (CureNo, PrcticeDay, DataFormatVersion, "
                                            "PracticeData) VALUES (7, :day, :version, :blob)"));
        insert.bind(u"day", DbDate{45432}).bind(u"version", version).bind(u"blob", blob);
        EXPECT_TRUE(exec(insert));
        DbDataSet rows;
        EXPECT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT MAX(PractNo) AS PractNo FROM Practice"))));
        return rows.field(u"PractNo").asInteger();
    }
};

TEST_P(PracticeStoreTest, SavesReopensOverwritesAndDeletes)
{
    PracticeStore store(db());
    PracticeStore::Result result;
    EXPECT_EQ(store.exists(7, 45432, result), false);
    result = store.save(7, plan(45432, QStringLiteral("初回")));
    ASSERT_EQ(result.status, PracticeStore::Status::Ok) << result.message.toStdString();
    EXPECT_EQ(result.message, QStringLiteral("実施計画を保存しました。"));
    const int first = result.planNo;

    const auto loaded = store.load(first, result);
    ASSERT_TRUE(loaded) << result.message.toStdString();
    EXPECT_EQ(loaded->CureNo, 7);
    EXPECT_EQ(loaded->Record, plan(45432, QStringLiteral("初回")));

    // The same user and day, whatever the time of day: the row is replaced.
    EXPECT_EQ(store.exists(7, 45432.75, result), true);
    ASSERT_EQ(store.save(7, plan(45432, QStringLiteral("二回目"))).status, PracticeStore::Status::Ok);
    ASSERT_EQ(store.save(7, plan(45400, QStringLiteral("前月"))).status, PracticeStore::Status::Ok);
    ASSERT_EQ(store.save(8, plan(45432, QStringLiteral("別の人"))).status, PracticeStore::Status::Ok);
    EXPECT_EQ(rowCount(), 3);
    EXPECT_EQ(store.load(first, result)->Record.Remark, QStringLiteral("二回目"));

    const auto plans = store.plansOf(7);
    ASSERT_TRUE(plans);
    ASSERT_EQ(plans->size(), 2u);
    EXPECT_EQ((*plans)[0].PrcticeDay, 45432);
    EXPECT_EQ((*plans)[1].PrcticeDay, 45400);

    EXPECT_EQ(store.remove(7, 45432).status, PracticeStore::Status::Ok);
    EXPECT_EQ(rowCount(), 2);
    result = store.remove(7, 45432);
    EXPECT_EQ(result.status, PracticeStore::Status::NotFound);
    EXPECT_EQ(result.message, QStringLiteral("SystemError : DB Delete Record error 1"));
    EXPECT_EQ(db().transactionDepth(), 0) << "rolled back, not left open";
}

TEST_P(PracticeStoreTest, RefusesOtherFormatsAndShortRecords)
{
    PracticeStore store(db());
    const QByteArray good = plan(45432, QStringLiteral("本文")).toBytes();
    struct Case
    {
        int version;
        QByteArray blob;
        const char16_t *message;
    };
    const Case cases[] = {{29, good, u"System DB Read Error:実施計画"},
                          {31, good, u"System DB Read Error:実施計画"},
                          {30, good.left(21479), u"System DB Read Error:実施計画"},
                          {30, good + QByteArray(8, '\x7f'), nullptr}};
    for (const Case &c : cases) {
        PracticeStore::Result result;
        const auto loaded = store.load(insertRaw(c.version, c.blob), result);
        if (c.message) {
            EXPECT_FALSE(loaded) << c.version;
            EXPECT_EQ(result.message, QString::fromUtf16(c.message));
        } else {
            ASSERT_TRUE(loaded);
            EXPECT_EQ(loaded->Record.Remark, QStringLiteral("本文"));
        }
    }
    PracticeStore::Result result;
    EXPECT_FALSE(store.load(99999, result));
    EXPECT_EQ(result.message, QStringLiteral("System DB Read Error:実施計画のデータが見つかりません。"));
}

TEST_P(PracticeStoreTest, FailedSaveRollsBackAndSaysSo)
{
    PracticeStore store(db());
    ASSERT_EQ(store.save(7, plan(45432, QStringLiteral("残す"))).status, PracticeStore::Status::Ok);
    ASSERT_TRUE(exec(QStringLiteral("DROP TABLE Practice")));
    const PracticeStore::Result result = store.save(7, plan(45432, QStringLiteral("失敗")));
    EXPECT_EQ(result.status, PracticeStore::Status::WriteFailed);
    EXPECT_EQ(result.message, QStringLiteral("System DB Error:実施計画の保存に失敗しました。"));
    EXPECT_EQ(db().transactionDepth(), 0);
}

TAMSOLEN_DATABASE_TEST_SUITE(PracticeStoreTest);
