#include "platform/DbValue.h"
#include "platform/DbSchema.h"

#include <gtest/gtest.h>

TEST(DbDate, TextRoundTripsToTheMillisecond)
{
    const TDateTime values[] = {
        DateTime::None,
        DateTime::encodeDate(2024, 2, 29),
        DateTime::encodeDate(2024, 3, 10) + DateTime::encodeTime(2, 30, 0, 123),
        DateTime::encodeDate(1999, 12, 31) + DateTime::encodeTime(23, 59, 59, 999),
        DateTime::encodeTime(9, 15),
        DateTime::encodeDate(1899, 12, 1) + DateTime::encodeTime(12, 0),
    };
    for (TDateTime value : values) {
        const QString text = DbDate{value}.text();
        const auto back = DbDate::parse(QStringView(text));
        ASSERT_TRUE(back) << text.toStdString();
        EXPECT_EQ(back->value, value) << text.toStdString();
    }
    EXPECT_EQ(DbDate{}.text(), u"1899-12-30 00:00:00.000");
    EXPECT_EQ(DbDate{DateTime::encodeTime(9, 15)}.text(), u"1899-12-30 09:15:00.000");
    EXPECT_EQ(DbDate{values[2]}.text(), u"2024-03-10 02:30:00.123");
    EXPECT_EQ(DbDate{values[3]}.text(), u"1999-12-31 23:59:59.999");
    EXPECT_EQ(DbDate{DateTime::encodeDate(987, 6, 5)}.text(), u"0987-06-05 00:00:00.000");
}

TEST(DbDate, ReadsTheFormsTheDatabasesWrite)
{
    const TDateTime day = DateTime::encodeDate(2023, 4, 1);
    EXPECT_EQ(DbDate::parse("2023-04-01")->value, day);
    EXPECT_EQ(DbDate::parse("2023-04-01 00:00:00")->value, day);
    EXPECT_EQ(DbDate::parse("2023-04-01T10:00:00.5")->value, day + DateTime::encodeTime(10, 0, 0, 500));
    EXPECT_EQ(DbDate::parse("2023-04-01 10:00:00.123456")->value, day + DateTime::encodeTime(10, 0, 0, 123));
    EXPECT_EQ(DbDate::parse("2023-04-01 10:00:00+09")->value, day + DateTime::encodeTime(10, 0));
    for (const char *bad : {"", "2023-4-1", "2023/04/01", "2023-02-30", "2023-04-01 24:00:00", "2023-04-01 10:00",
                            "2023-04-01 10:00:00.", "2023-04-01 10:00:00 BC", "infinity"})
        EXPECT_FALSE(DbDate::parse(bad)) << bad;
    EXPECT_FALSE(DbDate{1.0e9}.isValid());
    EXPECT_TRUE(DbDate{1.0e9}.text().isEmpty());
}

TEST(DbValue, ConvertsLikeTheFieldsOfTheProgram)
{
    EXPECT_TRUE(DbValue().isNull());
    EXPECT_EQ(DbValue().asInteger(), 0);
    EXPECT_EQ(DbValue().asString(), QString());
    EXPECT_EQ(DbValue().asDateTime(), DateTime::None);
    EXPECT_EQ(DbValue(2.5).asInteger(), 3);
    EXPECT_EQ(DbValue(QStringLiteral(" 42 ")).asInteger(), 42);
    EXPECT_EQ(DbValue(QStringLiteral("abc")).asInteger(), 0);
    EXPECT_EQ(DbValue(0.1).asString(), u"0.1");
    EXPECT_EQ(DbValue(true).asString(), u"True");
    EXPECT_TRUE(DbValue(QStringLiteral("TRUE")).asBoolean());
    EXPECT_FALSE(DbValue(QStringLiteral("False")).asBoolean());
    const TDateTime stamp = DateTime::encodeDate(2024, 5, 17) + DateTime::encodeTime(13, 45, 10);
    EXPECT_EQ(DbValue(DbDate{stamp}).asString(), u"2024/05/17 13:45:10");
    EXPECT_EQ(DbValue(DbDate{DateTime::dateOf(stamp)}).asString(), u"2024/05/17");
    EXPECT_EQ(DbValue(QStringLiteral("2024-05-17 13:45:10.000")).asDateTime(), stamp);
    EXPECT_EQ(DbValue(DbDate{stamp}).type(), DbType::DateTime);
    EXPECT_EQ(DbValue(3), DbValue(3.0));
    EXPECT_FALSE(DbValue(3) == DbValue(QStringLiteral("3")));
    EXPECT_FALSE(DbValue(0) == DbValue());
}

TEST(DbSchema, SplitsStatementsOutsideQuotesAndComments)
{
    const QStringList statements =
        DbSchema::statements(u"-- a comment; with a semicolon\nCREATE TABLE A (X TEXT DEFAULT 'a;b');\n\n"
                             u"INSERT INTO \"B;C\" VALUES ('it''s');  -- trailing;\n  ;\nSELECT 1");
    ASSERT_EQ(statements.size(), 3);
    EXPECT_EQ(statements[0], u"CREATE TABLE A (X TEXT DEFAULT 'a;b')");
    EXPECT_EQ(statements[1], u"INSERT INTO \"B;C\" VALUES ('it''s')");
    EXPECT_EQ(statements[2], u"SELECT 1");
}
