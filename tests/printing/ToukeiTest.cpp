#include "PrintingFixture.h"

#include "base/Clock.h"
#include "base/Sjis.h"
#include "printing/ToukeiCounts.h"
#include "printing/ToukeiCsv.h"
#include "printing/ToukeiPrint.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

const TDateTime April = DateTime::encodeDate(2024, 4, 1);
constexpr int NyushoKobetsu = 3;
constexpr int TsushoTanki = 8;

class ToukeiTest : public PrintingFixture
{
protected:
    // A result ticked in the one column given, whatever its form and category.
    CureResult ticked(int cureNo, TDateTime day, int type)
    {
        CureResult r = ResultRows::make(cureNo, day);
        r.Flags = {};
        r.Flags[size_t(type)] = true;
        return r;
    }
    ToukeiCounts countApril()
    {
        ToukeiCounts counts(April + 10);
        EXPECT_TRUE(counts.count(db()));
        return counts;
    }
};

} // namespace

TEST_P(ToukeiTest, CountsDaysUserDaysAndRowsByTheTypeFlags)
{
    ResultRows::insert(db(), {
                                 // one user twice on a day: 1 day, 1 user-day, 2 rows
                                 ticked(1, April + 2, NyushoKobetsu),
                                 ticked(1, April + 2 + 0.6, NyushoKobetsu),
                                 // two users on a day: 1 day, 2 user-days, 2 rows
                                 ticked(1, April + 5, TsushoTanki),
                                 ticked(2, April + 5, TsushoTanki),
                                 // March and February go to their own months
                                 ticked(1, April - 1 + 0.99, TsushoTanki),
                                 ticked(2, DateTime::encodeDate(2024, 2, 1), TsushoTanki),
                                 // outside the three months on both sides
                                 ticked(1, DateTime::encodeDate(2024, 1, 31) + 0.5, TsushoTanki),
                                 ticked(1, DateTime::encodeDate(2024, 5, 1), TsushoTanki),
                             });
    // The form and category say Nyusho Kobetsu, the flags say nothing: not counted.
    CureResult unticked = ResultRows::make(3, April + 7);
    unticked.Flags = {};
    ResultRows::insert(db(), {unticked});

    const ToukeiCounts counts = countApril();
    const int M = 2;
    EXPECT_EQ(counts.at(NyushoKobetsu, M, ToukeiCounts::Days), 1);
    EXPECT_EQ(counts.at(NyushoKobetsu, M, ToukeiCounts::PersonDays), 1);
    EXPECT_EQ(counts.at(NyushoKobetsu, M, ToukeiCounts::Rows), 2);
    EXPECT_EQ(counts.at(TsushoTanki, M, ToukeiCounts::Days), 1);
    EXPECT_EQ(counts.at(TsushoTanki, M, ToukeiCounts::PersonDays), 2);
    EXPECT_EQ(counts.at(TsushoTanki, M, ToukeiCounts::Rows), 2);
    EXPECT_EQ(counts.at(TsushoTanki, 1, ToukeiCounts::Rows), 1);
    EXPECT_EQ(counts.at(TsushoTanki, 0, ToukeiCounts::Rows), 1);
    // The grid's and printout's cells: row = type, column = month * 3 + measure.
    EXPECT_EQ(counts.cell(TsushoTanki, 7), 2);
    EXPECT_EQ(counts.cell(TsushoTanki, 0), 1);
    int all = 0;
    for (int type = 0; type < ToukeiCounts::Types; ++type)
        for (int month = 0; month < ToukeiCounts::Months; ++month)
            all += counts.at(type, month, ToukeiCounts::Rows);
    EXPECT_EQ(all, 6);
}

TEST_P(ToukeiTest, JanuaryLooksBackIntoThePreviousYear)
{
    ToukeiCounts counts(DateTime::encodeDate(2024, 1, 15));
    EXPECT_EQ(counts.monthStart(0), DateTime::encodeDate(2023, 11, 1));
    EXPECT_EQ(counts.monthStart(1), DateTime::encodeDate(2023, 12, 1));
    EXPECT_EQ(counts.monthEnd(2), DateTime::encodeDate(2024, 2, 1));
    counts.stepMonth(-1);
    EXPECT_EQ(counts.chosenMonth(), DateTime::encodeDate(2023, 12, 1));
    EXPECT_FALSE(counts.counted());
}

TEST_P(ToukeiTest, PrintsTheCountsInTheirCellsWithTheRowCaptions)
{
    ResultRows::insert(db(), {ticked(1, April + 5, TsushoTanki), ticked(2, April + 5, TsushoTanki),
                              ticked(2, DateTime::encodeDate(2024, 2, 10), 13)});
    ToukeiCounts counts(April);
    ASSERT_TRUE(counts.count(db()));
    const auto print = std::make_unique<ToukeiPrint>(counts, m_app->mainModule.FacilityName, Clock::today());
    ASSERT_TRUE(load(print->report(), ToukeiPrint::TemplateName));
    EXPECT_EQ(print->value(QStringLiteral("Hizuke"), 0, 0)->toText(), QStringLiteral("令和06年04月20日"));
    EXPECT_EQ(print->value(QStringLiteral("Hizuke1B"), 0, 0)->toText(), QStringLiteral("令和06年04月"));
    EXPECT_EQ(print->value(QStringLiteral("Hizuke3B"), 0, 0)->toText(), QStringLiteral("令和06年02月"));
    EXPECT_EQ(print->value(QStringLiteral("Shisetusu"), 0, 0)->toText(), QStringLiteral("ひだまり苑"));
    EXPECT_FALSE(print->value(QStringLiteral("Shisetsu"), 0, 0));

    const auto pages = build(print->report());
    ASSERT_EQ(pages.size(), 1u);
    const QStringList &texts = pages[0];
    // Row 9 (通所 短期集中) reads 0 0 0 | 0 0 0 | 1 2 2 after its captions.
    const qsizetype row = texts.indexOf(QStringLiteral("通所リハビリ"));
    ASSERT_GE(row, 0);
    EXPECT_EQ(texts.mid(row, 11),
              strings({"通所リハビリ", "短期集中リハビリ", "0", "0", "0", "0", "0", "0", "1", "2", "2"}));
    const qsizetype last = texts.lastIndexOf(QStringLiteral("訪問リハビリ"));
    EXPECT_EQ(texts.mid(last, 5), strings({"訪問リハビリ", "認知症短期集中", "1", "1", "1"}));
    for (const char *text :
         {"統計情報表", "ひだまり苑", "令和06年02月", "令和06年03月", "日　数（人）", "延人数（人）", "1 / 1"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << text;
}

TEST_P(ToukeiTest, WritesAMonthsResultsAsCsvWhole)
{
    CureResult first = ResultRows::make(7, April + 2);
    first.Name = QStringLiteral("山田 \"太郎\"");
    first.UpdateDate = DateTime::encodeDate(2024, 4, 5) + 0.5;
    CureResult later = ResultRows::make(3, April + 20);
    ResultRows::insert(db(), {later, first, ResultRows::make(3, April + 30)});
    QTemporaryDir folder;
    // A ".txt" name is written as ".csv" in a folder made for it.
    const QString path = folder.filePath(QStringLiteral("toukei/april.txt"));
    std::vector<UserMessage> told;
    ASSERT_TRUE(ToukeiCsv::write(db(), path, April, April + 30, Dialogs::asker(), told));
    QFile file(folder.filePath(QStringLiteral("toukei/april.csv")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 4); // two rows, the header and the empty rest
    EXPECT_EQ(lines[0],
              Sjis::encode(QStringLiteral(
                  "\"利用日\",\"利用者番号\",\"氏名\",\"カナ\",\"リハ形態\",\"区分\",\"入力者\",\"更新日\"\r")));
    EXPECT_EQ(lines[1], Sjis::encode(QStringLiteral("\"20240403\",\"00000007\",\"山田 \"\"太郎\"\"\",\"ﾔﾏﾀﾞ ﾀﾛｳ\","
                                                    "\"入所\",\"個別\",\"記録 係\",\"20240405\"\r")));
    // A date never set is written empty; the first of May is not April.
    EXPECT_TRUE(lines[2].startsWith(Sjis::encode(QStringLiteral("\"20240421\",\"00000003\""))));
    EXPECT_TRUE(lines[2].endsWith(",\"\"\r"));
    EXPECT_TRUE(told.empty());
    EXPECT_TRUE(m_app->dialogs.messages().isEmpty());
}

TEST_P(ToukeiTest, CsvWithoutFolderOrRowsSaysSo)
{
    std::vector<UserMessage> told;
    EXPECT_FALSE(ToukeiCsv::write(db(), QStringLiteral("april.csv"), April, April + 30, Dialogs::asker(), told));
    QTemporaryDir folder;
    EXPECT_TRUE(ToukeiCsv::write(db(), folder.filePath(QStringLiteral("empty.csv")), April, April + 30,
                                 Dialogs::asker(), told));
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("empty.csv"))));
    EXPECT_EQ(told, std::vector<UserMessage>(
                        {{MessageType::Error, QStringLiteral("ディレクトリが見つかりません。"), MessageButtons::Yes},
                         {MessageType::Information, QStringLiteral("条件に該当するデータがありません。"),
                          MessageButtons::Yes}}));
    EXPECT_TRUE(m_app->dialogs.messages().isEmpty());
}

TAMSOLEN_DATABASE_TEST_SUITE(ToukeiTest);
