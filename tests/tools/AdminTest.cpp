#include "DatabaseFixture.h"

#include "AdminDatabase.h"
#include "ConnectionSettings.h"
#include "DemoData.h"
#include "DemoDatabase.h"

#include "base/PasswordCipher.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "platform/SettingsStore.h"

#include <QDateTime>
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

int rowCount(DbConnection &db, const QString &table)
{
    DbDataSet rows;
    EXPECT_TRUE(rows.open(DbQuery(db, QStringLiteral("SELECT * FROM ") + table))) << rows.errorText().toStdString();
    return rows.recordCount();
}

} // namespace

class AdminTest : public DatabaseFixture
{
};

TEST_P(AdminTest, DemoFillsEveryTableOnceAndNeverHalfway)
{
    QString error;
    ASSERT_TRUE(DemoData::fill(db(), error)) << error.toStdString();
    EXPECT_GE(rowCount(db(), QStringLiteral("KaigoStuff")), 3);
    EXPECT_EQ(rowCount(db(), QStringLiteral("Facilities")), 1);

    DbDataSet login;
    ASSERT_TRUE(login.open(DbQuery(db(), QStringLiteral("SELECT * FROM LoginUser WHERE STAFF_CD = ? AND PASS_WORD = ?"))
                               .addBind(QString::fromUtf16(DemoData::LoginUser))
                               .addBind(QString::fromUtf16(DemoData::LoginPassword))));
    EXPECT_EQ(login.recordCount(), 1);

    const int staff = rowCount(db(), QStringLiteral("KaigoStuff"));
    EXPECT_FALSE(DemoData::fill(db(), error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(rowCount(db(), QStringLiteral("KaigoStuff")), staff);
    EXPECT_EQ(rowCount(db(), QStringLiteral("Facilities")), 1);
}

TEST_P(AdminTest, RowsAreCheckedAgainstTheirColumns)
{
    QString error;
    EXPECT_FALSE(AdminDatabase::addStaff(db(), 1, QStringLiteral("山田"), QStringLiteral("山田太郎様"), error));
    EXPECT_FALSE(AdminDatabase::addStaff(db(), 1, QString(31, u'名'), QStringLiteral("山"), error));
    ASSERT_TRUE(AdminDatabase::addStaff(db(), 1, QString(30, u'名'), QStringLiteral("山田太郎"), error));
    EXPECT_FALSE(AdminDatabase::addStaff(db(), 1, QStringLiteral("二人目"), QStringLiteral("二"), error));
    EXPECT_FALSE(AdminDatabase::addLogin(db(), QString(), QStringLiteral("pw"), QStringLiteral("名"), error));

    ASSERT_TRUE(AdminDatabase::addLogin(db(), QStringLiteral("o'neil"), QStringLiteral("p' OR '1'='1"),
                                        QStringLiteral("オニール"), error))
        << error.toStdString();
    DbDataSet login;
    ASSERT_TRUE(login.open(DbQuery(db(), QStringLiteral("SELECT PASS_WORD FROM LoginUser WHERE STAFF_CD = :user"))
                               .bind(u"user", QStringLiteral("o'neil"))));
    EXPECT_EQ(login.field(u"PASS_WORD").asString(), u"p' OR '1'='1");

    ASSERT_TRUE(AdminDatabase::setFacility(db(), QStringLiteral("さくら"), error)) << error.toStdString();
    ASSERT_TRUE(AdminDatabase::setFacility(db(), QStringLiteral("ひまわり"), error)) << error.toStdString();
    EXPECT_FALSE(AdminDatabase::setFacility(db(), QString(61, u'長'), error));
    DbDataSet facilities;
    ASSERT_TRUE(facilities.open(DbQuery(db(), QStringLiteral("SELECT * FROM Facilities"))));
    ASSERT_EQ(facilities.recordCount(), 1);
    EXPECT_EQ(facilities.field(u"FACILITIES_NAME").asString(), u"ひまわり");
}

TEST_P(AdminTest, CreateMakesTheTablesAndRefusesAnExistingDatabase)
{
    QString connection;
    QString schema;
    QTemporaryDir folder;
    if (kind() == DbKind::SQLite) {
        connection = QStringLiteral("Provider=SQLite;Data Source=") + folder.filePath(QStringLiteral("new.sqlite"));
    } else {
        // A schema of the test's own in the same database stands in for a new database.
        schema = QStringLiteral("admin_%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        auto parts = DbConnectionString::parse(connectionString());
        ASSERT_TRUE(parts);
        parts->schema = schema;
        connection = parts->text();
    }
    QString error;
    ASSERT_TRUE(AdminDatabase::create(connection, user(), password(), error)) << error.toStdString();
    {
        DbConnection created;
        ASSERT_TRUE(created.open(connection, user(), password())) << created.errorText().toStdString();
        EXPECT_EQ(rowCount(created, QStringLiteral("KaigoStuff")), 0);
        EXPECT_EQ(rowCount(created, QStringLiteral("LoginUser")), 0);
        EXPECT_EQ(rowCount(created, QStringLiteral("Facilities")), 0);
    }
    EXPECT_FALSE(AdminDatabase::create(connection, user(), password(), error));
    EXPECT_FALSE(error.isEmpty());
    if (!schema.isEmpty()) {
        EXPECT_TRUE(exec(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(schema)));
    }
}

TAMSOLEN_DATABASE_TEST_SUITE(AdminTest);

TEST(ConnectionSettings, WritesWhatTheProgramReads)
{
    QTemporaryDir folder;
    SettingsStore store(folder.path());
    const QString connection = QStringLiteral("Provider=PostgreSQL;Host=db;Port=5432;Database=tamsolen");
    QString error;
    ASSERT_TRUE(ConnectionSettings::write(store, connection, QStringLiteral("staff"), QStringLiteral("秘密'pw"), error))
        << error.toStdString();

    const std::optional<SettingsKey> key = store.openKey(u"\\Software\\Orvanta\\Tamsolen5");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->readString(u"Connection").value, connection);
    EXPECT_EQ(key->readString(u"ID").value, u"staff");
    const SettingsRead<QByteArray> record = key->readBinary(u"DBSeting");
    ASSERT_TRUE(record.isPresent());
    EXPECT_EQ(record.value.size(), PasswordCipher::RecordSize);
    EXPECT_EQ(PasswordCipher::decipher(record.value), QStringLiteral("秘密'pw"));
    EXPECT_EQ(ConnectionSettings::connection(store), connection);

    EXPECT_FALSE(ConnectionSettings::write(store, QStringLiteral("Provider=Jet;Data Source=x"), {}, {}, error));
    EXPECT_FALSE(
        ConnectionSettings::write(store, QStringLiteral("Provider=ODBC;Driver=FreeTDS;Server=s"), {}, {}, error));
    EXPECT_FALSE(ConnectionSettings::write(store, connection, {}, QString(29, u'漢'), error));
    EXPECT_FALSE(ConnectionSettings::write(store, connection, {}, QStringLiteral("pw\U0001F600"), error));
    EXPECT_EQ(error, QStringLiteral("the password holds a character that Shift-JIS cannot store"));
    EXPECT_EQ(ConnectionSettings::connection(store), connection);
}

// A create killed part-way must leave nothing under the database's name.
TEST(AdminCreate, ANewSqliteFileAppearsOnlyWhenComplete)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("rehab.sqlite"));
    const QString connection = QStringLiteral("Provider=SQLite;Data Source=") + file;
    // Left by creates that were killed, one of them while it made its lock.
    for (const QString &stale :
         {QStringLiteral("rehab.sqlite.new.kQxWbz"), QStringLiteral("rehab.sqlite.new.kQxWbz-journal"),
          QStringLiteral("rehab.sqlite.new.lxqkse"), QStringLiteral("rehab.sqlite.lock")}) {
        QFile left(folder.filePath(stale));
        ASSERT_TRUE(left.open(QIODevice::WriteOnly));
        ASSERT_TRUE(left.setFileTime(QDateTime::currentDateTime().addSecs(-5), QFileDevice::FileModificationTime));
    }

    QString error;
    const auto failing = [&](DbConnection &, QString &errorText) {
        EXPECT_FALSE(QFileInfo::exists(file));
        errorText = QStringLiteral("stopped");
        return false;
    };
    EXPECT_FALSE(AdminDatabase::create(connection, {}, {}, error, failing));
    EXPECT_EQ(error, QStringLiteral("stopped"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList());

    ASSERT_TRUE(AdminDatabase::create(connection, {}, {}, error, DemoData::fill)) << error.toStdString();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("rehab.sqlite")});
    DbConnection created;
    ASSERT_TRUE(created.open(connection));
    EXPECT_EQ(rowCount(created, QStringLiteral("LoginUser")), 1);
}

TEST(AdminDemo, AnExistingFileMustBeADatabaseWithTheDemoLogin)
{
    QTemporaryDir folder;
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    QString error;
    const QString tables = folder.filePath(QStringLiteral("tables.sqlite"));
    ASSERT_TRUE(AdminDatabase::create(QStringLiteral("Provider=SQLite;Data Source=") + tables, {}, {}, error));
    const QString other = folder.filePath(QStringLiteral("other.sqlite"));
    {
        DbConnection db;
        ASSERT_TRUE(db.open(DemoDatabase::connectionString(other), {}, {}, DbConnection::OpenMode::Create));
        DbQuery create(db, QStringLiteral("CREATE TABLE t (x INTEGER)"));
        ASSERT_TRUE(create.exec());
    }
    const struct
    {
        QString file;
        const char *reason;
    } cases[] = {
        {write(QStringLiteral("notes.txt"), "Windows Registry Editor Version 5.00\r\n"), "is not a SQLite database"},
        {write(QStringLiteral("empty.sqlite"), {}), "is not a SQLite database"},
        {folder.path(), "cannot read"},
        {other, "is not a Tamsolen database"},
        {tables, "has no demo login (user name 1, password demo)"},
    };
    for (const auto &c : cases) {
        bool created = true;
        EXPECT_FALSE(DemoDatabase::prepare(c.file, created, error)) << c.file.toStdString();
        EXPECT_FALSE(created);
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.reason))) << error.toStdString();
    }

    const QString demo = folder.filePath(QStringLiteral("demo/demo.sqlite"));
    bool created = false;
    ASSERT_TRUE(DemoDatabase::prepare(demo, created, error)) << error.toStdString();
    EXPECT_TRUE(created);
    ASSERT_TRUE(DemoDatabase::prepare(demo, created, error)) << error.toStdString();
    EXPECT_FALSE(created);
}

// A database of an earlier version lacks the indexes added since: the
// upgrade creates them, and a second run leaves them.
TEST_P(AdminTest, UpgradeCreatesMissingIndexes)
{
    ASSERT_TRUE(DbQuery(db(), QStringLiteral("DROP INDEX PersonKanaOrder")).exec());
    const QString count = kind() == DbKind::SQLite
                              ? QStringLiteral("SELECT COUNT(*) AS N FROM sqlite_master WHERE type = 'index' AND "
                                               "name = 'PersonKanaOrder'")
                              : QStringLiteral("SELECT COUNT(*) AS N FROM pg_indexes WHERE schemaname = "
                                               "current_schema() AND indexname = 'personkanaorder'");
    const auto indexes = [&] {
        DbDataSet found;
        return found.open(DbQuery(db(), count)) ? found.field(u"N").asInteger() : -1;
    };
    ASSERT_EQ(indexes(), 0);
    int removed = -1;
    QString error;
    ASSERT_TRUE(AdminDatabase::upgrade(db(), removed, error)) << error.toStdString();
    EXPECT_EQ(indexes(), 1);
    ASSERT_TRUE(AdminDatabase::upgrade(db(), removed, error)) << error.toStdString();
    EXPECT_EQ(indexes(), 1);
    EXPECT_EQ(removed, 0);
}

// A database of an earlier version has bookings without the key to their
// slot: the upgrade removes the bookings of deleted slots, keeps the others
// with their keys, adds the key, and a second run changes nothing.
TEST_P(AdminTest, UpgradeGivesBookingsTheKeyToTheirSlot)
{
    const QString oldTable =
        kind() == DbKind::SQLite
            ? QStringLiteral("CREATE TABLE Schedule (ScheduleNo INTEGER PRIMARY KEY AUTOINCREMENT, WorkingNo INTEGER "
                             "NOT NULL, CureNo INTEGER NOT NULL, Comment VARCHAR(255), CreateDate TIMESTAMP, "
                             "UNIQUE (WorkingNo, CureNo))")
            : QStringLiteral("CREATE TABLE Schedule (ScheduleNo INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY, "
                             "WorkingNo INTEGER NOT NULL, CureNo INTEGER NOT NULL, Comment VARCHAR(255), "
                             "CreateDate TIMESTAMP(3), UNIQUE (WorkingNo, CureNo))");
    ASSERT_TRUE(DbQuery(db(), QStringLiteral("DROP TABLE Schedule")).exec());
    ASSERT_TRUE(DbQuery(db(), oldTable).exec());
    ASSERT_TRUE(DbQuery(db(), QStringLiteral("INSERT INTO TimeTable (ReserveDay, StuffCode, WorkingMin, Capacity) "
                                             "VALUES (NULL, 1, 20, 2)"))
                    .exec());
    DbDataSet slot;
    ASSERT_TRUE(slot.open(DbQuery(db(), QStringLiteral("SELECT ReserveNo FROM TimeTable"))));
    const int reserveNo = slot.field(u"ReserveNo").asInteger();
    for (int key : {5, 9}) {
        DbQuery insert(db(), QStringLiteral("INSERT INTO Schedule (ScheduleNo, WorkingNo, CureNo, Comment) "
                                            "VALUES (?, ?, 1, 'x')"));
        insert.addBind(key).addBind(key == 5 ? reserveNo : reserveNo + 100);
        ASSERT_TRUE(insert.exec()) << insert.errorText().toStdString();
    }

    int removed = -1;
    QString error;
    ASSERT_TRUE(AdminDatabase::upgrade(db(), removed, error)) << error.toStdString();
    EXPECT_EQ(removed, 1);
    DbDataSet kept;
    ASSERT_TRUE(kept.open(DbQuery(db(), QStringLiteral("SELECT ScheduleNo, WorkingNo FROM Schedule"))));
    ASSERT_EQ(kept.recordCount(), 1);
    EXPECT_EQ(kept.field(u"ScheduleNo").asInteger(), 5);
    DbQuery orphan(db(), QStringLiteral("INSERT INTO Schedule (WorkingNo, CureNo) VALUES (?, 2)"));
    orphan.addBind(reserveNo + 100);
    EXPECT_FALSE(orphan.exec());
    ASSERT_TRUE(AdminDatabase::upgrade(db(), removed, error)) << error.toStdString();
    EXPECT_EQ(removed, 0);
    if (kind() == DbKind::SQLite) {
        // Keys are never reused: the counter goes on after the highest key ever given.
        DbQuery next(db(), QStringLiteral("INSERT INTO Schedule (WorkingNo, CureNo) VALUES (?, 3)"));
        next.addBind(reserveNo);
        ASSERT_TRUE(next.exec());
        DbDataSet last;
        ASSERT_TRUE(last.open(DbQuery(db(), QStringLiteral("SELECT MAX(ScheduleNo) AS N FROM Schedule"))));
        EXPECT_EQ(last.field(u"N").asInteger(), 10);
    }
}
