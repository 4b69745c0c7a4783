#include "DatabaseFixture.h"

#include "platform/DbDataSet.h"
#include "platform/DbPagedQuery.h"
#include "platform/DbQuery.h"
#include "platform/DbTransaction.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

constexpr int RowCount = 40;

class DbPagedQueryTest : public DatabaseFixture
{
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(exec(sqlFor(QStringLiteral("CREATE TABLE Paged (ID INTEGER PRIMARY KEY AUTOINCREMENT, "
                                               "Kana VARCHAR(40), Num INTEGER, Label VARCHAR(400), Stamp TIMESTAMP)"),
                                QStringLiteral("CREATE TABLE Paged (ID INTEGER GENERATED ALWAYS AS IDENTITY PRIMARY "
                                               "KEY, Kana VARCHAR(40), Num INTEGER, Label VARCHAR(400), "
                                               "Stamp TIMESTAMP(3))"))));
        // Few kana, so that equal kana lie across page ends; labels and
        // dates of every sort.
        const QString kana[] = {QStringLiteral("ｻﾄｳ"), QStringLiteral("ｱ"), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"),
                                QStringLiteral("ｻﾄｳ "), QStringLiteral("A")};
        DbTransaction transaction(db());
        for (int i = 0; i < RowCount; ++i) {
            DbQuery insert(db(), QStringLiteral("INSERT INTO Paged (Kana, Num, Label, Stamp) "
                                                "VALUES (:kana, :num, :label, :stamp)"));
            const DbValue label = i % 4 == 0   ? DbValue()
                                  : i % 4 == 1 ? DbValue(QString())
                                  : i % 4 == 2 ? DbValue(QString(300, u'記') + QString::number(i))
                                               : DbValue(QStringLiteral("O'Neil \\ %_ 山田"));
            const DbValue stamp = i % 3 == 0   ? DbValue()
                                  : i % 3 == 1 ? DbValue(DbDate{DateTime::None})
                                               : DbValue(DbDate{DateTime::encodeDate(2024, 2, 29) + i / 48.0});
            insert.bind(u"kana", kana[i % 5]).bind(u"num", i % 2 ? DbValue(i) : DbValue()).bind(u"label", label);
            insert.bind(u"stamp", stamp);
            ASSERT_TRUE(exec(insert));
        }
        ASSERT_TRUE(transaction.commit());
    }

    // The kana ordered by character code on both databases.
    [[nodiscard]] QString kanaTerm() const
    {
        return sqlFor(QStringLiteral("Kana"), QStringLiteral("Kana COLLATE \"C\""));
    }

    // All rows but those of one Num, by kana and key.
    [[nodiscard]] DbPagedQuery paged(int firstPage)
    {
        DbPagedQuery query(db(), QStringLiteral("SELECT * FROM Paged"), QStringLiteral("Num IS NULL OR Num <> :skip"));
        query.bind(u"skip", 7).addKey(QStringLiteral("Kana"), kanaTerm()).addKey(QStringLiteral("ID"));
        query.setFirstPageSize(firstPage);
        return query;
    }

    // Every value of every row from the current one on, walked with next().
    [[nodiscard]] static std::vector<QString> walk(DbDataSet &rows)
    {
        std::vector<QString> seen;
        // A page that fails ends the walk at eof; the tests check readFailed().
        for (; !rows.eof(); (void)rows.next()) {
            QString row;
            for (int column = 0; column < rows.fieldCount(); ++column) {
                const DbField field = rows.field(column);
                row += field.isNull() ? QStringLiteral("<null>") : field.asString();
                row += u'|';
            }
            seen.push_back(row);
        }
        return seen;
    }

    [[nodiscard]] std::vector<int> keys(DbDataSet &rows)
    {
        std::vector<int> ids;
        // A page that fails ends the walk at eof; the tests check readFailed().
        for (rows.first(); !rows.eof(); (void)rows.next())
            ids.push_back(rows.field(u"ID").asInteger());
        return ids;
    }
};

} // namespace

TEST_P(DbPagedQueryTest, PagesReadTheSameRowsAsOneQuery)
{
    DbDataSet whole;
    ASSERT_TRUE(whole.open(DbQuery(db(), QStringLiteral("SELECT * FROM Paged WHERE Num IS NULL OR Num <> :skip "
                                                        "ORDER BY %1, ID")
                                             .arg(kanaTerm()))
                               .bind(u"skip", 7)))
        << whole.errorText().toStdString();
    const std::vector<QString> expected = walk(whole);
    ASSERT_EQ(expected.size(), size_t(RowCount - 1));

    for (const int firstPage : {1, 3, 7, RowCount - 1, RowCount, 500}) {
        DbDataSet rows;
        ASSERT_TRUE(rows.open(paged(firstPage))) << rows.errorText().toStdString();
        EXPECT_EQ(rows.recordCount(), std::min(firstPage, RowCount - 1));
        EXPECT_EQ(walk(rows), expected) << firstPage;
        EXPECT_FALSE(rows.canFetchMore());
        EXPECT_EQ(rows.recordCount(), RowCount - 1);
        EXPECT_EQ(rows.field(u"ID").asInteger(), whole.field(u"ID").asInteger()); // stays on the last row
    }
}

TEST_P(DbPagedQueryTest, PagesGrowAndMovesReadOn)
{
    DbDataSet rows;
    ASSERT_TRUE(rows.open(paged(3)));
    EXPECT_EQ(rows.recordCount(), 3);
    EXPECT_TRUE(rows.canFetchMore());
    EXPECT_TRUE(rows.fetchMore());
    EXPECT_EQ(rows.recordCount(), 9);
    EXPECT_EQ(rows.position(), 0); // reading moves nothing
    EXPECT_TRUE(rows.setPosition(30));
    EXPECT_EQ(rows.recordCount(), 39); // 9 + 12, then the 18 left of 24
    EXPECT_FALSE(rows.canFetchMore());
    EXPECT_TRUE(rows.fetchMore()); // nothing left: nothing to do
    EXPECT_FALSE(rows.setPosition(39));

    // A full last page: one more read finds nothing.
    DbDataSet exact;
    ASSERT_TRUE(exact.open(paged(13)));
    EXPECT_TRUE(exact.fetchMore()); // 13 + 26 = all 39
    EXPECT_EQ(exact.recordCount(), 39);
    EXPECT_TRUE(exact.canFetchMore());
    EXPECT_TRUE(exact.fetchMore());
    EXPECT_FALSE(exact.canFetchMore());
    EXPECT_EQ(exact.recordCount(), 39);

    // locate and last read on; the filter applies to later pages too.
    ASSERT_TRUE(rows.open(paged(2)));
    const int lastId = [&] {
        DbDataSet all;
        EXPECT_TRUE(all.open(paged(500)));
        EXPECT_TRUE(all.last());
        return all.field(u"ID").asInteger();
    }();
    ASSERT_TRUE(rows.locate(u"ID", lastId));
    EXPECT_EQ(rows.position(), RowCount - 2);
    ASSERT_TRUE(rows.open(paged(2)));
    rows.setFilter([](const DbRecord &record) { return record.value(u"Num").asInteger() % 4 == 1; });
    rows.setFiltered(true);
    EXPECT_LE(rows.recordCount(), 1);
    EXPECT_TRUE(rows.last());
    EXPECT_EQ(rows.recordCount(), 10); // 1, 5, ..., 37
    for (int position = 0; position < rows.recordCount(); ++position)
        EXPECT_EQ(rows.record(position).value(u"Num").asInteger() % 4, 1);

    // A write reads every page first: the appended row comes last.
    rows.setFiltered(false);
    ASSERT_TRUE(rows.open(paged(2)));
    rows.setUpdateTable(QStringLiteral("Paged"), QStringLiteral("ID"));
    ASSERT_TRUE(rows.append());
    rows.setValue(u"Kana", QStringLiteral("ｱ"));
    ASSERT_TRUE(rows.post()) << rows.errorText().toStdString();
    EXPECT_EQ(rows.recordCount(), RowCount);
    EXPECT_EQ(rows.position(), RowCount - 1);
    EXPECT_FALSE(rows.canFetchMore());
}

TEST_P(DbPagedQueryTest, NothingIsHeldBetweenPagesAndOtherWritersAreSeenInKeyOrder)
{
    DbDataSet rows;
    DbPagedQuery query(db(), QStringLiteral("SELECT ID, Kana FROM Paged"));
    query.addKey(QStringLiteral("ID")).setFirstPageSize(5);
    ASSERT_TRUE(rows.open(query));
    ASSERT_TRUE(rows.canFetchMore());

    // Another workstation writes while pages are left: it waits for no lock.
    DbConnection other;
    ASSERT_TRUE(other.open(connectionString(), user(), password())) << other.errorText().toStdString();
    for (const QString &sql : {QStringLiteral("DELETE FROM Paged WHERE ID IN (2, 20)"),
                               QStringLiteral("INSERT INTO Paged (Kana) VALUES ('ﾝ')")}) {
        DbQuery write(other, sql);
        ASSERT_TRUE(write.exec()) << write.errorText().toStdString();
    }

    // Row 2 was read before it went; row 20 was not; the new row comes last.
    std::vector<int> expected;
    for (int id = 1; id <= RowCount + 1; ++id) {
        if (id != 20)
            expected.push_back(id);
    }
    EXPECT_EQ(keys(rows), expected);
}

TEST_P(DbPagedQueryTest, AFailingPageKeepsTheRowsReadAndSaysWhy)
{
    DbDataSet rows;
    ASSERT_TRUE(rows.open(paged(4)));
    ASSERT_TRUE(exec(QStringLiteral("DROP TABLE Paged")));
    EXPECT_FALSE(rows.fetchMore());
    EXPECT_FALSE(rows.errorText().isEmpty());
    EXPECT_FALSE(rows.canFetchMore());
    EXPECT_EQ(rows.recordCount(), 4);
    EXPECT_TRUE(rows.setPosition(3));
    EXPECT_FALSE(rows.next()); // the page it needed failed
    EXPECT_TRUE(rows.eof());
    EXPECT_EQ(rows.position(), 3);

    // A key the rows lack, or no key at all, opens nothing.
    DbPagedQuery missing(db(), QStringLiteral("SELECT 1 AS One"));
    missing.addKey(QStringLiteral("Two"), QStringLiteral("One"));
    EXPECT_FALSE(rows.open(missing));
    EXPECT_FALSE(rows.isOpen());
    EXPECT_FALSE(rows.open(DbPagedQuery(db(), QStringLiteral("SELECT 1 AS One"))));
    EXPECT_FALSE(rows.errorText().isEmpty());
}

TEST_P(DbPagedQueryTest, EveryMoveThatNeedsAPageThatFailsSaysSo)
{
    // A view dropped after the first page: every later page fails.
    const std::function<bool(DbDataSet &)> moves[] = {
        [](DbDataSet &rows) { return rows.last(); },
        [](DbDataSet &rows) { return rows.setPosition(10); },
        [](DbDataSet &rows) { return rows.locate(u"ID", 40); },
        [](DbDataSet &rows) { return rows.sort([](const DbRecord &, const DbRecord &) { return false; }); },
        [](DbDataSet &rows) {
            for (int row = 0; row < 4; ++row) {
                if (!rows.next())
                    return false;
            }
            return true;
        },
    };
    int move = 0;
    for (const auto &moved : moves) {
        SCOPED_TRACE(move++);
        ASSERT_TRUE(exec(QStringLiteral("CREATE VIEW PagedView AS SELECT * FROM Paged")));
        DbDataSet rows;
        DbPagedQuery query(db(), QStringLiteral("SELECT * FROM PagedView"));
        query.addKey(QStringLiteral("ID")).setFirstPageSize(4);
        ASSERT_TRUE(rows.open(query)) << rows.errorText().toStdString();
        ASSERT_TRUE(exec(QStringLiteral("DROP VIEW PagedView")));
        EXPECT_FALSE(rows.readFailed());
        EXPECT_FALSE(moved(rows));
        EXPECT_TRUE(rows.readFailed());
        EXPECT_FALSE(rows.errorText().isEmpty());
        // The rows read stay, in their order, and end early.
        EXPECT_EQ(rows.recordCount(), 4);
        EXPECT_TRUE(rows.setPosition(3));
        EXPECT_FALSE(rows.next());
        EXPECT_TRUE(rows.eof());
        EXPECT_EQ(keys(rows), std::vector<int>({1, 2, 3, 4}));
        EXPECT_TRUE(rows.readFailed());
    }
    // Opened again, a data set has read nothing that failed.
    DbDataSet rows;
    DbPagedQuery query(db(), QStringLiteral("SELECT * FROM Paged"));
    query.addKey(QStringLiteral("ID")).setFirstPageSize(4);
    ASSERT_TRUE(rows.open(query));
    EXPECT_TRUE(rows.last());
    EXPECT_FALSE(rows.readFailed());
    EXPECT_EQ(rows.recordCount(), RowCount);
}

TEST_P(DbPagedQueryTest, ANullKeyStopsTheReadingWithAMessage)
{
    // No later page could be found after a NULL: the reading stops.
    DbDataSet rows;
    DbPagedQuery query(db(), QStringLiteral("SELECT ID, NULL AS Absent FROM Paged"));
    query.addKey(QStringLiteral("Absent")).setFirstPageSize(1);
    ASSERT_TRUE(rows.open(query)) << rows.errorText().toStdString();
    EXPECT_TRUE(rows.canFetchMore());
    EXPECT_FALSE(rows.fetchMore());
    EXPECT_THAT(rows.errorText().toStdString(), ::testing::HasSubstr("NULL"));
    EXPECT_FALSE(rows.canFetchMore());
    EXPECT_EQ(rows.recordCount(), 1);
}

TAMSOLEN_DATABASE_TEST_SUITE(DbPagedQueryTest);
