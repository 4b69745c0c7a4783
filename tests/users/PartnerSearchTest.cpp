#include "PartnerDatabase.h"

#include "core/TRegistory.h"
#include "platform/DbConnection.h"
#include "users/PartnerConnectionString.h"
#include "users/PartnerLink.h"
#include "users/PartnerSearch.h"

#include <QTemporaryDir>

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

// The partner picker's searches over a real partner table, through ODBC.
class PartnerSearchTest : public ::testing::TestWithParam<PartnerDatabase::Kind>
{
protected:
    void SetUp() override
    {
        QString reason;
        if (!m_partner.create(GetParam(), reason))
            GTEST_SKIP() << reason.toStdString();
        ASSERT_TRUE(m_connection.open(m_partner.connectionString(), m_partner.user()))
            << m_connection.errorText().toStdString();
        ASSERT_TRUE(m_search.open(m_connection)) << m_search.errorText().toStdString();
    }

    std::vector<int> sids()
    {
        std::vector<int> result;
        for (int row = 0; row < m_search.HinorikuQuery.recordCount(); ++row)
            result.push_back(m_search.user(row).Sid);
        return result;
    }

    PartnerDatabase m_partner;
    DbConnection m_connection;
    PartnerSearch m_search;
};

} // namespace

TEST_P(PartnerSearchTest, ReadsTheTableInKanaOrderAndFiltersIt)
{
    EXPECT_THAT(sids(), ElementsAre(55, 2300, 7, 101));
    const PartnerUser hanako = m_search.user(3);
    EXPECT_EQ(hanako.Jname, QStringLiteral("山田　花子"));
    EXPECT_EQ(hanako.sex(), 1);
    EXPECT_EQ(hanako.Birth, DateTime::encodeDate(1940, 5, 6));
    EXPECT_EQ(hanako.Add, QStringLiteral("東京都港区芝1-2-3"));
    EXPECT_EQ(hanako.Mail, QStringLiteral("105-0014"));
    EXPECT_EQ(m_search.user(2).sex(), 0);

    m_search.filterByName(QStringLiteral("山田"), QStringLiteral("ｶﾄｳ"));
    EXPECT_THAT(sids(), ElementsAre(2300, 101));
    // Typed "%" and "_" match themselves only.
    m_search.filterByName(QStringLiteral("100%_"), QStringLiteral("%"));
    EXPECT_THAT(sids(), ElementsAre(55));
    m_search.filterByName(QStringLiteral("1_0"), QStringLiteral("_"));
    EXPECT_TRUE(sids().empty());
    m_search.filterByNumber(7);
    EXPECT_THAT(sids(), ElementsAre(7));
    m_search.filterByKanaRow(UserSearch::KanaRow::Ka);
    EXPECT_THAT(sids(), ElementsAre(2300));
    m_search.filterByKanaRow(UserSearch::KanaRow::Ya);
    EXPECT_THAT(sids(), ElementsAre(101));
    m_search.showAll();
    EXPECT_EQ(sids().size(), 4U);
}

TEST_P(PartnerSearchTest, GridTextsAreThoseOfTheForm)
{
    const DbRecord row = m_search.HinorikuQuery.record(3);
    EXPECT_EQ(PartnerSearch::cellText(PartnerSearch::SidColumn, row.value(u"Sid")), QStringLiteral("       101"));
    EXPECT_EQ(PartnerSearch::cellText(PartnerSearch::JnameColumn, row.value(u"Jname")).size(), 20);
    EXPECT_EQ(PartnerSearch::cellText(PartnerSearch::KnameColumn, row.value(u"Kname")).size(), 30);
    EXPECT_EQ(PartnerSearch::cellText(PartnerSearch::SexColumn, row.value(u"Sex")), QStringLiteral("女性"));
    EXPECT_EQ(PartnerSearch::cellText(PartnerSearch::BirthColumn, row.value(u"Birth")),
              QStringLiteral("昭和 15年05月06日"));
    EXPECT_EQ(PartnerSearch::cellText(PartnerSearch::BirthColumn, m_search.HinorikuQuery.record(0).value(u"Birth")),
              QString());
}

INSTANTIATE_TEST_SUITE_P(Odbc, PartnerSearchTest,
                         ::testing::Values(PartnerDatabase::Kind::SqliteOdbc, PartnerDatabase::Kind::PostgresOdbc),
                         [](const auto &info) {
                             return info.param == PartnerDatabase::Kind::SqliteOdbc ? "SQLite" : "PostgreSQL";
                         });

TEST(PartnerSearch, PartnerNumbersAreCheckedAsThePickerSays)
{
    const struct
    {
        const char16_t *text;
        const char16_t *message;
        int number;
    } cases[] = {
        {u"", u"ヒノリク利用者Noが記入されていません。", 0},
        {u"12a", u"半角の数字で入力してください。", 0},
        {u"1' OR '1'='1", u"半角の数字で入力してください。", 0},
        {u"-3", u"数値の値がマイナスです。\n正しい数値で入力してください。", 0},
        {u"0", u"", 0},
        {u"2300", u"", 2300},
    };
    for (const auto &c : cases) {
        int number = -1;
        EXPECT_EQ(PartnerSearch::checkNumber(QString::fromUtf16(c.text), number), QString::fromUtf16(c.message));
        if (QString::fromUtf16(c.message).isEmpty()) {
            EXPECT_EQ(number, c.number);
        }
    }
}

TEST(PartnerConnectionString, ComposesEachDriversStringAndReadsItBack)
{
    using Driver = PartnerConnectionString::Driver;
    const struct
    {
        PartnerConnectionString fields;
        const char *text;
    } cases[] = {
        {{Driver::SqlServer, QStringLiteral("db.local"), 1433, QStringLiteral("hinoriku"), {}},
         "Provider=ODBC;Driver=FreeTDS;Server=db.local;Port=1433;Database=hinoriku;TDS_Version=7.4;ClientCharset=UTF-"
         "8"},
        {{Driver::SqlServer, QStringLiteral("db\\SQLEXPRESS"), 0, QStringLiteral("a;b"), {}},
         "Provider=ODBC;Driver=FreeTDS;Server=db\\SQLEXPRESS;Database={a;b};TDS_Version=7.4;ClientCharset=UTF-8"},
        {{Driver::AccessFile, {}, 0, {}, QStringLiteral("/srv/ソラ/db1.mdb")},
         "Provider=ODBC;Driver=MDBTools;DBQ=/srv/ソラ/db1.mdb"},
        {{Driver::PostgreSQL, QStringLiteral("pg"), 5433, QStringLiteral("partner"), {}},
         "Provider=PostgreSQL;Host=pg;Port=5433;Database=partner"},
        {{Driver::SQLite, {}, 0, {}, QStringLiteral("/srv/p.sqlite")}, "Provider=SQLite;Data Source=/srv/p.sqlite"},
    };
    for (const auto &c : cases) {
        const QString text = c.fields.text();
        EXPECT_EQ(text, QString::fromUtf8(c.text));
        const std::optional<PartnerConnectionString> back = PartnerConnectionString::parse(text);
        ASSERT_TRUE(back) << c.text;
        EXPECT_EQ(back->text(), text);
    }
    QString reason;
    const PartnerConnectionString noServer{Driver::SqlServer, {}, 0, QStringLiteral("d"), {}};
    EXPECT_TRUE(noServer.text(&reason).isEmpty());
    EXPECT_FALSE(reason.isEmpty());
    const PartnerConnectionString noFile{Driver::AccessFile, {}, 0, {}, {}};
    EXPECT_TRUE(noFile.text(&reason).isEmpty());
    EXPECT_FALSE(PartnerConnectionString::parse(QStringLiteral("Provider=ODBC;DSN=partner")));
}

// "確定": the values are stored whatever happens; the typed string is the one connected.
TEST(PartnerLink, StoresTheValuesAndConnectsWithTheTypedString)
{
    QTemporaryDir folder;
    const QString partner =
        QStringLiteral("Provider=SQLite;Data Source=") + folder.filePath(QStringLiteral("p.sqlite"));
    {
        DbConnection create;
        ASSERT_TRUE(create.open(partner, {}, {}, DbConnection::OpenMode::Create));
    }
    TRegistory registory(SettingsStore(folder.filePath(QStringLiteral("settings"))));
    DbConnection hinoriku;
    DbConnection access;
    PartnerLink link(registory, hinoriku, access);
    QString message;

    EXPECT_TRUE(link.apply({PartnerLink::Server, partner, QStringLiteral("sa"), QStringLiteral("pw"), {}}, message));
    EXPECT_EQ(message, QStringLiteral("接続しました。"));
    EXPECT_TRUE(hinoriku.isOpen());
    EXPECT_EQ(link.partnerConnection(), &hinoriku);

    const QString missing = QStringLiteral("Provider=SQLite;Data Source=") + folder.filePath(QStringLiteral("no.mdb"));
    EXPECT_FALSE(link.apply({PartnerLink::File, partner, {}, {}, missing}, message));
    EXPECT_EQ(message, QStringLiteral("Access接続に失敗しました。"));
    EXPECT_FALSE(hinoriku.isOpen());
    EXPECT_FALSE(access.isOpen());
    EXPECT_EQ(registory.ServFlg, PartnerLink::File);
    EXPECT_EQ(registory.MDBConnection, missing);

    EXPECT_FALSE(link.apply({PartnerLink::Server, QStringLiteral("Provider=Jet"), {}, {}, {}}, message));
    EXPECT_EQ(message, QStringLiteral("ヒノリク接続に失敗しました。"));
    EXPECT_EQ(registory.Hinoriku, QStringLiteral("Provider=Jet"));

    EXPECT_TRUE(link.apply({PartnerLink::None, partner, {}, {}, partner}, message));
    EXPECT_EQ(message, QStringLiteral("接続しました。"));
    EXPECT_FALSE(hinoriku.isOpen());
    EXPECT_FALSE(access.isOpen());
    EXPECT_EQ(link.partnerConnection(), nullptr);
}
