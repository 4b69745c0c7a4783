#include "DatabaseFixture.h"
#include "PersonRows.h"

#include "platform/DbQuery.h"
#include "users/UserSearch.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class UserSearchTest : public DatabaseFixture
{
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        // Users 1 to 12, in this order.
        const std::pair<const char16_t *, const char16_t *> users[] = {
            {u"山田 太郎", u"ﾔﾏﾀﾞ ﾀﾛｳ"}, {u"山本 花子", u"ﾔﾏﾓﾄ ﾊﾅｺ"}, {u"佐藤 一郎", u"ｻﾄｳ ｲﾁﾛｳ"},
            {u"伊藤 和子", u"ｲﾄｳ ｶｽﾞｺ"}, {u"後藤 守", u"ｺﾞﾄｳ ﾏﾓﾙ"},   {u"京極 夏代", u"ｷｮｳｺﾞｸ ﾅﾂﾖ"},
            {u"渡辺 正", u"ﾜﾀﾅﾍﾞ ﾀﾀﾞｼ"}, {u"ヲノ 試験", u"ｦﾉ ｼｹﾝ"},   {u"ンジャイ 試験", u"ﾝｼﾞｬｲ ｼｹﾝ"},
            {u"田_中 %子", u"ﾀ_ﾅｶ %ｺ"},  {u"田中 花", u"ﾀﾅｶ ﾊﾅ"},     {u"100%ケア", u"100%ｹｱ"}};
        const int partners[] = {1234, 0, 12, 512, 0, 0, 9, 0, 0, 0, 0, 0};
        int i = 0;
        for (const auto &[name, kana] : users) {
            ASSERT_EQ(PersonRows::insert(
                          db(), PersonRows::make(QString::fromUtf16(name), QString::fromUtf16(kana), partners[i])),
                      i + 1);
            ++i;
        }
    }

    // The user numbers of the listed rows, in order; none when closed.
    [[nodiscard]] std::vector<int> listed()
    {
        std::vector<int> numbers;
        DbDataSet &rows = m_search.UserSearchQuery;
        if (!rows.isOpen())
            return numbers;
        const DbField cureNo = rows.field(u"CureNo");
        // A page that fails ends the walk at eof; the search's own tests check it.
        for (rows.first(); !rows.eof(); (void)rows.next())
            numbers.push_back(cureNo.asInteger());
        return numbers;
    }

    UserSearch m_search{db()};
};

} // namespace

TEST_P(UserSearchTest, SearchesFindTheirUsersInOrder)
{
    using Search = bool (UserSearch::*)(QStringView);
    const Search number = &UserSearch::searchCureNo, name = &UserSearch::searchName, kana = &UserSearch::searchKana,
                 partner = &UserSearch::searchHinoriku;
    const struct
    {
        Search search;
        const char16_t *text;
        std::vector<int> found;
    } cases[] = {
        {number, u"3", {3}},
        {number, u" 12 ", {12}},
        {number, u"99", {}},
        {name, u"山", {1, 2}},
        {name, u"山田", {1}},
        {name, u"田", {10, 11}},
        {name, u"太郎", {}}, // a prefix, not a part
        {kana, u"ﾔﾏ", {1, 2}},
        {kana, u"ｺﾞ", {5}},
        {kana, u"ﾔﾏﾀﾞ ﾀﾛｳ", {1}},
        // Pattern characters match themselves.
        {name, u"田_", {10}},
        {name, u"%", {}},
        {name, u"1%", {}},
        {name, u"100%", {12}},
        {kana, u"ﾀ_", {10}},
        {kana, u"_", {}},
        {kana, u"\\", {}},
        // Partner numbers compare as text: 1234 and 12 begin with 12.
        {partner, u"12", {1, 3}},
        {partner, u"5", {4}},
        {partner, u"34", {}},
    };
    for (const auto &[search, text, found] : cases) {
        EXPECT_TRUE((m_search.*search)(text));
        EXPECT_TRUE(m_search.UserSearchQuery.isOpen());
        EXPECT_EQ(listed(), found) << QString::fromUtf16(text).toStdString();
    }

    // Text that is no number closes the list; nothing reaches the database.
    for (const QStringView text : {u"abc", u"1 OR 1=1", u"1; DELETE FROM Person", u"0x10", u"99999999999"}) {
        EXPECT_TRUE(m_search.searchCureNo(text)) << text.toString().toStdString();
        EXPECT_FALSE(m_search.UserSearchQuery.isOpen());
    }
    // Injection attempts are searched for literally.
    for (const QStringView text : {u"' OR '1'='1", u"'; DROP TABLE Person; --", u"\\' OR 1=1 --"}) {
        for (const Search search : {name, kana, partner}) {
            EXPECT_TRUE((m_search.*search)(text));
            EXPECT_THAT(listed(), IsEmpty());
        }
    }
    EXPECT_TRUE(m_search.showAll());
    EXPECT_EQ(listed().size(), 12u);
}

TEST_P(UserSearchTest, KanaRowsFindTheirLettersWithVoicedAndSmallKana)
{
    // In kana order: ｷｮｳｺﾞｸ (small ｮ inside), then ｺﾞﾄｳ under its base letter.
    const std::pair<UserSearch::KanaRow, std::vector<int>> rows[] = {{UserSearch::KanaRow::Ka, {6, 5}},
                                                                     {UserSearch::KanaRow::A, {4}},
                                                                     {UserSearch::KanaRow::Ta, {10, 11}},
                                                                     {UserSearch::KanaRow::Ya, {1, 2}},
                                                                     {UserSearch::KanaRow::Wa, {7}}};
    for (const auto &[row, found] : rows) {
        EXPECT_TRUE(m_search.searchKanaRow(row));
        EXPECT_EQ(listed(), found) << int(row);
    }

    // Names beginning with ｦ or ﾝ are on no row.
    std::vector<int> found;
    for (int row = 0; row <= int(UserSearch::KanaRow::Wa); ++row) {
        EXPECT_TRUE(m_search.searchKanaRow(UserSearch::KanaRow(row)));
        const std::vector<int> numbers = listed();
        found.insert(found.end(), numbers.begin(), numbers.end());
    }
    std::sort(found.begin(), found.end());
    EXPECT_THAT(found, ElementsAre(1, 2, 3, 4, 5, 6, 7, 10, 11));
}

TEST_P(UserSearchTest, SortDirectionFlipsPerColumn)
{
    EXPECT_THAT(m_search.SortDescending, ::testing::Each(false));
    EXPECT_TRUE(m_search.searchName(u"山"));

    // The sort lists every user: first descending, then ascending.
    EXPECT_TRUE(m_search.sortByColumn(0));
    EXPECT_THAT(listed(), ElementsAre(12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1));
    EXPECT_TRUE(m_search.SortDescending[0]);
    EXPECT_TRUE(m_search.sortByColumn(0));
    EXPECT_THAT(listed(), ElementsAre(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12));
    EXPECT_FALSE(m_search.SortDescending[0]);

    // Kana by character code; the other columns keep their own flags.
    EXPECT_TRUE(m_search.sortByColumn(2));
    EXPECT_THAT(listed(), ElementsAre(9, 7, 2, 1, 11, 10, 3, 5, 6, 4, 8, 12));
    EXPECT_TRUE(m_search.SortDescending[2]);
    EXPECT_FALSE(m_search.SortDescending[0]);

    // Equal values (the partner number 0 of eight users) in user-number order.
    EXPECT_TRUE(m_search.sortByColumn(8));
    EXPECT_THAT(listed(), ElementsAre(1, 4, 3, 7, 2, 5, 6, 8, 9, 10, 11, 12));
}

TEST_P(UserSearchTest, AFailingQueryClosesTheList)
{
    EXPECT_TRUE(m_search.showAll());
    ASSERT_TRUE(exec(QStringLiteral("DROP TABLE Person")));
    EXPECT_FALSE(m_search.searchName(u"山"));
    EXPECT_FALSE(m_search.UserSearchQuery.isOpen());
    EXPECT_FALSE(m_search.sortByColumn(1));
    EXPECT_FALSE(m_search.UserSearchQuery.isOpen());
    EXPECT_TRUE(m_search.SortDescending[1]); // flipped all the same
}

TEST_P(UserSearchTest, LongListsAreReadPageByPageInTheSameOrder)
{
    // 250 more users whose kana repeat, so that equal kana lie across pages.
    ASSERT_TRUE(exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 250) "
                                    "INSERT INTO Person (Name, Kana, HinorikuUserNo) "
                                    "SELECT '佐藤' || i, 'ｻﾄｳ ' || (i % 9), i FROM n")));
    const auto expected = [&](const QString &condition) {
        std::vector<int> numbers;
        DbDataSet rows;
        EXPECT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT CureNo FROM Person ") + condition)))
            << rows.errorText().toStdString();
        // The rows are held whole, not paged: a move cannot fail.
        for (; !rows.eof(); (void)rows.next())
            numbers.push_back(rows.field(u"CureNo").asInteger());
        return numbers;
    };
    const QString kana = kind() == DbKind::PostgreSQL ? QStringLiteral("Kana COLLATE \"C\"") : QStringLiteral("Kana");

    EXPECT_TRUE(m_search.searchKanaRow(UserSearch::KanaRow::Sa));
    EXPECT_TRUE(m_search.UserSearchQuery.canFetchMore()); // the grid is not kept waiting for every row
    EXPECT_EQ(listed(), expected(QStringLiteral("WHERE %1 >= 'ｻ' AND %1 < 'ﾀ' ORDER BY %1, CureNo").arg(kana)));
    EXPECT_EQ(listed().size(), 251u);

    EXPECT_TRUE(m_search.showAll());
    EXPECT_EQ(listed(), expected(QStringLiteral("ORDER BY CureNo")));
    EXPECT_TRUE(m_search.searchName(u"佐藤"));
    EXPECT_EQ(listed(), expected(QStringLiteral("WHERE Name LIKE '佐藤%' ORDER BY CureNo")));
    EXPECT_TRUE(m_search.searchHinoriku(u"1"));
    EXPECT_EQ(listed(), expected(QStringLiteral("WHERE CAST(HinorikuUserNo AS TEXT) LIKE '1%' ORDER BY CureNo")));

    // A sort lists every user at once.
    EXPECT_TRUE(m_search.sortByColumn(2));
    EXPECT_FALSE(m_search.UserSearchQuery.canFetchMore());
    EXPECT_EQ(m_search.UserSearchQuery.recordCount(), 262);
}

TAMSOLEN_DATABASE_TEST_SUITE(UserSearchTest);

TEST(UserSearchInput, LimitsInShiftJisBytesWithTheirMessages)
{
    using Input = UserSearch::Input;
    const QString numberEmpty = QStringLiteral("入力が必要です。\n半角10文字以内で入力してください。");
    const QString numberLong = QStringLiteral("入力文字数がオーバーしています。\n半角10文字以内で入力してください。");
    EXPECT_EQ(UserSearch::checkInput(Input::CureNo, u""), numberEmpty);
    EXPECT_EQ(UserSearch::checkInput(Input::Hinoriku, u""), numberEmpty);
    EXPECT_EQ(UserSearch::checkInput(Input::CureNo, u"1234567890"), QString());
    EXPECT_EQ(UserSearch::checkInput(Input::CureNo, u"12345678901"), numberLong);
    EXPECT_EQ(UserSearch::checkInput(Input::Hinoriku, u"１２３４５６"), numberLong); // 12 bytes

    EXPECT_EQ(UserSearch::checkInput(Input::Name, u""),
              QStringLiteral("氏名の入力が必要です。\n半角20文字・全角10文字以内で入力してください。"));
    EXPECT_EQ(UserSearch::checkInput(Input::Name, u"山田太郎山田太郎山田"), QString()); // 10 full-width
    EXPECT_EQ(UserSearch::checkInput(Input::Name, u"ABCDEFGHIJKLMNOPQRST"), QString());
    const QString nameLong =
        QStringLiteral("氏名の入力文字数がオーバーしています。\n半角20文字・全角10文字以内で入力してください。");
    EXPECT_EQ(UserSearch::checkInput(Input::Name, u"山田太郎山田太郎山田太"), nameLong); // 11 full-width
    EXPECT_EQ(UserSearch::checkInput(Input::Name, u"ABCDEFGHIJKLMNOPQRSTU"), nameLong);
    EXPECT_EQ(UserSearch::checkInput(Input::Name, u"山田太郎山田太郎山A"), QString()); // 19 bytes

    EXPECT_EQ(UserSearch::checkInput(Input::Kana, u""),
              QStringLiteral("カナの入力が必要です。\n半角20文字以内で入力してください。"));
    EXPECT_EQ(UserSearch::checkInput(Input::Kana, QString(20, u'ｱ')), QString());
    EXPECT_EQ(UserSearch::checkInput(Input::Kana, QString(21, u'ｱ')),
              QStringLiteral("カナの入力文字数がオーバーしています。\n半角20文字以内で入力してください。"));
}
