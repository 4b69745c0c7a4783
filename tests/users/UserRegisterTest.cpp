#include "DatabaseFixture.h"
#include "PersonRows.h"

#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "users/UserRegister.h"

#include <functional>
#include <vector>

class UserRegisterTest : public DatabaseFixture
{
protected:
    // The stored user with its weekly wishes.
    TPerson stored(int cureNo)
    {
        DbDataSet row;
        DbQuery query(db(), QStringLiteral("SELECT * FROM Person WHERE CureNo = ?"));
        query.addBind(cureNo);
        EXPECT_TRUE(row.open(query)) << row.errorText().toStdString();
        EXPECT_EQ(row.recordCount(), 1);
        TPerson person = TPerson::fromRow(row);
        TDateTime TPerson::*const reserves[] = {&TPerson::Reserve01, &TPerson::Reserve02, &TPerson::Reserve03,
                                                &TPerson::Reserve04, &TPerson::Reserve05, &TPerson::Reserve06,
                                                &TPerson::Reserve07};
        qint32 TPerson::*const funns[] = {&TPerson::Funn01, &TPerson::Funn02, &TPerson::Funn03, &TPerson::Funn04,
                                          &TPerson::Funn05, &TPerson::Funn06, &TPerson::Funn07};
        for (int day = 0; day < 7; ++day) {
            person.*reserves[day] = row.field(QStringLiteral("Reserve0%1").arg(day + 1)).asDateTime();
            person.*funns[day] = row.field(QStringLiteral("Funn0%1").arg(day + 1)).asInteger();
        }
        return person;
    }

    int personCount()
    {
        DbDataSet rows;
        EXPECT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT CureNo FROM Person"))));
        return rows.recordCount();
    }

    void setWishes(int cureNo, TDateTime monday, int minutes)
    {
        DbQuery query(db(), QStringLiteral("UPDATE Person SET Reserve01 = ?, Funn01 = ?, Funn07 = ? WHERE CureNo = ?"));
        query.addBind(DbDate{monday}).addBind(minutes).addBind(minutes).addBind(cureNo);
        ASSERT_TRUE(exec(query));
    }

    // Makes every write of the statement kind fail inside the database.
    void refuse(const QString &statement)
    {
        ASSERT_TRUE(exec(sqlFor(QStringLiteral("CREATE TRIGGER Refuse BEFORE %1 ON Person "
                                               "BEGIN SELECT RAISE(ABORT, 'refused'); END")
                                    .arg(statement),
                                QStringLiteral("CREATE OR REPLACE FUNCTION refuse() RETURNS trigger AS $$ BEGIN "
                                               "RAISE EXCEPTION 'refused'; END $$ LANGUAGE plpgsql"))));
        if (kind() == DbKind::PostgreSQL) {
            ASSERT_TRUE(
                exec(QStringLiteral("CREATE TRIGGER Refuse BEFORE %1 ON Person FOR EACH ROW EXECUTE FUNCTION refuse()")
                         .arg(statement)));
        }
    }
};

TEST_P(UserRegisterTest, InsertAndUpdateRoundTripEveryColumn)
{
    UserRegister reg(db());
    TPerson person = PersonRows::full();
    person.Funn03 = 40; // a new user starts without wishes whatever the record holds
    const UserRegister::Result inserted = reg.insert(person);
    ASSERT_EQ(inserted.status, UserRegister::Status::Ok) << inserted.message.toStdString();
    ASSERT_GE(inserted.cureNo, 1);
    EXPECT_EQ(db().transactionDepth(), 0);

    TPerson expected = PersonRows::full();
    expected.CureNo = inserted.cureNo;
    EXPECT_EQ(stored(inserted.cureNo), expected);

    TPerson changed;
    changed.CureNo = inserted.cureNo;
    changed.Name = QStringLiteral("山田　花");
    changed.Kana = QStringLiteral("ﾔﾏﾀﾞ ﾊﾅ");
    changed.Jiritsu_KBN = -1;
    changed.Ninchi_KBN = -1;
    changed.YOUKAIGO_KBN = -1;
    changed.NYUSHOBI_YMD = DateTime::encodeDate(2021, 1, 5);
    const UserRegister::Result updated = reg.update(changed);
    ASSERT_EQ(updated.status, UserRegister::Status::Ok) << updated.message.toStdString();
    EXPECT_EQ(updated.cureNo, inserted.cureNo);
    EXPECT_EQ(stored(inserted.cureNo), changed);
    EXPECT_EQ(personCount(), 1);
}

TEST_P(UserRegisterTest, UpdateLeavesTheWeeklyWishesAsStored)
{
    UserRegister reg(db());
    const int cureNo = reg.insert(PersonRows::full()).cureNo;
    ASSERT_GE(cureNo, 1);
    // Wishes saved at another workstation after the user was opened here.
    const TDateTime nine = DateTime::encodeTime(9, 30);
    setWishes(cureNo, nine, 40);

    TPerson opened = PersonRows::full(); // as read before: no wishes
    opened.CureNo = cureNo;
    opened.Address = QStringLiteral("大阪府");
    ASSERT_EQ(reg.update(opened).status, UserRegister::Status::Ok);
    const TPerson after = stored(cureNo);
    EXPECT_EQ(after.Address, QStringLiteral("大阪府"));
    EXPECT_EQ(after.Reserve01, nine);
    EXPECT_EQ(after.Funn01, 40);
    EXPECT_EQ(after.Funn07, 40);
    EXPECT_EQ(after.Reserve07, DateTime::None);

    // Stored anew, the same user starts without wishes.
    opened.NYUSHOBI_YMD = DateTime::encodeDate(2022, 4, 1);
    const UserRegister::Result copy = reg.insert(opened);
    ASSERT_EQ(copy.status, UserRegister::Status::Ok);
    EXPECT_NE(copy.cureNo, cureNo);
    EXPECT_EQ(stored(copy.cureNo).Funn01, 0);
    EXPECT_EQ(stored(copy.cureNo).Reserve01, DateTime::None);
}

TEST_P(UserRegisterTest, UpdateOfAUserDeletedElsewhereIsAnError)
{
    UserRegister reg(db());
    TPerson person = PersonRows::full();
    person.CureNo = reg.insert(person).cureNo;
    ASSERT_EQ(reg.remove(person.CureNo).status, UserRegister::Status::Ok);

    const UserRegister::Result result = reg.update(person);
    EXPECT_EQ(result.status, UserRegister::Status::SystemError);
    EXPECT_EQ(result.message, QStringLiteral("SystemError : 利用者台帳 error "));
    EXPECT_EQ(db().transactionDepth(), 0);
    EXPECT_EQ(personCount(), 0);
}

TEST_P(UserRegisterTest, DuplicateCheckCases)
{
    UserRegister reg(db());
    ASSERT_EQ(reg.insert(PersonRows::full()).status, UserRegister::Status::Ok);

    // The same kana, birth date, sex and start date.
    TPerson same = PersonRows::full();
    const UserRegister::Result duplicate = reg.insert(same);
    EXPECT_EQ(duplicate.status, UserRegister::Status::Duplicate);
    EXPECT_EQ(duplicate.message, QStringLiteral("すでに登録済みです。\n確認して下さい。"));
    // Extra blanks between the names change nothing.
    same.Kana = QStringLiteral("ﾔﾏﾀﾞ   ﾊﾅｺ");
    EXPECT_EQ(reg.isDuplicate(same), true);
    EXPECT_EQ(personCount(), 1);

    // Any of the four differing makes a new user.
    const std::vector<std::function<void(TPerson &)>> differences{
        [](TPerson &p) { p.Kana = QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"); },
        [](TPerson &p) { p.Kana = QStringLiteral("ﾀﾅｶ ﾊﾅｺ"); },
        [](TPerson &p) { p.Birth += 1; },
        [](TPerson &p) { p.Sex = 0; },
        [](TPerson &p) { p.NYUSHOBI_YMD += 1; },
    };
    for (const auto &differ : differences) {
        TPerson other = PersonRows::full();
        differ(other);
        EXPECT_EQ(reg.isDuplicate(other), false);
    }

    // A kana without a blank skips the check.
    TPerson noBlank = PersonRows::full();
    noBlank.Kana = QStringLiteral("ﾔﾏﾀﾞﾊﾅｺ");
    EXPECT_EQ(reg.isDuplicate(noBlank), false);
    ASSERT_EQ(reg.insert(noBlank).status, UserRegister::Status::Ok);
    EXPECT_EQ(reg.isDuplicate(noBlank), false);

    // The given name must stand after the first character of a stored kana.
    TPerson given = PersonRows::full();
    given.Kana = QStringLiteral("ﾔﾏ ﾔﾏﾀﾞ");
    EXPECT_EQ(reg.isDuplicate(given), false);
    given.Kana = QStringLiteral("ﾏﾀ ﾀﾞ");
    EXPECT_EQ(reg.isDuplicate(given), true);

    EXPECT_EQ(UserRegister::splitKana(u" ﾔﾏﾀﾞ  ﾊﾅｺ ").family, QStringLiteral("ﾔﾏﾀﾞ"));
    EXPECT_EQ(UserRegister::splitKana(u" ﾔﾏﾀﾞ  ﾊﾅｺ ").given, QStringLiteral("ﾊﾅｺ"));
    EXPECT_TRUE(UserRegister::splitKana(u" ﾔﾏﾀﾞ ").family.isEmpty());
}

TEST_P(UserRegisterTest, RemoveDeletesOnlyThatUser)
{
    UserRegister reg(db());
    const int first = PersonRows::insert(db(), PersonRows::make(QStringLiteral("一"), QStringLiteral("ｲﾁ")));
    const int second = PersonRows::insert(db(), PersonRows::make(QStringLiteral("二"), QStringLiteral("ﾆ")));
    ASSERT_EQ(reg.remove(first).status, UserRegister::Status::Ok);
    EXPECT_EQ(personCount(), 1);
    EXPECT_EQ(stored(second).Name, QStringLiteral("二"));
    // Already gone: nothing left to delete.
    EXPECT_EQ(reg.remove(first).status, UserRegister::Status::Ok);
    EXPECT_EQ(db().transactionDepth(), 0);
}

TEST_P(UserRegisterTest, FailedWritesRollBackAndSayWhy)
{
    UserRegister reg(db());
    TPerson person = PersonRows::full();
    person.CureNo = reg.insert(person).cureNo;
    ASSERT_GE(person.CureNo, 1);
    TPerson changed = person;
    changed.Name = QStringLiteral("変更");
    TPerson other = PersonRows::full();
    other.Sex = 0;

    using Status = UserRegister::Status;
    const struct
    {
        const char *refused;
        std::function<UserRegister::Result()> write;
        Status status;
        const char16_t *message;
    } cases[] = {
        {"UPDATE", [&] { return reg.update(changed); }, Status::SystemError, u"SystemError : DB Trans Start error 1"},
        {"DELETE", [&] { return reg.remove(person.CureNo); }, Status::DeleteFailed, u"削除に失敗しました。"},
        {"INSERT", [&] { return reg.insert(other); }, Status::SystemError, u"*** SystemError 利用者台帳 登録 Error"},
    };
    for (const auto &[refused, write, status, message] : cases) {
        refuse(QString::fromLatin1(refused));
        const UserRegister::Result result = write();
        EXPECT_EQ(result.status, status) << refused;
        EXPECT_EQ(result.message, QString::fromUtf16(message));
        EXPECT_EQ(db().transactionDepth(), 0);
        EXPECT_EQ(stored(person.CureNo), person);
        EXPECT_EQ(personCount(), 1);
        ASSERT_TRUE(exec(QStringLiteral("DROP TRIGGER Refuse") +
                         (kind() == DbKind::PostgreSQL ? QStringLiteral(" ON Person") : QString())));
    }

    ASSERT_TRUE(exec(QStringLiteral("DROP TABLE Person")));
    EXPECT_EQ(reg.insert(other).message, QStringLiteral("*** SystemError : DobleCheck Error "));
    other.Kana = QStringLiteral("ﾔﾏﾀﾞ");
    EXPECT_EQ(reg.insert(other).message, QStringLiteral("*** SystemError : 利用者台帳 error "));
    EXPECT_EQ(reg.update(person).message, QStringLiteral("SystemError : 利用者台帳 error "));
    EXPECT_EQ(reg.remove(person.CureNo).message, QStringLiteral("System DB Error:利用者台帳"));
    EXPECT_EQ(db().transactionDepth(), 0);
}

TAMSOLEN_DATABASE_TEST_SUITE(UserRegisterTest);
