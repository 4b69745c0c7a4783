#include "PrintingDatabaseTest.h"

#include "FakeDialogService.h"
#include "TemplateFit.h"

#include "base/Sjis.h"
#include "printing/AllUserList.h"
#include "printing/ListCsvFile.h"
#include "printing/ListPrint.h"

#include <QFile>
#include <QTemporaryDir>

// Five users on 2023-03-01, when the recent users are those admitted since
// 2022-12-01: 1 in care and recent, 2 recent but discharged yesterday, 3 in
// care (discharged tomorrow) but admitted long ago, 4 recent with no
// discharge date at all and nothing else known, 5 discharged long ago.
class AllUserListTest : public PrintingDatabaseTest
{
protected:
    void SetUp() override
    {
        PrintingDatabaseTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        const User users[] = {
            {1, QStringLiteral("青木　一郎"), QStringLiteral("ｱｵｷ ｲﾁﾛｳ"), 0, 8, day(2023, 1, 10), DateTime::None, 0,
             day(1933, 3, 1), 3, 2, 4, QStringLiteral("201")},
            {2, QStringLiteral("川井　花子"), QStringLiteral("ｶﾜｲ ﾊﾅｺ"), 2, 3, day(2022, 12, 1), day(2023, 2, 28), 1,
             day(1940, 7, 7), 0, 0, 0, QString()},
            {3, QStringLiteral("佐倉　次郎"), QStringLiteral("ｻｸﾗ ｼﾞﾛｳ"), 1, 0, day(2021, 6, 1), day(2023, 3, 2), 0,
             day(1950, 1, 2), 1, 1, 1, QString()},
            {4, QStringLiteral("浅野　三郎"), QStringLiteral("ｱｻﾉ \"ｻﾌﾞ\""), 3, 15, day(2022, 12, 1), std::nullopt,
             std::nullopt, DateTime::None, -1, -1, 99, QString()},
            {5, QStringLiteral("石井　四郎"), QStringLiteral("ｲｼｲ ｼﾛｳ"), 0, 0, day(2021, 1, 1), day(2022, 6, 30), 0,
             day(1945, 8, 1), 0, 0, 0, QString()},
        };
        for (const User &user : users)
            ASSERT_TRUE(addUser(user));
    }

    static QList<int> cureNos(const AllUserList &list)
    {
        QList<int> numbers;
        for (int row = 0; row < list.AllUserPrintQuery.recordCount(); ++row)
            numbers << list.AllUserPrintQuery.record(row).value(u"CureNo").asInteger();
        return numbers;
    }

    static AllUserList::Conditions conditions(bool inCareOnly, bool recentOnly, std::array<bool, 4> types = {})
    {
        return {types, inCareOnly, recentOnly};
    }

    const TDateTime m_today = day(2023, 3, 1);
};

TEST_P(AllUserListTest, ConditionsMeanWhatTheirCaptionsSay)
{
    AllUserList list(db(), QStringLiteral("ひだまり苑"));
    EXPECT_EQ(AllUserList::recentSince(m_today), day(2022, 12, 1));
    ASSERT_EQ(list.open(conditions(true, true), m_today), AllUserList::Outcome::Rows);
    EXPECT_EQ(cureNos(list), (QList<int>{1, 4}));
    EXPECT_FALSE(list.TypeFilterSet);
    ASSERT_EQ(list.open(conditions(true, false), m_today), AllUserList::Outcome::Rows);
    EXPECT_EQ(cureNos(list), (QList<int>{1, 3, 4})) << "退所者を除く: no discharge date, or one after today";
    ASSERT_EQ(list.open(conditions(false, true), m_today), AllUserList::Outcome::Rows);
    EXPECT_EQ(cureNos(list), (QList<int>{1, 2, 4})) << "３ヶ月以内: admitted since the first of the month";
    ASSERT_EQ(list.open(conditions(false, false), m_today), AllUserList::Outcome::Rows);
    EXPECT_EQ(cureNos(list), (QList<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(list.conditionText(), QStringLiteral("（印刷条件:利用者全員、退所者を含む、過去分の全て）"));

    // The types are one group: the discharged user of type 0 stays out.
    ASSERT_EQ(list.open(conditions(true, false, {true, false, true, false}), m_today), AllUserList::Outcome::Rows);
    EXPECT_EQ(cureNos(list), (QList<int>{1}));
    EXPECT_TRUE(list.TypeFilterSet);
    EXPECT_EQ(list.conditionText(), QStringLiteral("（印刷条件:条件１有り、退所者を除く、過去分の全て）"));
    ASSERT_EQ(list.open(conditions(false, false, {true, false, true, false}), m_today), AllUserList::Outcome::Rows);
    EXPECT_EQ(cureNos(list), (QList<int>{1, 2, 5}));
    EXPECT_EQ(list.open(conditions(true, true, {false, true, false, false}), m_today), AllUserList::Outcome::NoRows);
}

TEST_P(AllUserListTest, PrintedPageCarriesEveryUserValue)
{
    AllUserList list(db(), QStringLiteral("ひだまり苑"));
    ASSERT_EQ(list.open(conditions(false, false), m_today), AllUserList::Outcome::Rows);
    ListPrint print = list.printout();
    ASSERT_TRUE(print.report().LoadFromFile(QStringLiteral(TAMSOLEN_TEMPLATE_DIR "/AllUser.rpf")))
        << print.report().LoadError().message.toStdString();
    const std::vector<QStringList> pages = buildPages(print.report());
    ASSERT_EQ(pages.size(), 1u);
    const QStringList &texts = pages[0];
    for (const char16_t *text : {u"利用者一覧表", u"ひだまり苑", u"令和05年03月01日 作成",
                                 u"（印刷条件:利用者全員、退所者を含む、過去分の全て）", u"R05.02.28", u"1 / 1"})
        EXPECT_TRUE(texts.contains(QString::fromUtf16(text))) << QString::fromUtf16(text).toStdString();
    // A row's cells: number, name, kana, admitted, discharged, days, type,
    // sex, age, birth, levels, room. Ages are calendar ages (90 on the
    // birthday itself), days count to today without a discharge date and
    // to the discharge date with one, in the future too.
    const qsizetype first = texts.indexOf(QStringLiteral("00000001"));
    ASSERT_GE(first, 0);
    EXPECT_EQ(
        texts.mid(first, 14),
        (QStringList{QStringLiteral("00000001"), QStringLiteral("青木　一郎"), QStringLiteral("ｱｵｷ ｲﾁﾛｳ"),
                     QStringLiteral("R05.01.10"), QString(), QStringLiteral("50"), QStringLiteral("入所"),
                     QStringLiteral("男性"), QStringLiteral("90"), QStringLiteral("S08.03.01"), QStringLiteral("A1"),
                     QStringLiteral("Ⅱa"), QStringLiteral("要介護3"), QStringLiteral("201")}));
    const qsizetype third = texts.indexOf(QStringLiteral("00000003"));
    ASSERT_GE(third, 0);
    EXPECT_EQ(texts[third + 5], QStringLiteral("639"));
    // No discharge date, no sex, no birth date, unknown codes: empty cells,
    // never the zero day or the first name of a table.
    const qsizetype fourth = texts.indexOf(QStringLiteral("00000004"));
    ASSERT_GE(fourth, 0);
    EXPECT_EQ(texts.mid(fourth + 3, 11),
              (QStringList{QStringLiteral("R04.12.01"), QString(), QStringLiteral("90"), QStringLiteral("訪問リハビリ"),
                           QString(), QString(), QString(), QString(), QString(), QString(), QString()}));
    EXPECT_LT(first, texts.indexOf(QStringLiteral("00000002")));
    EXPECT_LT(texts.indexOf(QStringLiteral("00000002")), third);
}

// A facility name as long as its column takes, beside the longest print
// conditions: each holds its own box.
TEST_P(AllUserListTest, TheLongestFacilityNameStandsBesideTheConditions)
{
    AllUserList list(db(), QString(30, QChar(u'鬱')));
    for (const bool first : {false, true}) {
        ASSERT_EQ(list.open(conditions(!first, first, {first, first, first, first}), m_today),
                  AllUserList::Outcome::Rows);
        ListPrint print = list.printout();
        ASSERT_TRUE(print.report().LoadFromFile(QStringLiteral(TAMSOLEN_TEMPLATE_DIR "/AllUser.rpf")));
        ASSERT_FALSE(buildPages(print.report()).empty());
        const std::vector<TemplateFit::Misfit> misfits = TemplateFit::misfits(print.report().EMFPages());
        EXPECT_TRUE(misfits.empty()) << TemplateFit::describe(misfits).toStdString();
    }
}

TEST_P(AllUserListTest, CsvFileHoldsTheHeaderAndOneQuotedLinePerUser)
{
    AllUserList list(db(), QString());
    ASSERT_EQ(list.open(conditions(true, true), m_today), AllUserList::Outcome::Rows);
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("list.csv"));
    std::vector<UserMessage> told;
    ASSERT_TRUE(ListCsvFile::write(file, AllUserList::CsvHeader, list.csvRows(), told));
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray expected =
        Sjis::encode(u"\"治療番号\",\"氏名\",\"氏名カナ\",\"利用開始日\",\"退所日\",\"リハビリ形態と区分\",\"性別\","
                     u"\"年齢\",\"生年月日\",\"自立区分\",\"認知度\",\"要介護度\",\"部屋番号\"\r\n"
                     u"\"00000001\",\"青木　一郎\",\"ｱｵｷ ｲﾁﾛｳ\",\"R05.01.10\",\"\",\"入所          個別\",\"男性\","
                     u"\"90\",\"S08.03.01\",\"A1\",\"Ⅱa\",\"要介護3\",\"201\"\r\n"
                     u"\"00000004\",\"浅野　三郎\",\"ｱｻﾉ \"\"ｻﾌﾞ\"\"\",\"R04.12.01\",\"\","
                     u"\"訪問リハビリ  短期集中 認知症 集団 個別\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n");
    EXPECT_EQ(written.readAll(), expected);
}

TEST_P(AllUserListTest, FailedQueryIsToldApart)
{
    ASSERT_TRUE(exec(QStringLiteral("DROP TABLE Person")));
    AllUserList list(db(), QString());
    EXPECT_EQ(list.open(conditions(true, true), m_today), AllUserList::Outcome::Failed);
    EXPECT_FALSE(list.AllUserPrintQuery.isOpen());
}

TAMSOLEN_DATABASE_TEST_SUITE(AllUserListTest);
