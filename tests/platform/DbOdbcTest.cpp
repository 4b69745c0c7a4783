#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"

#include <QSqlDatabase>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Rows read through ODBC arrive with their kinds, as from the other drivers.
TEST(DbOdbc, ReadsRowsThroughTheSqliteOdbcDriver)
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
        GTEST_SKIP() << "Qt's ODBC driver is not installed (libqt6sql6-odbc)";
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("partner.sqlite"));
    {
        DbConnection db;
        ASSERT_TRUE(
            db.open(QStringLiteral("Provider=SQLite;Data Source=") + file, {}, {}, DbConnection::OpenMode::Create));
        for (const char *sql : {"CREATE TABLE t (n INTEGER, s VARCHAR(40), d TIMESTAMP, x DOUBLE)",
                                "INSERT INTO t VALUES (7, '山田　花子', '2001-02-03 00:00:00', 1.5)",
                                "INSERT INTO t VALUES (NULL, NULL, NULL, NULL)"}) {
            DbQuery query(db, QString::fromUtf8(sql));
            ASSERT_TRUE(query.exec()) << query.errorText().toStdString();
        }
    }
    DbConnection odbc;
    if (!odbc.open(QStringLiteral("Provider=ODBC;Driver=SQLite3;Database=") + file))
        GTEST_SKIP() << "the SQLite3 ODBC driver does not load (libsqliteodbc): " << odbc.errorText().toStdString();
    EXPECT_EQ(odbc.kind(), DbKind::Odbc);
    DbDataSet rows;
    ASSERT_TRUE(rows.open(
        DbQuery(odbc, QStringLiteral("SELECT n, s, d, x FROM t WHERE n = ? OR n IS NULL ORDER BY n DESC")).addBind(7)))
        << rows.errorText().toStdString();
    ASSERT_EQ(rows.recordCount(), 2);
    EXPECT_EQ(rows.field(u"N").asInteger(), 7);
    EXPECT_EQ(rows.field(u"s").asString(), QStringLiteral("山田　花子"));
    EXPECT_EQ(rows.field(u"d").asDateTime(), DateTime::encodeDate(2001, 2, 3));
    EXPECT_EQ(rows.field(u"x").asDouble(), 1.5);
    ASSERT_TRUE(rows.next());
    EXPECT_TRUE(rows.field(u"s").isNull());

    DbConnection missing;
    EXPECT_FALSE(missing.open(QStringLiteral("Provider=ODBC;Driver=NoSuchDriver;Database=x")));
    EXPECT_FALSE(missing.errorText().isEmpty());
}
