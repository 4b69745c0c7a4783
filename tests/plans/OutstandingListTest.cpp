#include "DatabaseFixture.h"
#include "TemplateFit.h"

#include "plans/OutstandingList.h"
#include "plans/OutstandingPrint.h"
#include "plans/PlanSearchList.h"
#include "platform/DbQuery.h"
#include "report/objects/TrpView.h"

// Users 1 (ｱｵｷ, with a treatment plan), 2 (ｶﾜｲ, discharged, no plan),
// 3 (ｻｸﾗ, a practice plan only) and 42 (ｱｻﾉ, no plan).
class OutstandingListTest : public DatabaseFixture
{
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        const QString identity = sqlFor(QString(), QStringLiteral(" OVERRIDING SYSTEM VALUE"));
        struct User
        {
            int cureNo;
            const char16_t *name;
            const char16_t *kana;
            int rihaType;
            int kubun;
        };
        const User users[] = {{1, u"青木　一郎", u"ｱｵｷ ｲﾁﾛｳ", 0, 8},
                              {2, u"川井　花子", u"ｶﾜｲ ﾊﾅｺ", 2, 3},
                              {3, u"佐倉　次郎", u"ｻｸﾗ ｼﾞﾛｳ", 1, 0},
                              {42, u"浅野　三郎", u"ｱｻﾉ ｻﾌﾞﾛｳ", 3, 15}};
        for (const User &user : users) {
            DbQuery insert(db(), QStringLiteral("INSERT INTO Person (CureNo, Name, Kana, RihaType, KubunCode, "
                                                "NYUSHOBI_YMD, TAISHOBI_YMD, distinctive)") +
                                     identity +
                                     QStringLiteral(" VALUES (:no, :name, :kana, :type, :kubun, :in, :out, '車椅子')"));
            insert.bind(u"no", user.cureNo)
                .bind(u"name", QString::fromUtf16(user.name))
                .bind(u"kana", QString::fromUtf16(user.kana))
                .bind(u"type", user.rihaType)
                .bind(u"kubun", user.kubun)
                .bind(u"in", DbDate{45383})
                .bind(u"out", DbDate{user.cureNo == 2 ? 45400.0 : 0.0});
            ASSERT_TRUE(exec(insert));
        }
        ASSERT_TRUE(exec(QStringLiteral("INSERT INTO RihaPlan (CureNo, RihaType, KubunCode) VALUES (1, 0, 8)")));
        ASSERT_TRUE(exec(QStringLiteral("INSERT INTO Practice (CureNo, DataFormatVersion) VALUES (3, 30)")));
    }

    static QStringList column(const OutstandingList &list, int column)
    {
        QStringList texts;
        for (int row = 0; row < list.PrintOutStandingQuery.recordCount(); ++row)
            texts << list.cellText(column, row);
        return texts;
    }
};

TEST_P(OutstandingListTest, ListsUsersWithoutAPlanOfTheKind)
{
    OutstandingList list(db());
    ASSERT_TRUE(list.open(OutstandingList::Kind::CurePlan));
    EXPECT_EQ(column(list, 0),
              (QStringList{QStringLiteral("00000002"), QStringLiteral("00000003"), QStringLiteral("00000042")}));
    EXPECT_EQ(column(list, 2), QStringList(3, QStringLiteral("令和06年04月01日")));
    EXPECT_EQ(list.cellText(3, 0), QStringLiteral("通所リハビリ"));
    EXPECT_EQ(list.cellText(4, 2), QStringLiteral("短期集中 認知症 集団 個別"));
    ASSERT_TRUE(list.open(OutstandingList::Kind::PracticePlan));
    EXPECT_EQ(column(list, 0),
              (QStringList{QStringLiteral("00000001"), QStringLiteral("00000002"), QStringLiteral("00000042")}));

    list.filterByKanaRow(UserSearch::KanaRow::A);
    EXPECT_EQ(column(list, 1), (QStringList{QStringLiteral("青木　一郎"), QStringLiteral("浅野　三郎")}));
    list.filterByKanaRow(UserSearch::KanaRow::Wa);
    EXPECT_FALSE(list.hasRows());
    list.showAll();
    EXPECT_EQ(list.PrintOutStandingQuery.recordCount(), 3);
}

TEST_P(OutstandingListTest, PrintoutHoldsTheFilteredRows)
{
    OutstandingList list(db());
    ASSERT_TRUE(list.open(OutstandingList::Kind::CurePlan));
    list.filterByKanaRow(UserSearch::KanaRow::A);
    OutstandingPrint print(list, QStringLiteral("さくらの里"), 45432.5);
    ASSERT_TRUE(print.report().LoadFromFile(QStringLiteral(TAMSOLEN_TEMPLATE_DIR "/OutStandingList.rpf")))
        << print.report().LoadError().message.toStdString();
    ASSERT_TRUE(print.report().PrepareReport());
    ASSERT_FALSE(print.report().hasError()) << print.report().ErrorText().toStdString();
    ASSERT_EQ(print.report().EMFPages().Count(), 1);
    QStringList texts;
    for (const auto &view : print.report().EMFPages()[0].objects())
        texts << view->ExpandedMemo.join(u'\n').trimmed();
    // The paper says which plan its users lack.
    for (const char16_t *text :
         {u"リハビリ治療計画書　未登録者一覧", u"さくらの里", u"印刷日　令和06年05月20日", u"00000042", u"浅野　三郎",
          u"令和06年04月01日", u"訪問リハビリ", u"短期集中 認知症 集団 個別", u"1 / 1"})
        EXPECT_TRUE(texts.contains(QString::fromUtf16(text))) << QString::fromUtf16(text).toStdString();
    EXPECT_FALSE(texts.contains(QStringLiteral("00000002"))) << "filtered out";
    EXPECT_FALSE(texts.contains(QStringLiteral("00000003")));
    ASSERT_TRUE(list.open(OutstandingList::Kind::PracticePlan));
    EXPECT_EQ(list.value(QStringLiteral("ListTitle"))->toText(), QStringLiteral("リハビリ実施計画書　未登録者一覧"));
}

TEST_P(OutstandingListTest, PlanSearchListsPlansWithTheirUsers)
{
    PlanSearchList list(db());
    ASSERT_TRUE(list.open());
    ASSERT_EQ(list.PlanQuery.recordCount(), 1);
    EXPECT_EQ(list.cellText(0, 0), QStringLiteral("1"));
    EXPECT_EQ(list.cellText(2, 0), QStringLiteral("青木　一郎"));
    EXPECT_EQ(list.cellText(5, 0), QStringLiteral("入所"));
    const PlanSearchList::Details details = list.details(0);
    EXPECT_EQ(details.Kubun, QStringLiteral("個別"));
    EXPECT_EQ(details.Special, QStringLiteral("車椅子"));
    list.filterByKanaRow(UserSearch::KanaRow::Ka);
    EXPECT_EQ(list.PlanQuery.recordCount(), 0);
}

// A user with the longest name and every category, under the longest
// facility name, prints inside every box.
TEST_P(OutstandingListTest, LongestValuesFitTheirBoxes)
{
    DbQuery insert(db(), QStringLiteral("INSERT INTO Person (CureNo, Name, Kana, RihaType, KubunCode, NYUSHOBI_YMD)") +
                             sqlFor(QString(), QStringLiteral(" OVERRIDING SYSTEM VALUE")) +
                             QStringLiteral(" VALUES (99999999, :name, :kana, 2, 15, :in)"));
    const QString name = TemplateFit::longest(20);
    insert.bind(u"name", name).bind(u"kana", QString(20, QChar(u'ｱ'))).bind(u"in", DbDate{47115});
    ASSERT_TRUE(exec(insert));
    OutstandingList list(db());
    ASSERT_TRUE(list.open(OutstandingList::Kind::CurePlan));
    OutstandingPrint print(list, QString(60, QChar(u'施')), 47115.5);
    ASSERT_TRUE(print.report().LoadFromFile(QStringLiteral(TAMSOLEN_TEMPLATE_DIR "/OutStandingList.rpf")));
    const TemplateFit::Built built = TemplateFit::build(print.report());
    ASSERT_EQ(built.error, QString());
    EXPECT_TRUE(built.misfits.empty()) << TemplateFit::describe(built.misfits).toStdString();
    EXPECT_TRUE(built.pageTexts[0].join(QString()).contains(name));
}

TAMSOLEN_DATABASE_TEST_SUITE(OutstandingListTest);
