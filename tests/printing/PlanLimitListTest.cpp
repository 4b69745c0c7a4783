#include "PrintingDatabaseTest.h"

#include "printing/ListPrint.h"
#include "printing/PlanLimitList.h"

// On 2009-05-31 a latest plan must be dated 2009-02-28 or later.
class PlanLimitListTest : public PrintingDatabaseTest
{
protected:
    void SetUp() override
    {
        PrintingDatabaseTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        const auto user = [](int cureNo, const QString &name, const QString &kana, std::optional<TDateTime> out) {
            User row;
            row.CureNo = cureNo;
            row.Name = name;
            row.Kana = kana;
            row.RihaType = cureNo % 4;
            row.KubunCode = 9;
            row.Taisho = out;
            return row;
        };
        ASSERT_TRUE(addUser(user(1, QStringLiteral("青木　一郎"), QStringLiteral("ｱｵｷ"), DateTime::None)));
        ASSERT_TRUE(addUser(user(2, QStringLiteral("川井　花子"), QStringLiteral("ｶﾜｲ"), DateTime::None)));
        ASSERT_TRUE(addUser(user(3, QStringLiteral("佐倉　次郎"), QStringLiteral("ｻｸﾗ"), day(2009, 5, 30))));
        ASSERT_TRUE(addUser(user(4, QStringLiteral("浅野　三郎"), QStringLiteral("ｱｻﾉ"), day(2009, 6, 1))));
        ASSERT_TRUE(addUser(user(5, QStringLiteral("石井　四郎"), QStringLiteral("ｲｼｲ"), std::nullopt)));
        ASSERT_TRUE(addUser(user(6, QStringLiteral("上田　五郎"), QStringLiteral("ｳｴﾀﾞ"), DateTime::None)));
        ASSERT_TRUE(addUser(user(7, QStringLiteral("青木　一郎"), QStringLiteral("ｱｵｷ"), std::nullopt)));
        ASSERT_TRUE(addPlan(1, day(2009, 2, 27)));
        ASSERT_TRUE(addPlan(2, day(2009, 2, 28)));
        ASSERT_TRUE(addPlan(3, day(2008, 1, 1)));
        ASSERT_TRUE(addPlan(4, day(2008, 10, 1)));
        ASSERT_TRUE(addPlan(5, day(2008, 1, 1)));
        ASSERT_TRUE(addPlan(5, day(2009, 5, 1)));
        ASSERT_TRUE(addPlan(7, day(2008, 12, 24)));
        ASSERT_TRUE(addPractice(1, day(2009, 5, 1)));
        ASSERT_TRUE(addPractice(6, day(2009, 1, 1)));
        ASSERT_TRUE(addPractice(6, DateTime::None));
    }

    static QStringList column(const PlanLimitList &list, int column)
    {
        QStringList texts;
        const DbDataSet &rows = list.PrintLimitRihaQuery;
        for (int row = 0; row < rows.recordCount(); ++row)
            texts << PlanLimitList::cellText(column,
                                             rows.record(row).value(PlanLimitList::Columns[size_t(column)].field));
        return texts;
    }

    const TDateTime m_today = day(2009, 5, 31) + 0.75;
};

TEST_P(PlanLimitListTest, ListsUsersInCareWhoseLatestPlanIsTooOld)
{
    EXPECT_EQ(PlanLimitList::limitDay(day(2009, 5, 31)), day(2009, 2, 28));
    EXPECT_EQ(PlanLimitList::limitDay(day(2009, 5, 15)), day(2009, 2, 15));
    PlanLimitList list(db(), QString());
    ASSERT_TRUE(list.open(PlanLimitList::Kind::CurePlan, m_today));
    // 2 is just in time, 3 was discharged yesterday, 5's latest plan is
    // recent, 6 has none. Names sort by character code, equal names by
    // number.
    EXPECT_EQ(column(list, 0),
              (QStringList{QStringLiteral("00000004"), QStringLiteral("00000001"), QStringLiteral("00000007")}));
    EXPECT_EQ(column(list, 2), (QStringList{QStringLiteral("平成20年10月01日"), QStringLiteral("平成21年02月27日"),
                                            QStringLiteral("平成20年12月24日")}));
    EXPECT_EQ(column(list, 3),
              (QStringList{QStringLiteral("入所"), QStringLiteral("短期入所"), QStringLiteral("訪問リハビリ")}));
    EXPECT_EQ(column(list, 4), QStringList(3, QStringLiteral("短期集中 個別")));

    ASSERT_TRUE(list.open(PlanLimitList::Kind::PracticePlan, m_today));
    EXPECT_EQ(column(list, 0), QStringList{QStringLiteral("00000006")}) << "the latest practice plan counts";
    EXPECT_EQ(column(list, 2), QStringList{QStringLiteral("平成21年01月01日")});

    ASSERT_TRUE(list.open(PlanLimitList::Kind::CurePlan, m_today));
    list.filterByKanaRow(UserSearch::KanaRow::Ka);
    EXPECT_FALSE(list.hasRows());
    list.showAll();
    EXPECT_TRUE(list.hasRows());
}

TEST_P(PlanLimitListTest, PrintoutHoldsTheFilteredRowsWithPlainNumbers)
{
    PlanLimitList list(db(), QStringLiteral("さくらの里"));
    ASSERT_TRUE(exec(QStringLiteral("UPDATE Person SET Kana = 'ﾀﾅｶ' WHERE CureNo = 4")));
    ASSERT_TRUE(list.open(PlanLimitList::Kind::CurePlan, m_today));
    list.filterByKanaRow(UserSearch::KanaRow::A);
    ListPrint print = list.printout();
    ASSERT_TRUE(print.report().LoadFromFile(QStringLiteral(TAMSOLEN_TEMPLATE_DIR "/PrintLimit.rpf")))
        << print.report().LoadError().message.toStdString();
    EXPECT_EQ(print.report().Title, QStringLiteral("計画期限切れ一覧"));
    const std::vector<QStringList> pages = buildPages(print.report());
    ASSERT_EQ(pages.size(), 1u);
    const QStringList &texts = pages[0];
    for (const char16_t *text : {u"リハビリ治療計画書　期限切れ一覧", u"さくらの里", u"作成日　平成21年05月31日",
                                 u"青木　一郎", u"平成21年02月27日", u"短期入所", u"平成20年12月24日", u"1 / 1"})
        EXPECT_TRUE(texts.contains(QString::fromUtf16(text))) << QString::fromUtf16(text).toStdString();
    const qsizetype first = texts.indexOf(QStringLiteral("1"));
    ASSERT_GE(first, 0) << "the printed number has no leading zeros";
    EXPECT_EQ(texts.indexOf(QStringLiteral("7")), first + 4);
    EXPECT_FALSE(texts.contains(QStringLiteral("浅野　三郎"))) << "filtered out";
    ASSERT_TRUE(list.open(PlanLimitList::Kind::PracticePlan, m_today));
    EXPECT_EQ(list.value(QStringLiteral("ListTitle"))->toText(), QStringLiteral("リハビリ実施計画書　期限切れ一覧"));
}

TEST_P(PlanLimitListTest, FailedQueryLeavesTheListClosed)
{
    ASSERT_TRUE(exec(QStringLiteral("DROP TABLE RihaPlan")));
    PlanLimitList list(db(), QString());
    EXPECT_FALSE(list.open(PlanLimitList::Kind::CurePlan, m_today));
    EXPECT_FALSE(list.hasRows());
}

TAMSOLEN_DATABASE_TEST_SUITE(PlanLimitListTest);
