#include "DatabaseFixture.h"

#include "platform/DbBulkInsert.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "platform/DbTransaction.h"

#include <array>
#include <functional>
#include <limits>
#include <thread>
#include <vector>

namespace {

const QStringList Columns{QStringLiteral("Id"),   QStringLiteral("Name"), QStringLiteral("Amount"),
                          QStringLiteral("Flag"), QStringLiteral("At"),   QStringLiteral("Data")};
using Row = std::array<DbValue, 6>;

// Rows of every kind of value, NULLs, empty and long texts, the text
// escapes of COPY, zero and odd dates; every 40th row carries 40 KB, so the
// rows take several sends.
std::vector<Row> varied(int count)
{
    const QString texts[] = {
        QString(),
        QStringLiteral("山田　太郎"),
        QStringLiteral("a\\b\tc\nd\re\\N"),
        QStringLiteral("\\."),
        QString::fromUcs4(U"\U0001F600 ｱｲｳ ①Ⅱ～－"),
        QStringLiteral("'; DROP TABLE Bulk; --"),
    };
    const TDateTime dates[] = {
        DateTime::None, DateTime::encodeDate(2024, 2, 29) + DateTime::encodeTime(23, 59, 59, 999),
        DateTime::encodeDate(1, 1, 1), DateTime::encodeDate(9999, 12, 31), DateTime::encodeTime(10, 15)};
    const double amounts[] = {0.0, -1.5, 1e300, 0.1, 123456789.125};
    std::vector<Row> rows;
    for (int i = 0; i < count; ++i) {
        Row row;
        row[0] = DbValue(qint64(i) * 4000000007LL - 1000000000000LL);
        row[1] = i % 40 == 39 ? DbValue(QString(40 * 1024, QChar(u'あ' + i % 50))) : DbValue(texts[i % 6]);
        row[2] = i % 5 == 4 ? DbValue() : DbValue(amounts[i % 5]);
        row[3] = i % 3 == 2 ? DbValue() : DbValue(i % 3 == 0);
        row[4] = i % 6 == 5 ? DbValue() : DbValue(DbDate{dates[i % 5]});
        row[5] = i % 4 == 0 ? DbValue() : DbValue(QByteArray("\0\\\t\n\xff", 5).repeated(i % 4));
        rows.push_back(row);
    }
    return rows;
}

class DbBulkInsertTest : public DatabaseFixture
{
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        for (const char *table : {"Bulk", "Single"}) {
            ASSERT_TRUE(exec(QStringLiteral("CREATE TABLE %1 (Id BIGINT, Name TEXT, Amount DOUBLE PRECISION, Flag "
                                            "BOOLEAN, At TIMESTAMP(3), Data %2)")
                                 .arg(QLatin1String(table), sqlFor(QStringLiteral("BLOB"), QStringLiteral("BYTEA")))));
        }
    }

    // Every row of the table, its values as kind and text, in the order written.
    std::vector<std::string> read(const QString &table)
    {
        DbDataSet rows;
        EXPECT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" ORDER BY Id"))))
            << rows.errorText().toStdString();
        std::vector<std::string> out;
        // The rows are held whole, not paged: a move cannot fail.
        for (rows.first(); !rows.eof(); (void)rows.next()) {
            QStringList values;
            for (int c = 0; c < rows.fieldCount(); ++c) {
                const DbField field = rows.field(c);
                values.push_back(field.isNull() ? QStringLiteral("<null>")
                                                : QString::number(int(field.type())) + u':' +
                                                      (field.type() == DbType::Blob
                                                           ? QString::fromLatin1(field.value().asBytes().toHex())
                                                           : field.asString()));
            }
            out.push_back(values.join(u'|').left(100).toStdString());
        }
        return out;
    }

    int count(const QString &table)
    {
        DbDataSet rows;
        EXPECT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT COUNT(*) FROM ") + table)));
        return rows.field(0).asInteger();
    }
};

} // namespace

// The rows read back as the same rows written one INSERT at a time.
TEST_P(DbBulkInsertTest, WritesWhatSingleInsertsWrite)
{
    const std::vector<Row> rows = varied(1200);
    {
        DbTransaction transaction(db());
        DbBulkInsert bulk(db(), QStringLiteral("Bulk"), Columns);
        for (const Row &row : rows)
            ASSERT_TRUE(bulk.add(row)) << bulk.errorText().toStdString();
        ASSERT_TRUE(bulk.finish()) << bulk.errorText().toStdString();
        ASSERT_TRUE(transaction.commit());
    }
    // One kept statement, as the rows were written before.
    DbQuery insert(db(), QStringLiteral("INSERT INTO Single (Id, Name, Amount, Flag, At, Data) VALUES "
                                        "(?, ?, ?, ?, ?, ?)"));
    insert.keepPrepared();
    for (const Row &row : rows) {
        insert.clearBindings();
        for (const DbValue &value : row)
            insert.addBind(value);
        ASSERT_TRUE(exec(insert));
    }
    const auto bulk = read(QStringLiteral("Bulk"));
    const auto single = read(QStringLiteral("Single"));
    ASSERT_EQ(bulk.size(), rows.size());
    ASSERT_EQ(single.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        ASSERT_EQ(bulk[i], single[i]) << "row " << i;
    // No rows at all write nothing and succeed.
    DbBulkInsert none(db(), QStringLiteral("Bulk"), Columns);
    EXPECT_TRUE(none.finish());
    EXPECT_EQ(count(QStringLiteral("Bulk")), 1200);
}

// A row the database refuses after thousands were sent leaves nothing once
// the transaction rolls back, and the connection serves the next statement.
TEST_P(DbBulkInsertTest, RefusedRowLeavesNothing)
{
    ASSERT_TRUE(exec(QStringLiteral("CREATE UNIQUE INDEX BulkKey ON Bulk (Id)")));
    std::vector<Row> rows = varied(3000);
    rows[2500][0] = rows[10][0];
    {
        DbTransaction transaction(db());
        DbBulkInsert bulk(db(), QStringLiteral("Bulk"), Columns);
        bool added = true;
        for (const Row &row : rows) {
            if (!(added = bulk.add(row)))
                break;
        }
        EXPECT_FALSE(added && bulk.finish());
        EXPECT_FALSE(bulk.errorText().isEmpty());
        // Nothing more is taken once a row failed.
        EXPECT_FALSE(bulk.add(rows[0]));
    }
    EXPECT_EQ(count(QStringLiteral("Bulk")), 0);

    // Refused before the database sees it: a date beyond the calendar, a
    // row of the wrong width.
    Row badDate = rows[0];
    badDate[4] = DbValue(DbDate{1e9});
    for (const auto &[row, message] :
         {std::pair<std::span<const DbValue>, QString>{badDate, QStringLiteral("date value 1e+09 is out of range")},
          {std::span<const DbValue>(rows[1]).first(5), QStringLiteral("5 values for 6 columns")}}) {
        DbTransaction transaction(db());
        DbBulkInsert bulk(db(), QStringLiteral("Bulk"), Columns);
        ASSERT_TRUE(bulk.add(rows[2]));
        EXPECT_FALSE(bulk.add(row));
        EXPECT_EQ(bulk.errorText(), message);
        EXPECT_FALSE(bulk.finish());
    }
    EXPECT_EQ(count(QStringLiteral("Bulk")), 0);

    // Rows never finished are not kept on commit of the transaction either
    // on PostgreSQL (the COPY is ended as failed); the connection goes on.
    {
        DbBulkInsert bulk(db(), QStringLiteral("Single"), Columns);
        ASSERT_TRUE(bulk.add(rows[3]));
    }
    EXPECT_EQ(count(QStringLiteral("Single")), kind() == DbKind::PostgreSQL ? 0 : 1);
    DbBulkInsert after(db(), QStringLiteral("Bulk"), Columns);
    ASSERT_TRUE(after.add(rows[0]));
    ASSERT_TRUE(after.finish());
    EXPECT_EQ(count(QStringLiteral("Bulk")), 1);
}

// Two workstations write at once, each on its own connection: the one
// whose row is refused keeps nothing, the other keeps all of its rows.
TEST_P(DbBulkInsertTest, RacingWritersKeepAllOrNothing)
{
    ASSERT_TRUE(exec(QStringLiteral("CREATE UNIQUE INDEX BulkKey ON Bulk (Id)")));
    const std::vector<Row> rows = varied(1500);
    const auto write = [&](qint64 offset, bool refused, bool &ok) {
        DbConnection connection;
        ASSERT_TRUE(connection.open(connectionString(), user(), password()));
        DbTransaction transaction(connection, true);
        ASSERT_TRUE(transaction.isActive());
        DbBulkInsert bulk(connection, QStringLiteral("Bulk"), Columns);
        ok = true;
        for (size_t i = 0; i < rows.size() && ok; ++i) {
            Row row = rows[i];
            row[0] = DbValue(offset + qint64(refused && i == 1000 ? 0 : i));
            ok = bulk.add(row);
        }
        ok = ok && bulk.finish() && transaction.commit();
    };
    for (int round = 0; round < 5; ++round) {
        ASSERT_TRUE(exec(QStringLiteral("DELETE FROM Bulk")));
        bool keptOk = false;
        bool refusedOk = true;
        std::thread kept(write, 0, false, std::ref(keptOk));
        std::thread refused(write, 100000, true, std::ref(refusedOk));
        kept.join();
        refused.join();
        EXPECT_TRUE(keptOk);
        EXPECT_FALSE(refusedOk);
        EXPECT_EQ(count(QStringLiteral("Bulk")), 1500) << "round " << round;
        DbDataSet high;
        ASSERT_TRUE(high.open(DbQuery(db(), QStringLiteral("SELECT COUNT(*) FROM Bulk WHERE Id >= 100000"))));
        EXPECT_EQ(high.field(0).asInteger(), 0);
    }
}

TAMSOLEN_DATABASE_TEST_SUITE(DbBulkInsertTest);
