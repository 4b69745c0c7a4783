#include "DatabaseFixture.h"

#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"

#include <QtGlobal>

#include <ctime>

namespace {

// A wall-clock time that US Eastern time skips (clocks go from 2:00 to 3:00).
const TDateTime Stamp = DateTime::encodeDate(2024, 3, 10) + DateTime::encodeTime(2, 30, 15, 250);

// Sets the process's local time zone for a test.
class LocalTimeZone
{
public:
    explicit LocalTimeZone(const char *zone) : m_had(qEnvironmentVariableIsSet("TZ")), m_old(qgetenv("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~LocalTimeZone()
    {
        if (m_had)
            qputenv("TZ", m_old);
        else
            qunsetenv("TZ");
        tzset();
    }
    LocalTimeZone(const LocalTimeZone &) = delete;
    LocalTimeZone &operator=(const LocalTimeZone &) = delete;

private:
    bool m_had;
    QByteArray m_old;
};

} // namespace

class DbDataSetTest : public DatabaseFixture
{
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(
            exec(sqlFor(QStringLiteral("CREATE TABLE Kinds (ID INTEGER PRIMARY KEY AUTOINCREMENT, "
                                       "Num INTEGER, Amount DOUBLE, Flag BOOLEAN, Label VARCHAR(40), "
                                       "Stamp TIMESTAMP, Data BLOB)"),
                        QStringLiteral("CREATE TABLE Kinds (ID INTEGER GENERATED ALWAYS AS IDENTITY PRIMARY KEY, "
                                       "Num INTEGER, Amount DOUBLE PRECISION, Flag BOOLEAN, Label VARCHAR(40), "
                                       "Stamp TIMESTAMP(3), Data BYTEA)"))));
    }

    // Opens the table with its key set for writing.
    void openKinds(DbDataSet &rows, const QString &order = QStringLiteral("ID"))
    {
        rows.setUpdateTable(QStringLiteral("Kinds"), QStringLiteral("ID"));
        ASSERT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT * FROM Kinds ORDER BY ") + order)))
            << rows.errorText().toStdString();
    }

    // Appends a row with Num and Label and returns its generated key.
    int appendKind(DbDataSet &rows, int num, const QString &label = QString())
    {
        EXPECT_TRUE(rows.append()) << rows.errorText().toStdString();
        rows.setValue(u"Num", num);
        rows.setValue(u"Label", label);
        EXPECT_TRUE(rows.post()) << rows.errorText().toStdString();
        return rows.field(u"ID").asInteger();
    }

    void addStaff(int code, const QString &name, const QString &mark)
    {
        DbQuery query(db(), QStringLiteral("INSERT INTO KaigoStuff (CD, StuffName, KIGO) VALUES (?, ?, ?)"));
        query.addBind(code).addBind(name).addBind(mark);
        ASSERT_TRUE(exec(query));
    }
};

TEST_P(DbDataSetTest, EveryKindOfColumnRoundTrips)
{
    // Dates must not pass through local time, where Stamp does not exist.
    const LocalTimeZone zone("EST5EDT,M3.2.0,M11.1.0");
    const QByteArray bytes("\0\x01\xff'\\x", 6);
    DbQuery insert(db(), QStringLiteral("INSERT INTO Kinds (Num, Amount, Flag, Label, Stamp, Data) "
                                        "VALUES (:num, :amount, :flag, :label, :stamp, :data)"));
    insert.bind(u":num", -2147483647)
        .bind(u"amount", 1.0 / 3.0)
        .bind(u"flag", true)
        .bind(u"label", QStringLiteral("山田　太郎 ﾔﾏﾀﾞ"))
        .bind(u"stamp", DbDate{Stamp})
        .bind(u"data", bytes);
    ASSERT_TRUE(exec(insert));
    insert.bind(u"num", 0).bind(u"amount", 0.0).bind(u"flag", false).bind(u"label", QString());
    insert.bind(u"stamp", DbDate{DateTime::None}).bind(u"data", QByteArray());
    ASSERT_TRUE(exec(insert));
    for (const char *column : {"num", "amount", "flag", "label", "stamp", "data"})
        insert.bind(QString::fromLatin1(column), DbValue());
    ASSERT_TRUE(exec(insert));

    DbDataSet rows;
    openKinds(rows);
    ASSERT_EQ(rows.recordCount(), 3);
    const DbField num = rows.field(u"NUM");
    const DbField amount = rows.field(u"amount");
    const DbField flag = rows.field(u"Flag");
    const DbField label = rows.field(u"Label");
    const DbField stamp = rows.field(u"Stamp");
    const DbField data = rows.field(u"Data");
    EXPECT_EQ(num.type(), DbType::Integer);
    EXPECT_EQ(amount.type(), DbType::Double);
    EXPECT_EQ(flag.type(), DbType::Boolean);
    EXPECT_EQ(label.type(), DbType::Text);
    EXPECT_EQ(stamp.type(), DbType::DateTime);
    EXPECT_EQ(data.type(), DbType::Blob);

    EXPECT_EQ(num.asInteger(), -2147483647);
    EXPECT_EQ(amount.asDouble(), 1.0 / 3.0);
    EXPECT_TRUE(flag.asBoolean());
    EXPECT_EQ(label.asString(), u"山田　太郎 ﾔﾏﾀﾞ");
    EXPECT_EQ(stamp.asDateTime(), Stamp);
    EXPECT_EQ(data.asBytes(), bytes);

    ASSERT_TRUE(rows.next());
    EXPECT_FALSE(num.isNull());
    EXPECT_EQ(num.asInteger(), 0);
    EXPECT_FALSE(flag.isNull());
    EXPECT_FALSE(flag.asBoolean());
    EXPECT_FALSE(stamp.isNull());
    EXPECT_EQ(stamp.asDateTime(), DateTime::None);

    ASSERT_TRUE(rows.next());
    for (int column = 1; column < rows.fieldCount(); ++column)
        EXPECT_TRUE(rows.field(column).isNull()) << rows.fieldName(column).toStdString();
    EXPECT_EQ(stamp.asDateTime(), DateTime::None);
    EXPECT_EQ(label.asString(), QString());
}

TEST_P(DbDataSetTest, DatesAreSelectedByBoundDates)
{
    DbDataSet rows;
    openKinds(rows);
    for (TDateTime value : {DateTime::None, Stamp, DateTime::dateOf(Stamp) + 1}) {
        ASSERT_TRUE(rows.append());
        rows.setValue(u"Stamp", DbDate{value});
        ASSERT_TRUE(rows.post()) << rows.errorText().toStdString();
    }
    DbDataSet found;
    ASSERT_TRUE(found.open(DbQuery(db(), QStringLiteral("SELECT Stamp FROM Kinds WHERE Stamp >= ? AND Stamp < ? "
                                                        "ORDER BY Stamp"))
                               .addBind(DbDate{DateTime::dateOf(Stamp)})
                               .addBind(DbDate{DateTime::dateOf(Stamp) + 1})))
        << found.errorText().toStdString();
    ASSERT_EQ(found.recordCount(), 1);
    EXPECT_EQ(found.field(u"Stamp").asDateTime(), Stamp);

    ASSERT_TRUE(found.open(DbQuery(db(), QStringLiteral("SELECT COUNT(*) AS N FROM Kinds WHERE Stamp = :none"))
                               .bind(u"none", DbDate{DateTime::None})));
    EXPECT_EQ(found.field(u"N").asInteger(), 1);
}

TEST_P(DbDataSetTest, QuotesAndSqlLookingTextAreStoredLiterally)
{
    const QString texts[] = {QStringLiteral("O'Brien"), QStringLiteral("x' OR '1'='1"),
                             QStringLiteral("'); DROP TABLE Kinds; --"), QStringLiteral("\\ :name ? %_ \"q\"")};
    DbDataSet rows;
    openKinds(rows);
    for (const QString &text : texts)
        appendKind(rows, 1, text);
    for (const QString &text : texts) {
        DbDataSet found;
        ASSERT_TRUE(found.open(
            DbQuery(db(), QStringLiteral("SELECT Label FROM Kinds WHERE Label = :label")).bind(u"label", text)));
        ASSERT_EQ(found.recordCount(), 1) << text.toStdString();
        EXPECT_EQ(found.field(u"Label").asString(), text);
    }
    ASSERT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT * FROM Kinds"))));
    EXPECT_EQ(rows.recordCount(), 4);
}

TEST_P(DbDataSetTest, AppendEditPostAndRemoveWriteTheTable)
{
    DbDataSet rows;
    openKinds(rows);
    const int first = appendKind(rows, 10, QStringLiteral("一"));
    const int second = appendKind(rows, 20, QStringLiteral("二"));
    EXPECT_GT(first, 0);
    EXPECT_GT(second, first);
    EXPECT_EQ(rows.state(), DbDataSet::State::Browse);

    ASSERT_TRUE(rows.locate(u"ID", first));
    ASSERT_TRUE(rows.edit());
    rows.setValue(u"Label", QStringLiteral("いち"));
    EXPECT_EQ(rows.field(u"Label").asString(), u"いち");
    ASSERT_TRUE(rows.post()) << rows.errorText().toStdString();

    ASSERT_TRUE(rows.locate(u"ID", second));
    ASSERT_TRUE(rows.edit());
    rows.setValue(u"Label", QStringLiteral("捨てる"));
    rows.cancel();
    EXPECT_EQ(rows.field(u"Label").asString(), u"二");
    ASSERT_TRUE(rows.remove()) << rows.errorText().toStdString();
    EXPECT_EQ(rows.recordCount(), 1);
    EXPECT_EQ(rows.field(u"ID").asInteger(), first);

    DbDataSet check;
    openKinds(check);
    ASSERT_EQ(check.recordCount(), 1);
    EXPECT_EQ(check.field(u"ID").asInteger(), first);
    EXPECT_EQ(check.field(u"Num").asInteger(), 10);
    EXPECT_EQ(check.field(u"Label").asString(), u"いち");

    // The row that another data set still shows is gone from the table.
    ASSERT_TRUE(rows.remove());
    ASSERT_TRUE(check.edit());
    check.setValue(u"Num", 11);
    EXPECT_FALSE(check.post());
    EXPECT_EQ(check.state(), DbDataSet::State::Edit);
    check.cancel();
    EXPECT_FALSE(check.remove());
}

TEST_P(DbDataSetTest, KeysAreNeverReusedAfterDelete)
{
    DbDataSet rows;
    openKinds(rows);
    appendKind(rows, 1);
    const int last = appendKind(rows, 2);
    ASSERT_TRUE(rows.remove());
    EXPECT_GT(appendKind(rows, 3), last);

    DbDataSet facilities;
    facilities.setUpdateTable(QStringLiteral("Facilities"), QStringLiteral("ID"));
    ASSERT_TRUE(facilities.open(DbQuery(db(), QStringLiteral("SELECT * FROM Facilities"))));
    ASSERT_TRUE(facilities.append());
    facilities.setValue(u"FACILITIES_NAME", QStringLiteral("さくら苑"));
    ASSERT_TRUE(facilities.post()) << facilities.errorText().toStdString();
    const int key = facilities.field(u"ID").asInteger();
    ASSERT_TRUE(facilities.remove());
    ASSERT_TRUE(facilities.append());
    ASSERT_TRUE(facilities.post()) << facilities.errorText().toStdString();
    EXPECT_GT(facilities.field(u"ID").asInteger(), key);
}

TEST_P(DbDataSetTest, WritesThatTheDatabasesWouldTreatDifferentlyAreRefused)
{
    DbDataSet rows;
    openKinds(rows);
    ASSERT_TRUE(rows.append());
    rows.setValue(u"Stamp", Stamp);
    EXPECT_FALSE(rows.post());
    EXPECT_NE(rows.errorText().indexOf(u"Stamp"), -1);
    rows.cancel();

    ASSERT_TRUE(rows.append());
    rows.setValue(u"Flag", 1);
    EXPECT_FALSE(rows.post());
    rows.cancel();

    ASSERT_TRUE(rows.append());
    rows.setValue(u"ID", 99);
    EXPECT_FALSE(rows.post());
    rows.cancel();

    ASSERT_TRUE(rows.append());
    rows.setValue(u"NoSuchField", 1);
    EXPECT_FALSE(rows.post());
    rows.cancel();

    DbDataSet readOnly;
    ASSERT_TRUE(readOnly.open(DbQuery(db(), QStringLiteral("SELECT * FROM Kinds"))));
    EXPECT_FALSE(readOnly.append());

    DbDataSet staff;
    staff.setUpdateTable(QStringLiteral("KaigoStuff"), QStringLiteral("CD"), DbDataSet::KeyKind::Assigned);
    ASSERT_TRUE(staff.open(DbQuery(db(), QStringLiteral("SELECT * FROM KaigoStuff"))));
    ASSERT_TRUE(staff.append());
    staff.setValue(u"StuffName", QStringLiteral("鈴木"));
    EXPECT_FALSE(staff.post());
    staff.setValue(u"CD", 5);
    ASSERT_TRUE(staff.post()) << staff.errorText().toStdString();
    EXPECT_EQ(staff.field(u"CD").asInteger(), 5);
}

TEST_P(DbDataSetTest, NavigationFollowsTheDataSetRules)
{
    DbDataSet rows;
    openKinds(rows);
    EXPECT_TRUE(rows.eof());
    EXPECT_TRUE(rows.bof());
    EXPECT_EQ(rows.position(), -1);
    EXPECT_TRUE(rows.field(u"Num").isNull());
    for (int num : {1, 2, 3})
        appendKind(rows, num);

    rows.first();
    QList<int> seen;
    // The rows are held whole, not paged: a move cannot fail.
    for (; !rows.eof(); (void)rows.next())
        seen.append(rows.field(u"Num").asInteger());
    EXPECT_EQ(seen, QList<int>({1, 2, 3}));
    EXPECT_EQ(rows.field(u"Num").asInteger(), 3);

    EXPECT_TRUE(rows.last());
    EXPECT_TRUE(rows.eof());
    rows.prior();
    EXPECT_FALSE(rows.eof());
    EXPECT_EQ(rows.position(), 1);
    EXPECT_EQ(rows.record(0).value(u"num").asInteger(), 1);
    EXPECT_TRUE(rows.record(5).value(u"Num").isNull());
    EXPECT_FALSE(rows.locate(u"Num", 9));
    EXPECT_EQ(rows.position(), 1);
    EXPECT_FALSE(rows.field(u"Missing").isValid());
}

TEST_P(DbDataSetTest, FilterAndBookmarks)
{
    addStaff(3, QStringLiteral("佐藤"), QStringLiteral("佐"));
    addStaff(1, QStringLiteral("O'Neil"), QStringLiteral("O"));
    addStaff(2, QStringLiteral("佐藤"), QStringLiteral("藤"));
    DbDataSet staff;
    staff.setUpdateTable(QStringLiteral("KaigoStuff"), QStringLiteral("CD"), DbDataSet::KeyKind::Assigned);
    ASSERT_TRUE(staff.open(DbQuery(db(), QStringLiteral("SELECT * FROM KaigoStuff ORDER BY CD"))));
    const DbField code = staff.field(u"CD");

    ASSERT_TRUE(staff.locate(u"CD", 3));
    const DbBookmark third = staff.bookmark();
    staff.first();
    const DbBookmark first = staff.bookmark();

    const QString wanted = QStringLiteral("佐藤");
    staff.setFilter([&wanted](const DbRecord &row) { return row.value(u"StuffName").asString() == wanted; });
    EXPECT_EQ(staff.recordCount(), 3);
    staff.setFiltered(true);
    EXPECT_EQ(staff.recordCount(), 2);
    EXPECT_EQ(code.asInteger(), 2);
    EXPECT_FALSE(staff.gotoBookmark(first));
    EXPECT_EQ(code.asInteger(), 2);
    ASSERT_TRUE(staff.gotoBookmark(third));
    EXPECT_EQ(code.asInteger(), 3);
    EXPECT_EQ(staff.bookmark(), third);

    // An edit that takes the row out of the filter hides it; the bookmark
    // finds it again once the filter is off.
    ASSERT_TRUE(staff.edit());
    staff.setValue(u"StuffName", QStringLiteral("高橋"));
    ASSERT_TRUE(staff.post());
    EXPECT_EQ(staff.recordCount(), 1);
    EXPECT_FALSE(staff.gotoBookmark(third));
    staff.setFiltered(false);
    EXPECT_EQ(staff.recordCount(), 3);
    ASSERT_TRUE(staff.gotoBookmark(third));
    EXPECT_EQ(staff.field(u"StuffName").asString(), u"高橋");

    ASSERT_TRUE(staff.gotoBookmark(first));
    ASSERT_TRUE(staff.remove());
    EXPECT_FALSE(staff.gotoBookmark(first));
    ASSERT_TRUE(staff.gotoBookmark(third));

    DbDataSet reopened;
    ASSERT_TRUE(reopened.open(DbQuery(db(), QStringLiteral("SELECT * FROM KaigoStuff ORDER BY CD"))));
    EXPECT_FALSE(reopened.gotoBookmark(third));
}

TEST_P(DbDataSetTest, SortKeepsEqualRowsInOrderAndTheFilterOn)
{
    addStaff(1, QStringLiteral("佐藤"), QStringLiteral("ｻ"));
    addStaff(2, QStringLiteral("O'Neil"), QStringLiteral("ｵ"));
    addStaff(3, QStringLiteral("佐藤"), QStringLiteral("ｱ"));
    addStaff(4, QStringLiteral("高橋"), QStringLiteral("ｱ"));
    DbDataSet staff;
    ASSERT_TRUE(staff.open(DbQuery(db(), QStringLiteral("SELECT * FROM KaigoStuff ORDER BY CD"))));
    staff.setFilter([](const DbRecord &row) { return row.value(u"CD").asInteger() != 2; });
    staff.setFiltered(true);
    ASSERT_TRUE(staff.sort(
        [](const DbRecord &a, const DbRecord &b) { return a.value(u"KIGO").asString() < b.value(u"KIGO").asString(); }));
    QList<int> codes;
    for (int position = 0; position < staff.recordCount(); ++position)
        codes.append(staff.record(position).value(u"CD").asInteger());
    EXPECT_EQ(codes, (QList<int>{3, 4, 1}));
    EXPECT_EQ(staff.field(u"StuffName").asString(), QStringLiteral("佐藤"));
    staff.setFiltered(false);
    EXPECT_EQ(staff.record(2).value(u"StuffName").asString(), QStringLiteral("O'Neil"));
}

TEST_P(DbDataSetTest, FailingStatementsReportTheirError)
{
    DbDataSet rows;
    EXPECT_FALSE(rows.open(DbQuery(db(), QStringLiteral("SELECT * FROM NoSuchTable"))));
    EXPECT_FALSE(rows.isOpen());
    EXPECT_FALSE(rows.errorText().isEmpty());
    EXPECT_FALSE(rows.open(DbQuery(db(), QStringLiteral("SELECT * FROM Kinds WHERE Num = :num")).bind(u"nun", 1)));
    EXPECT_FALSE(rows.open(DbQuery(db(), QStringLiteral("SELECT * FROM Kinds WHERE Num = ?")).addBind(DbDate{1.0e9})));

    DbQuery duplicate(db(), QStringLiteral("INSERT INTO KaigoStuff (CD) VALUES (1)"));
    ASSERT_TRUE(duplicate.exec());
    EXPECT_FALSE(duplicate.exec());
    EXPECT_FALSE(duplicate.errorText().isEmpty());
}

TAMSOLEN_DATABASE_TEST_SUITE(DbDataSetTest);
