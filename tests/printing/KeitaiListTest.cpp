#include "MonthlyListsFixture.h"
#include "TemplateFit.h"

#include "base/Sjis.h"
#include "printing/KeitaiList.h"
#include "printing/ListCsvFile.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

class KeitaiListTest : public MonthlyListsFixture
{
protected:
    // User 1 in 入所 and 通所, user 2 in 入所; the month's edges around them.
    void insertMonth()
    {
        CureResult late = result(1, 3, 10, 20, 1);
        CureResult early = result(1, 3, 9, 15, 2);
        CureResult tsusho = result(1, 5, 11, 20, 1, 2);
        CureResult unmarked = result(2, 5, 13, 10, 0);
        CureResult marked = result(2, 6, 13, 30, 1);
        // The last day counts whatever its time of day; the days around the
        // month do not.
        CureResult lastDay = result(2, 30, 23, 40, 2);
        lastDay.CureDate += 0.95;
        CureResult before = result(1, 0, 10, 99, 1);
        CureResult after = result(1, 31, 10, 99, 1);
        lastDay.NYUSHOBI_YMD = DateTime::None;
        ResultRows::insert(db(), {late, tsusho, marked, early, unmarked, lastDay, before, after});
    }
};

} // namespace

TEST_P(KeitaiListTest, LinesByUserAndFormWithTheFirstMarkAndStartOfEachDay)
{
    insertMonth();
    const auto list = read<KeitaiList>(april());
    ASSERT_TRUE(list);
    ASSERT_EQ(list->lines().size(), 3u);
    const auto value = [&list](const char *name, int line, int day = 0) {
        return text(list->value(QString::fromLatin1(name), line, day));
    };
    EXPECT_EQ(value("CureNo", 0), QStringLiteral("00000001 利用者1"));
    EXPECT_EQ(value("Keitai", 0), QStringLiteral("入所"));
    EXPECT_EQ(value("Keitai", 1), QStringLiteral("通所リハビリ"));
    EXPECT_EQ(value("CureNo", 2), QStringLiteral("00000002 利用者2"));
    EXPECT_EQ(value("Kaishibi", 0), QStringLiteral("R02.04.01"));
    // The admission date of the line's last row; 0 prints empty.
    EXPECT_EQ(value("Kaishibi", 2), QString());

    // Two rows on the 3rd: the earlier start's mark and start, both minutes.
    EXPECT_EQ(value("Kigou", 0, 2), QStringLiteral("ス"));
    EXPECT_EQ(value("STime", 0, 2), QStringLiteral("0900"));
    EXPECT_EQ(value("Funn", 0, 2), QStringLiteral("35"));
    EXPECT_EQ(value("Funn", 0, 3), QString());
    // A row without a mark adds its minutes but marks no day.
    EXPECT_EQ(value("Kigou", 2, 4), QString());
    EXPECT_EQ(value("Funn", 2, 4), QStringLiteral("10"));
    EXPECT_EQ(value("CntKei", 2), QStringLiteral("2"));
    EXPECT_EQ(value("TimeKei", 2), QStringLiteral("80"));
    EXPECT_EQ(value("Kigou", 2, 29), QStringLiteral("ス"));

    // Per day: marked lines and all minutes; the totals over the month.
    EXPECT_EQ(value("KFunnSum", 0, 4), QStringLiteral("1"));
    EXPECT_EQ(value("KTimeSum", 0, 4), QStringLiteral("30"));
    EXPECT_EQ(value("TotalCntSum", 0), QStringLiteral("4"));
    EXPECT_EQ(value("TotalTimeSum", 0), QStringLiteral("135"));

    // April has 30 days: the 31st column is empty.
    for (const char *name : {"Kigou", "Funn", "STime", "Week", "DayStr", "KFunnSum", "KTimeSum"})
        EXPECT_EQ(value(name, 0, 30), QString()) << name;
    EXPECT_EQ(value("Week", 0, 0), QStringLiteral("月"));
    EXPECT_EQ(value("DayStr", 0, 8), QStringLiteral(" 9"));
    EXPECT_EQ(value("Jishibi", 0), QStringLiteral("令和06年04月度"));
    EXPECT_EQ(value("Sakuseibi", 0), QStringLiteral("令和06年04月20日"));
    // Every staff member is in the legend; entries past the list are empty
    // and only sixteen are printed.
    EXPECT_EQ(value("Tk2", 0), QStringLiteral("ス"));
    EXPECT_EQ(value("TkName2", 0), QStringLiteral("鈴木 一郎"));
    EXPECT_EQ(value("Tk3", 0), QString());
    EXPECT_FALSE(list->value(QStringLiteral("Tk17"), 0, 0));
    EXPECT_FALSE(list->value(QStringLiteral("Kubun01"), 0, 0));
}

TEST_P(KeitaiListTest, OneStaffMemberAndCodesOutOfRange)
{
    CureResult odd = result(3, 2, 9, 20, 2, 7);
    ResultRows::insert(db(), {result(1, 2, 9, 20, 1), odd});
    MonthlyChoice choice = april();
    choice.staffCode = 2;
    const auto list = read<KeitaiList>(choice);
    ASSERT_TRUE(list);
    ASSERT_EQ(list->lines().size(), 1u);
    EXPECT_EQ(text(list->value(QStringLiteral("CureNo"), 0, 0)), QStringLiteral("00000003 利用者3"));
    EXPECT_EQ(text(list->value(QStringLiteral("Keitai"), 0, 0)), QString());
    choice.staffCode = 5;
    EXPECT_FALSE(read<KeitaiList>(choice));
}

TEST_P(KeitaiListTest, BuiltPagesHoldTheCellsUnderTheirDays)
{
    insertMonth();
    const auto pages = built<KeitaiList>(april());
    ASSERT_EQ(pages.size(), 1u);
    const auto &page = pages[0];
    // The mark and start of the 3rd stand under the heading of the 3rd, the
    // 30th's mark under the 30th, the line totals after the last day.
    const QPoint third = placeOf(page, QStringLiteral(" 3"));
    ASSERT_FALSE(third.isNull());
    EXPECT_EQ(placeOf(page, QStringLiteral("0900")).x(), third.x());
    EXPECT_EQ(placeOf(page, QStringLiteral("ス")).x(), third.x());
    EXPECT_EQ(placeOf(page, QStringLiteral("ス"), 1).x(), placeOf(page, QStringLiteral("30")).x());
    EXPECT_GT(placeOf(page, QStringLiteral("135")).x(), placeOf(page, QStringLiteral("30")).x());
    EXPECT_NE(placeOf(page, QStringLiteral("令和06年04月度")), QPoint());
    EXPECT_NE(placeOf(page, QStringLiteral("1 / 1")), QPoint());
    // Every day of the month has its heading.
    for (int day = 1; day <= 30; ++day)
        EXPECT_FALSE(placeOf(page, QStringLiteral("%1").arg(day, 2)).isNull()) << day;
}

// A busy day's five-digit total, and the month's, print inside their cells:
// smaller than the other sums, never over the column rule.
TEST_P(KeitaiListTest, FiveDigitTotalsPrintInsideTheirCells)
{
    std::vector<CureResult> rows;
    for (int user = 1; user <= 40; ++user)
        for (int hour = 8; hour <= 16; hour += 4)
            rows.push_back(result(user, 3, hour, user == 1 && hour == 8 ? 403 : 83));
    ResultRows::insert(db(), rows);
    TrpPrinter printer{QStringList()};
    QObject form;
    TrpReport report(&form);
    report.setPrinter(printer);
    m_app->context.appDir = QStringLiteral(TAMSOLEN_TEMPLATE_DIR);
    ASSERT_EQ(MonthlyReport::setUpReport<KeitaiList>(report, m_app->context, april()), MonthlyReport::Status::Ready);
    ASSERT_TRUE(report.LoadFromFile(QStringLiteral(TAMSOLEN_TEMPLATE_DIR "/") + KeitaiList::TemplateName.toString()));
    ASSERT_TRUE(report.PrepareReport()) << report.ErrorText().toStdString();
    bool found = false;
    for (const auto &page : pages(report))
        for (const Text &text : page)
            found = found || text.text == u"10280";
    EXPECT_TRUE(found);
    const std::vector<TemplateFit::Misfit> misfits = TemplateFit::misfits(report.EMFPages());
    EXPECT_TRUE(misfits.empty()) << TemplateFit::describe(misfits).toStdString();
}

TEST_P(KeitaiListTest, ATemplateWiredToTheSevenDataSetsPrintsWhatOursPrints)
{
    insertMonth();
    // The lines as a data band over data set 1, the sums over data set 5.
    PartTemplate part = dayTable();
    part.band("Cells", 5, 110, 44, QStringLiteral("rpUserDataset1"))
        .memo(QStringLiteral("[CureNo]"), 0, 110, 110, 44)
        .memo(QStringLiteral("[Keitai]"), 110, 110, 62, 22)
        .memo(QStringLiteral("[Kaishibi]"), 110, 132, 62, 22)
        .memo(QStringLiteral("[Kigou]"), 172, 110, 24, 22)
        .memo(QStringLiteral("[Funn]"), 172, 132, 24, 11)
        .memo(QStringLiteral("[STime]"), 172, 143, 24, 11)
        .memo(QStringLiteral("[CntKei]"), 916, 110, 40, 22)
        .memo(QStringLiteral("[TimeKei]"), 916, 132, 40, 22)
        .band("Sums", 5, 164, 24, QStringLiteral("rpUserDataset5"))
        .memo(QStringLiteral("[KFunnSum]"), 172, 164, 24, 12)
        .memo(QStringLiteral("[KTimeSum]"), 172, 176, 24, 12)
        .memo(QStringLiteral("[TotalCntSum]"), 916, 164, 40, 12)
        .memo(QStringLiteral("[TotalTimeSum]"), 916, 176, 40, 12);
    QTemporaryDir dir;
    ASSERT_TRUE(part.compileInto(dir.path(), KeitaiList::TemplateName));
    const auto written = built<KeitaiList>(april(), dir.path());
    PartTemplate::expectSamePlaces(written, built<KeitaiList>(april()));
    // The headings, cells and sums each went through their own days.
    ASSERT_EQ(written.size(), 1u);
    EXPECT_FALSE(placeOf(written[0], QStringLiteral("30")).isNull());
    EXPECT_EQ(placeOf(written[0], QStringLiteral("0900")).x(), placeOf(written[0], QStringLiteral(" 3")).x());
    EXPECT_EQ(placeOf(written[0], QStringLiteral("35")).x(), placeOf(written[0], QStringLiteral(" 3")).x());
    EXPECT_GT(placeOf(written[0], QStringLiteral("135")).x(), placeOf(written[0], QStringLiteral("30")).x());
}

TEST_P(KeitaiListTest, CsvFileOfTheMonth)
{
    insertMonth();
    // A character Shift-JIS lacks is written as "?"; a double quote and a
    // comma quote their fields.
    CureResult other = result(4, 7, 9, 20, 1, 3);
    other.Name = QStringLiteral("𠮷\"田");
    ResultRows::insert(db(), {other});
    m_app->mainModule.FacilityName = QStringLiteral("ひだまり苑,本館");
    const auto list = read<KeitaiList>(april());
    ASSERT_TRUE(list);
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("keitai.csv"));
    std::vector<UserMessage> told;
    ASSERT_TRUE(ListCsvFile::write(fileName, list->csvFile(), told));
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 7); // title, heading, four lines, the end
    // 形態別実績一覧表,作成日 令和06年04月20日,"施設名　ひだまり苑,本館"
    EXPECT_EQ(lines[0],
              QByteArray::fromHex("8c 60 91 d4 95 ca 8e c0 90 d1 88 ea 97 97 95 5c 2c 8d ec 90 ac 93 fa 20"
                                  "97 df 98 61 30 36 94 4e 30 34 8c 8e 32 30 93 fa 2c 22 8e 7b 90 dd 96 bc 81 40"
                                  "82 d0 82 be 82 dc 82 e8 89 91 2c 96 7b 8a d9 22 0d"));
    const QByteArray heading = lines[1];
    EXPECT_TRUE(heading.startsWith(Sjis::encode(QStringLiteral("利用者番号 氏名,リハビリ形態,計画書登録日,"
                                                               " 1 (月),訓練時間,訓練開始時間,"))));
    EXPECT_TRUE(heading.endsWith(Sjis::encode(QStringLiteral("30 (火),訓練時間,訓練開始時間,"
                                                             "訓練回数合計,訓練時間合計\r"))));
    EXPECT_EQ(heading.count(','), 3 + 30 * 3 + 2 - 1);
    // User 1's 入所: days 1 and 2 empty, the 3rd with mark, minutes, start.
    EXPECT_TRUE(
        lines[2].startsWith(Sjis::encode(QStringLiteral("00000001 利用者1,入所,R02.04.01,,,,,,,ス,35,09:00,"))));
    EXPECT_TRUE(lines[2].endsWith(",1,35\r"));
    EXPECT_EQ(lines[2].count(','), heading.count(','));
    // The inner quote doubled; an unmarked day is three empty fields,
    // whatever its minutes.
    EXPECT_TRUE(lines[5].startsWith("\"00000004 ?\"\"" + Sjis::encode(QStringLiteral("田\",訪問リハビリ,"))));
    EXPECT_TRUE(lines[4].contains(",,," + Sjis::encode(QStringLiteral("ヤ")) + ",30,13:00,"));
}

TAMSOLEN_DATABASE_TEST_SUITE(KeitaiListTest);
